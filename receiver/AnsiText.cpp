#include "receiver/AnsiText.h"

#include <windows.h>

std::string ToAnsi(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int wideLength = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, ansi.data(), length, nullptr, nullptr);
    return ansi;
}
