#include "simrx/CallLogText.h"

#include "simrx/TextEscape.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace simrx {

std::string LogLine(Operation operation, std::string_view arguments, std::int32_t result, std::string_view outcome)
{
    std::array<char, 16> code{};
    std::snprintf(code.data(), code.size(), "0x%08X", static_cast<unsigned>(static_cast<std::uint32_t>(result)));
    std::string line(OperationName(operation));
    line.append("(").append(arguments).append(") -> ").append(code.data());
    if (!outcome.empty())
        line.append(" ").append(outcome);
    return line;
}

std::string LogValue(std::int32_t value)
{
    return std::to_string(value);
}

std::string LogValue(double value)
{
    std::array<char, 32> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? std::string(text.data(), end) : std::string("?");
}

std::string LogValue(std::u16string_view text)
{
    return '"' + EscapeText(text) + '"';
}

}  // namespace simrx
