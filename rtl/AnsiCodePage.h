#pragma once
// The desktop's ANSI code page: the Cyrillic code page 1251 of the bilingual (English /
// Russian) desktops the layouts were made on. Layout streams store narrow texts in it, and a
// key-press handler sees each typed character as its one-byte code.

#include <cstdint>
#include <string>
#include <string_view>

namespace rtl {

// The character of a byte; 0x98, which has none, gives U+FFFD.
char32_t AnsiToCodePoint(uint8_t byte);
// Code-page text to UTF-8, byte by byte, whatever the bytes are.
std::string AnsiToUtf8(std::string_view bytes);
// The byte of a character: the exact inverse of AnsiToCodePoint; "?" for a character the code
// page lacks.
char CodePointToAnsi(char32_t codePoint);

} // namespace rtl
