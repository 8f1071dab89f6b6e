#include "rtl/Utf8.h"

#include <cstdint>

namespace rtl::utf8 {

namespace {

// The length of the well-formed sequence at text[pos], with its value in c; 0 when the byte
// there begins none.
size_t Sequence(std::string_view text, size_t pos, char32_t& c)
{
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(pos);
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    size_t length;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, c = lead & 0x07;
    } else {
        return 0;
    }
    if (length > text.size() - pos)
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(pos + k) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(pos + k) & 0x3F);
    }
    return c >= minimum && IsScalarValue(c) ? length : 0;
}

} // namespace

char32_t Next(std::string_view text, size_t& pos)
{
    char32_t c;
    const size_t length = Sequence(text, pos, c);
    pos += length ? length : 1;
    return length ? c : kReplacement;
}

bool IsValid(std::string_view text)
{
    char32_t c;
    for (size_t pos = 0; pos < text.size();) {
        const size_t length = Sequence(text, pos, c);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

bool IsAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<uint8_t>(c) >= 0x80)
            return false;
    return true;
}

void Append(std::string& out, char32_t c)
{
    if (!IsScalarValue(c))
        c = kReplacement;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::u32string Decode(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();)
        out += Next(text, pos);
    return out;
}

std::string Encode(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text)
        Append(out, c);
    return out;
}

std::u16string ToUtf16(std::string_view text)
{
    std::u16string units;
    units.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = Next(text, pos);
        if (c < 0x10000) {
            units += char16_t(c);
        } else {
            units += char16_t(0xD800 | ((c - 0x10000) >> 10));
            units += char16_t(0xDC00 | ((c - 0x10000) & 0x3FF));
        }
    }
    return units;
}

std::string FromUtf16(std::u16string_view units)
{
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            Append(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(units[i + 1]) - 0xDC00));
            ++i;
        } else {
            Append(out, u);   // a lone surrogate is no scalar value: U+FFFD
        }
    }
    return out;
}

} // namespace rtl::utf8
