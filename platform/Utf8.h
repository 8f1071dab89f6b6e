#pragma once
// UTF-8 decoding for text output. Malformed input never stops the text: each bad byte becomes
// U+FFFD, so a truncated or mis-encoded caption still shows everything that can be shown.

#include <string_view>

namespace platform {

// Decodes the code point starting at `pos` and advances `pos` past it.
inline char32_t NextCodePoint(std::string_view s, size_t& pos)
{
    constexpr char32_t bad = 0xFFFD;
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned b0 = byte(pos);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0, min = 0;
    if ((b0 & 0xE0) == 0xC0) { extra = 1; cp = b0 & 0x1F; min = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { extra = 2; cp = b0 & 0x0F; min = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { extra = 3; cp = b0 & 0x07; min = 0x10000; }
    else { ++pos; return bad; }
    if (pos + extra >= s.size()) {
        ++pos;
        return bad;
    }
    for (int i = 1; i <= extra; ++i) {
        const unsigned b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return bad;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += extra + 1;
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return bad;
    return cp;
}

} // namespace platform
