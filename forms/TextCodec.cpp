#include "forms/TextCodec.h"

#include <cstdint>
#include <iterator>

namespace textcodec {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code page 1251, bytes 0x80 to 0xBF (0xC0 to 0xFF are U+0410 to U+044F in order).
constexpr char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// Decodes one sequence at text[i]; returns its length, or 0 when it is not valid UTF-8
// (overlong forms, surrogates and values above U+10FFFF included).
size_t DecodeOne(std::string_view text, size_t i, char32_t& cp)
{
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    size_t length;
    char32_t min;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, min = 0x80, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, min = 0x800, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, min = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacement;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view text)
{
    char32_t cp;
    for (size_t i = 0; i < text.size();) {
        const size_t n = DecodeOne(text, i, cp);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string AnsiToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xC0)
            AppendUtf8(out, kCp1251High[b - 0x80]);
        else
            AppendUtf8(out, char32_t(0x0410 + (b - 0xC0)));
    }
    return out;
}

char CodePointToAnsi(char32_t cp)
{
    if (cp < 0x80)
        return char(cp);
    if (cp >= 0x0410 && cp <= 0x044F)
        return char(0xC0 + (cp - 0x0410));
    if (cp != kReplacement)   // 0x98 has no character; U+FFFD stands for none either
        for (size_t i = 0; i < std::size(kCp1251High); ++i)
            if (kCp1251High[i] == cp)
                return char(0x80 + i);
    return '?';
}

std::string Utf16ToUtf8(std::u16string_view units)
{
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(units[i + 1]) - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, u);   // a lone surrogate becomes U+FFFD there
        }
    }
    return out;
}

std::u32string CodePoints(std::string_view utf8)
{
    std::u32string out;
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp;
        const size_t n = DecodeOne(utf8, i, cp);
        out += n ? cp : kReplacement;
        i += n ? n : 1;
    }
    return out;
}

} // namespace textcodec
