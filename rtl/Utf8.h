#pragma once
// UTF-8, the encoding of every text inside the program, and its conversions to code points and
// to UTF-16. Decoding never fails and never stops early: a byte that does not begin a
// well-formed sequence (a stray continuation byte, the lead byte of a truncated sequence, an
// overlong form, an encoded surrogate, a value above U+10FFFF) becomes U+FFFD, and decoding
// goes on with the next byte. So every bad byte shows as one replacement mark and nothing after
// it is lost. Code that must refuse malformed text (the layout compiler) asks IsValid first.

#include <cstddef>
#include <string>
#include <string_view>

namespace rtl::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

// A Unicode scalar value: at most U+10FFFF and no surrogate.
constexpr bool IsScalarValue(char32_t c)
{
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// Decodes the character at text[pos] (pos < text.size()) and moves pos past it, by one byte
// for a malformed one, which gives U+FFFD.
char32_t Next(std::string_view text, size_t& pos);
bool IsValid(std::string_view text);
bool IsAscii(std::string_view text);

// Appends the encoding of c; a value that is no scalar value is appended as U+FFFD.
void Append(std::string& out, char32_t c);
std::u32string Decode(std::string_view text);
std::string Encode(std::u32string_view text);

// UTF-16 code units; characters above U+FFFF become surrogate pairs.
std::u16string ToUtf16(std::string_view text);
// From UTF-16 code units; an unpaired surrogate becomes U+FFFD.
std::string FromUtf16(std::u16string_view units);

} // namespace rtl::utf8
