#pragma once
// Text conversions for the layout reader. Texts are UTF-8 inside the framework. A stream's
// UTF-16 and UTF-8 texts are converted; its single-byte texts are text in the desktop's ANSI
// code page, the Cyrillic code page 1251 of the bilingual (English / Russian) desktops the
// layouts were made on, whatever bytes they hold (bytes that happen to be valid UTF-8 too are
// still code-page text). Malformed input never fails: what cannot be converted becomes U+FFFD.

#include <string>
#include <string_view>

namespace textcodec {

bool IsValidUtf8(std::string_view text);
// Code-page text to UTF-8 (see above).
std::string AnsiToUtf8(std::string_view bytes);
// The code-page byte of a character: the inverse of the code page, "?" for a character that
// the code page lacks.
char CodePointToAnsi(char32_t codePoint);
// UTF-16 code units to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);
// The code points of a text; invalid sequences count as one U+FFFD each.
std::u32string CodePoints(std::string_view utf8);
void AppendUtf8(std::string& out, char32_t codePoint);

} // namespace textcodec
