#pragma once
// Labels may hold anything a BSTR can: NULs, control characters, lone surrogates. The scenario
// reads them from UTF-8 with escapes, and the call log writes them back in the same escapes,
// so that a logged label pasted into a scenario gives the same label.
#include <cstddef>
#include <string>
#include <string_view>

namespace simrx {

// Appends the UTF-16 form of the UTF-8 character at text[pos] and moves pos past it. False for
// a malformed, overlong or surrogate encoding, with pos and out unchanged.
bool DecodeUtf8Char(std::string_view text, std::size_t& pos, std::u16string& out);

// Printable ASCII stays; quote and backslash, controls and everything above ASCII become
// \" \\ \0 \t \n \r \xNN or \uNNNN.
std::string EscapeText(std::u16string_view text);

// Bytes as they stood in a file, for an error message: printable ASCII stays, the rest is \xNN.
std::string EscapeBytes(std::string_view bytes);

}  // namespace simrx
