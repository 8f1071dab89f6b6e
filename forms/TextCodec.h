#pragma once
// Text conversions for the layout reader. Texts are UTF-8 inside the framework. A stream's
// UTF-16 texts are converted; its single-byte texts are taken as UTF-8 when they are valid
// UTF-8 (pure ASCII always is) and otherwise as the Cyrillic desktop code page 1251, the
// code page of the bilingual (English / Russian) desktops the layouts were made on.
// Malformed input never fails: what cannot be converted becomes U+FFFD.

#include <string>
#include <string_view>

namespace textcodec {

bool IsValidUtf8(std::string_view text);
// Single-byte stream text to UTF-8 (see above).
std::string AnsiToUtf8(std::string_view bytes);
// UTF-16 code units to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);
// The code points of a text; invalid sequences count as one U+FFFD each.
std::u32string CodePoints(std::string_view utf8);
void AppendUtf8(std::string& out, char32_t codePoint);

} // namespace textcodec
