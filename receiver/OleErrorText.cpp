#include "receiver/OleErrorText.h"


std::string TrimErrorText(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0) {
        const unsigned char last = static_cast<unsigned char>(text[end - 1]);
        if (last > ' ' && last != '.')
            break;
        --end;
    }
    return std::string(text.substr(0, end));
}

std::string OleErrorMessage(std::string_view description, std::string_view systemText, std::uint32_t code)
{
    if (std::string message = TrimErrorText(description); !message.empty())
        return message;
    if (std::string message = TrimErrorText(systemText); !message.empty())
        return message;
    std::string fallback = "OLE error 00000000";
    for (std::size_t digit = fallback.size(); code != 0; code >>= 4)
        fallback[--digit] = "0123456789ABCDEF"[code & 0xF];
    return fallback;
}
