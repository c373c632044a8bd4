#include "app/ServiceKeys.h"

std::wstring KeyLabel(std::wstring_view label)
{
    label = label.substr(0, label.find(L'\0'));
    while (!label.empty() && static_cast<std::uint32_t>(label.back()) <= 0x20)
        label.remove_suffix(1);
    return std::wstring(label);
}

std::wstring MultiplexKeyPath(std::wstring_view multiplexLabel)
{
    return L"Software\\Kelmoor\\Orvane\\Services\\" + KeyLabel(multiplexLabel);
}

std::wstring ServiceKeyPath(std::wstring_view multiplexLabel, std::wstring_view serviceLabel)
{
    return MultiplexKeyPath(multiplexLabel) + L'\\' + KeyLabel(serviceLabel);
}

std::string HandleText(std::int32_t handle)
{
    return std::to_string(handle);
}
