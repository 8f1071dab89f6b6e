#include "tools/layoutc/Utf8.h"

#include <stdexcept>

namespace layoutc {

void Utf8::Append(std::string& out, char32_t c)
{
    if (!IsScalarValue(c))
        throw std::invalid_argument("Utf8::Append: not a Unicode scalar value");
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::optional<char32_t> Utf8::Next(std::string_view text, size_t& pos)
{
    if (pos >= text.size())
        return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length;
    char32_t value;
    char32_t minimum;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (pos + length > text.size())
        return std::nullopt;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || !IsScalarValue(value))
        return std::nullopt;
    pos += length;
    return value;
}

bool Utf8::IsValid(std::string_view text)
{
    size_t pos = 0;
    while (pos < text.size())
        if (!Next(text, pos))
            return false;
    return true;
}

bool Utf8::IsAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::u16string Utf8::ToUtf16(std::string_view text)
{
    std::u16string units;
    size_t pos = 0;
    while (pos < text.size()) {
        const auto c = Next(text, pos);
        if (!c)
            throw std::invalid_argument("Utf8::ToUtf16: invalid UTF-8");
        if (*c < 0x10000) {
            units += static_cast<char16_t>(*c);
        } else {
            const char32_t v = *c - 0x10000;
            units += static_cast<char16_t>(0xD800 | (v >> 10));
            units += static_cast<char16_t>(0xDC00 | (v & 0x3FF));
        }
    }
    return units;
}

} // namespace layoutc
