// The desktop's code page: every byte to its character and back, whatever the bytes are.

#include "rtl/AnsiCodePage.h"
#include "rtl/Utf8.h"

#include <gtest/gtest.h>

using namespace rtl;

TEST(AnsiCodePage, BytesAreCodePage1251TextWhateverTheyHold)
{
    EXPECT_EQ(AnsiToUtf8("plain"), "plain");
    EXPECT_EQ(AnsiToUtf8("\xD4\xE8\xEB\xFC\xF2\xF0"), "Фильтр");
    EXPECT_EQ(AnsiToUtf8("\xB9\x20\x98\x88"), "№ \xEF\xBF\xBD€");   // 0x98 has no character
    // Bytes that happen to be valid UTF-8 are still code-page text: D0 B6 is "Р¶", not "ж".
    EXPECT_EQ(AnsiToUtf8("\xD0\xB6"), "Р¶");
}

TEST(AnsiCodePage, EveryCharacterOfTheCodePageGoesBackToItsByte)
{
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t c = AnsiToCodePoint(uint8_t(byte));
        EXPECT_EQ(utf8::Decode(AnsiToUtf8(std::string(1, char(byte)))), std::u32string(1, c)) << byte;
        if (byte == 0x98)
            EXPECT_EQ(c, utf8::kReplacement);
        else
            EXPECT_EQ(uint8_t(CodePointToAnsi(c)), byte) << "U+" << std::hex << uint32_t(c);
    }
    // Characters the code page lacks, and the replacement character, have no byte of their own.
    for (char32_t missing : {char32_t(0xE9), char32_t(0x98), char32_t(0xFFFD), char32_t(0x1D11E), char32_t(0x20AD)})
        EXPECT_EQ(CodePointToAnsi(missing), '?') << std::hex << uint32_t(missing);
}
