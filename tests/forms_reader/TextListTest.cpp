// Text lists and the reader's text conversions.

#include "forms/TStringList.h"
#include "forms/TextCodec.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

TEST(StringList, EditsRaiseOneChangeEachAndBatchesOneInAll)
{
    TStringList lines;
    int changing = 0, changed = 0;
    lines.SetOnChanging([&](TObject*) { ++changing; });
    lines.SetOnChange([&](TObject*) { ++changed; });
    lines.Add("a");
    lines.Insert(0, "b");
    lines.Put(1, "c");
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(changing, 3);
    lines.Put(1, "c");   // the same text changes nothing
    EXPECT_EQ(changed, 3);

    lines.BeginUpdate();
    lines.Add("d");
    lines.Delete(0);
    lines.EndUpdate();
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(changing, 4);
    lines.BeginUpdate();
    lines.EndUpdate();   // an empty batch says nothing
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(lines.Text(), "c\r\nd\r\n");
    EXPECT_EQ(lines.IndexOf("D"), 1);
}

TEST(StringList, BadIndexesRaiseAndChangeNothing)
{
    TStringList lines;
    lines.Add("a");
    try {
        lines.Get(1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (1)");
    }
    EXPECT_THROW(lines.Insert(2, "x"), EListError);
    EXPECT_THROW(lines.Delete(-1), EListError);
    EXPECT_THROW(lines.Put(3, "x"), EListError);
    EXPECT_EQ(lines.Count(), 1);
}

TEST(StringList, TextSplitsAtEveryLineBreakAndAssignCopies)
{
    TStringList lines;
    lines.SetText("one\r\ntwo\nthree\rfour\r\n");
    EXPECT_EQ(lines.Count(), 4);
    EXPECT_EQ(lines.Get(3), "four");
    lines.SetText("a\n\nb");
    EXPECT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Get(1), "");

    TStringList copy;
    copy.Add("old");
    copy.Assign(&lines);
    EXPECT_TRUE(copy.Equals(lines));
}

TEST(TextCodec, SingleByteTextsAreCodePage1251WhateverBytesTheyHold)
{
    EXPECT_EQ(textcodec::AnsiToUtf8("plain"), "plain");
    EXPECT_EQ(textcodec::AnsiToUtf8("\xD4\xE8\xEB\xFC\xF2\xF0"), "Фильтр");
    EXPECT_EQ(textcodec::AnsiToUtf8("\xB9\x20\x98"), "№ \xEF\xBF\xBD");   // 0x98 is unassigned
    // Bytes that are valid UTF-8 as well are still code-page text.
    EXPECT_EQ(textcodec::AnsiToUtf8("Ж"), "Р–");
    // Overlong forms and encoded surrogates are not valid UTF-8.
    EXPECT_FALSE(textcodec::IsValidUtf8("\xC0\xAF"));
    EXPECT_FALSE(textcodec::IsValidUtf8("\xED\xA0\x80"));
    EXPECT_FALSE(textcodec::IsValidUtf8("\xE2\x82"));
}

TEST(TextCodec, EveryCodePageCharacterGoesBackToItsByte)
{
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == 0x98)
            continue;   // no character
        const std::u32string character = textcodec::CodePoints(textcodec::AnsiToUtf8(std::string(1, char(byte))));
        ASSERT_EQ(character.size(), 1u) << byte;
        EXPECT_EQ(uint8_t(textcodec::CodePointToAnsi(character[0])), byte) << "U+" << std::hex << uint32_t(character[0]);
    }
    // Characters the code page lacks, and the replacement character, have no byte of their own.
    for (char32_t missing : {char32_t(0xE9), char32_t(0x98), char32_t(0xFFFD), char32_t(0x1D11E), char32_t(0x20AD)})
        EXPECT_EQ(textcodec::CodePointToAnsi(missing), '?') << std::hex << uint32_t(missing);
}

TEST(TextCodec, Utf16PairsCombineAndLoneHalvesAreReplaced)
{
    EXPECT_EQ(textcodec::Utf16ToUtf8(u"Go \U0001D11E"), "Go \xF0\x9D\x84\x9E");
    const char16_t lone[] = {0xDC00, u'a', 0xD800};
    EXPECT_EQ(textcodec::Utf16ToUtf8(std::u16string_view(lone, 3)), "\xEF\xBF\xBD" "a" "\xEF\xBF\xBD");
    EXPECT_EQ(textcodec::CodePoints("a\xFF" "b").size(), 3u);
}
