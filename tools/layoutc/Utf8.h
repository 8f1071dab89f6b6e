#pragma once
// The few UTF-8 operations the layout compiler needs: validating text, encoding a code point,
// and converting to the UTF-16 code units of wide-string values.

#include <string>
#include <string_view>
#include <optional>

namespace layoutc {

class Utf8 {
public:
    // Appends the UTF-8 encoding of a Unicode scalar value (no surrogates, at most U+10FFFF).
    static void Append(std::string& out, char32_t codePoint);

    // Decodes one scalar value at text[pos], advancing pos; nullopt on an ill-formed sequence
    // (overlong forms, surrogates and values above U+10FFFF included).
    static std::optional<char32_t> Next(std::string_view text, size_t& pos);

    static bool IsValid(std::string_view text);
    static bool IsAscii(std::string_view text);

    // UTF-16 code units of valid UTF-8 text; characters above U+FFFF become surrogate pairs.
    static std::u16string ToUtf16(std::string_view text);

    static bool IsScalarValue(char32_t codePoint)
    {
        return codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
    }
};

} // namespace layoutc
