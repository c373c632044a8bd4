#pragma once
// How a failed receiver call becomes the text the user reads. Pure text rules, no Windows.
#include <cstdint>
#include <string>
#include <string_view>

// Drops trailing characters of code 32 or below and trailing full stops, compared as
// unsigned so that a trailing accented letter stays.
std::string TrimErrorText(std::string_view text);

// The receiver's description when anything is left of it after trimming; else the system's
// text for the code, trimmed the same way; else "OLE error " and the code in eight
// upper-case hexadecimal digits.
std::string OleErrorMessage(std::string_view description, std::string_view systemText, std::uint32_t code);
