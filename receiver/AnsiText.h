#pragma once
// Wide text as 8-bit text in the system ANSI code page, with the system's substitutes for
// characters the code page cannot hold.
#include <string>
#include <string_view>

std::string ToAnsi(std::wstring_view text);
