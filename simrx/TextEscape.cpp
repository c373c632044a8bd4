#include "simrx/TextEscape.h"

#include <cstdint>

namespace simrx {

bool DecodeUtf8Char(std::string_view text, std::size_t& pos, std::u16string& out)
{
    const auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byteAt(pos);
    std::size_t length = 0;
    char32_t code = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        out.push_back(lead);
        ++pos;
        return true;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, lowest = 0x10000;
    } else {
        return false;
    }
    if (text.size() - pos < length)
        return false;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byteAt(pos + i) & 0xC0) != 0x80)
            return false;
        code = (code << 6) | (byteAt(pos + i) & 0x3F);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    if (code >= 0x10000) {
        out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(code));
    }
    pos += length;
    return true;
}

static void AppendHex(std::string& out, unsigned value, int digits)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out.push_back(kDigits[(value >> shift) & 0xF]);
}

std::string EscapeText(std::u16string_view text)
{
    std::string out;
    for (const char16_t c : text) {
        switch (c) {
        case u'"': out += "\\\""; break;
        case u'\\': out += "\\\\"; break;
        case u'\0': out += "\\0"; break;
        case u'\t': out += "\\t"; break;
        case u'\n': out += "\\n"; break;
        case u'\r': out += "\\r"; break;
        default:
            if (c >= 0x20 && c < 0x7F) {
                out.push_back(static_cast<char>(c));
            } else if (c < 0x100) {
                out += "\\x";
                AppendHex(out, c, 2);
            } else {
                out += "\\u";
                AppendHex(out, c, 4);
            }
        }
    }
    return out;
}

std::string EscapeBytes(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            out.push_back(c);
        } else {
            out += "\\x";
            AppendHex(out, byte, 2);
        }
    }
    return out;
}

}  // namespace simrx
