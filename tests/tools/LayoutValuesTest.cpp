// Exact bytes of every kind of value the layout text can hold.

#include "LayoutTestSupport.h"

#include "layoutstream/Extended80.h"

#include <gtest/gtest.h>

using namespace layoutc_test;

TEST(LayoutValues, IntegersTakeTheSmallestTag)
{
    EXPECT_EQ(ValueBytes("0"), (Bytes{2, 0x00}));
    EXPECT_EQ(ValueBytes("-1"), (Bytes{2, 0xFF}));
    EXPECT_EQ(ValueBytes("127"), (Bytes{2, 0x7F}));
    EXPECT_EQ(ValueBytes("-128"), (Bytes{2, 0x80}));
    EXPECT_EQ(ValueBytes("128"), (Bytes{3, 0x80, 0x00}));
    EXPECT_EQ(ValueBytes("-129"), (Bytes{3, 0x7F, 0xFF}));
    EXPECT_EQ(ValueBytes("203"), (Bytes{3, 0xCB, 0x00}));
    EXPECT_EQ(ValueBytes("32767"), (Bytes{3, 0xFF, 0x7F}));
    EXPECT_EQ(ValueBytes("40000"), (Bytes{4, 0x40, 0x9C, 0x00, 0x00}));
    EXPECT_EQ(ValueBytes("-2147483648"), (Bytes{4, 0x00, 0x00, 0x00, 0x80}));
    EXPECT_EQ(ValueBytes("2147483648"), (Bytes{19, 0, 0, 0, 0x80, 0, 0, 0, 0}));
    EXPECT_EQ(ValueBytes("-9223372036854775808"), (Bytes{19, 0, 0, 0, 0, 0, 0, 0, 0x80}));
}

TEST(LayoutValues, HexNumbersAreBitPatterns)
{
    // Eight digits or fewer spell a 32-bit pattern: clBtnFace is stored as a negative Int32.
    EXPECT_EQ(ValueBytes("0xFF00000F"), (Bytes{4, 0x0F, 0x00, 0x00, 0xFF}));
    EXPECT_EQ(ValueBytes("0x1FFFFFFF"), (Bytes{4, 0xFF, 0xFF, 0xFF, 0x1F}));
    EXPECT_EQ(ValueBytes("0xFFFFFFFF"), (Bytes{2, 0xFF}));
    EXPECT_EQ(ValueBytes("0x0000ff"), (Bytes{3, 0xFF, 0x00}));
    EXPECT_EQ(ValueBytes("0x100000000"), (Bytes{19, 0, 0, 0, 0, 1, 0, 0, 0}));
}

TEST(LayoutValues, RealsAreEightyBitExtended)
{
    EXPECT_EQ(ValueBytes("1.0"), (Bytes{5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    EXPECT_EQ(ValueBytes("-2.0"), (Bytes{5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}));
    EXPECT_EQ(ValueBytes("0.0"), (Bytes{5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ValueBytes("1e3"), ValueBytes("1000.0"));

    // The decoded value is the correctly rounded long double of the text, bit for bit.
    for (const char* text : {"1e-9", "0.7", "1e-6", "6.2832", "-123.456e-7"}) {
        const Bytes bytes = ValueBytes(text);
        ASSERT_EQ(bytes.size(), 11u) << text;
        layoutstream::Extended80::Bytes payload;
        std::copy(bytes.begin() + 1, bytes.end(), payload.begin());
        EXPECT_EQ(layoutstream::Extended80::Decode(payload), std::strtold(text, nullptr)) << text;
    }
}

TEST(LayoutValues, SubnormalRealsAreInTheExtendedRange)
{
    // Below the smallest normal extended value (about 3.4e-4932) down to the smallest subnormal
    // (about 3.6e-4951): the exponent field is 0 and the value is exact as rounded.
    for (const char* text : {"1e-4940", "-1e-4940", "2.5e-4945", "3.6452e-4951", "1e-4932"}) {
        const Bytes bytes = ValueBytes(text);
        ASSERT_EQ(bytes.size(), 11u) << text;
        EXPECT_EQ(bytes[0], 5) << text;
        EXPECT_EQ((bytes[9] | (bytes[10] << 8)) & 0x7FFF, 0) << text;
        layoutstream::Extended80::Bytes payload;
        std::copy(bytes.begin() + 1, bytes.end(), payload.begin());
        const long double expected = std::strtold(text, nullptr);
        EXPECT_NE(expected, 0.0L) << text;
        EXPECT_EQ(layoutstream::Extended80::Decode(payload), expected) << text;
    }
}

TEST(LayoutValues, AsciiTextsAreShortOrLongStrings)
{
    EXPECT_EQ(ValueBytes("\"Go\""), (Bytes{6, 2, 'G', 'o'}));
    EXPECT_EQ(ValueBytes("\"\""), (Bytes{6, 0}));
    EXPECT_EQ(ValueBytes(R"("a\"b\\c\n\r\t")"), (Bytes{6, 8, 'a', '"', 'b', '\\', 'c', '\n', '\r', '\t'}));
    EXPECT_EQ(ValueBytes("\"ab\" +\n    \"cd\""), (Bytes{6, 4, 'a', 'b', 'c', 'd'}));

    const std::string exactly255(255, 'x');
    EXPECT_EQ(ValueBytes("\"" + exactly255 + "\""), Concat({{6, 255}, Text(exactly255)}));
    const std::string longer(256, 'y');
    EXPECT_EQ(ValueBytes("\"" + longer + "\""), Concat({{12, 0x00, 0x01, 0, 0}, Text(longer)}));
}

TEST(LayoutValues, NonAsciiTextsAreUtf8OrWide)
{
    // "Ом": U+041E U+043C.
    EXPECT_EQ(ValueBytes("\"Ом\""), (Bytes{20, 4, 0, 0, 0, 0xD0, 0x9E, 0xD0, 0xBC}));
    EXPECT_EQ(ValueBytes("w\"Ом\""), (Bytes{18, 2, 0, 0, 0, 0x1E, 0x04, 0x3C, 0x04}));
    // The w prefix asks for UTF-16 even for ASCII; characters above U+FFFF become pairs.
    EXPECT_EQ(ValueBytes("w\"A\""), (Bytes{18, 1, 0, 0, 0, 'A', 0}));
    EXPECT_EQ(ValueBytes("w\"\\u{1F600}\""), (Bytes{18, 2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE}));
    // Escapes name characters: \xE9 is U+00E9, which makes the text non-ASCII.
    EXPECT_EQ(ValueBytes("\"\\xE9\""), (Bytes{20, 2, 0, 0, 0, 0xC3, 0xA9}));
    EXPECT_EQ(ValueBytes("\"\\x41\\u{421}\""), (Bytes{20, 3, 0, 0, 0, 'A', 0xD0, 0xA1}));
    // Joining a wide part makes the whole text wide.
    EXPECT_EQ(ValueBytes("\"a\" + w\"b\""), (Bytes{18, 2, 0, 0, 0, 'a', 0, 'b', 0}));
}

TEST(LayoutValues, IdentifiersBooleansAndNil)
{
    EXPECT_EQ(ValueBytes("clBtnFace"), Concat({{7, 9}, Text("clBtnFace")}));
    EXPECT_EQ(ValueBytes("Form2.Edit1"), Concat({{7, 11}, Text("Form2.Edit1")}));
    EXPECT_EQ(ValueBytes("true"), (Bytes{9}));
    EXPECT_EQ(ValueBytes("True"), (Bytes{9}));
    EXPECT_EQ(ValueBytes("FALSE"), (Bytes{8}));
    EXPECT_EQ(ValueBytes("nil"), (Bytes{13}));
    // The binary and collection words are plain identifiers unless an argument follows.
    EXPECT_EQ(ValueBytes("file"), Concat({{7, 4}, Text("file")}));
}

TEST(LayoutValues, SetsAndLists)
{
    EXPECT_EQ(ValueBytes("[]"), (Bytes{11, 0}));
    EXPECT_EQ(ValueBytes("[biSystemMenu]"), Concat({{11, 12}, Text("biSystemMenu"), {0}}));
    EXPECT_EQ(ValueBytes("[fsBold, fsUnderline]"),
              Concat({{11, 6}, Text("fsBold"), {11}, Text("fsUnderline"), {0}}));

    EXPECT_EQ(ValueBytes("( \"TChart\" )"), Concat({{1, 6, 6}, Text("TChart"), {0}}));
    EXPECT_EQ(ValueBytes("()"), (Bytes{1, 0}));
    EXPECT_EQ(ValueBytes("(\n  \"a\"\n  \"b\", 5\n  (true)\n)"),
              (Bytes{1, 6, 1, 'a', 6, 1, 'b', 2, 5, 1, 9, 0, 0}));
}

TEST(LayoutValues, BinaryData)
{
    EXPECT_EQ(ValueBytes("hex(\"00 01 fF\")"), (Bytes{10, 3, 0, 0, 0, 0x00, 0x01, 0xFF}));
    EXPECT_EQ(ValueBytes("hex(\"\")"), (Bytes{10, 0, 0, 0, 0}));

    // The test files are 70 bytes each.
    const Bytes raw = ValueBytes("file(\"tiny.ico\")");
    ASSERT_EQ(raw.size(), 5u + 70u);
    EXPECT_EQ(Bytes(raw.begin(), raw.begin() + 9), (Bytes{10, 70, 0, 0, 0, 0, 0, 1, 0}));

    // A bitmap graphic: the payload is the file size, then the file.
    const Bytes bitmap = ValueBytes("bitmap(\"tiny.bmp\")");
    ASSERT_EQ(bitmap.size(), 5u + 4u + 70u);
    EXPECT_EQ(Bytes(bitmap.begin(), bitmap.begin() + 11), (Bytes{10, 74, 0, 0, 0, 70, 0, 0, 0, 'B', 'M'}));

    // A picture: the graphic class as a short string, then that graphic's data.
    const Bytes picture = ValueBytes("picture(TBitmap, \"tiny.bmp\")");
    ASSERT_EQ(picture.size(), 5u + 8u + 4u + 70u);
    EXPECT_EQ(Bytes(picture.begin(), picture.begin() + 19),
              Concat({{10, 82, 0, 0, 0, 7}, Text("TBitmap"), {70, 0, 0, 0, 'B', 'M'}}));
    EXPECT_EQ(Bytes(picture.end() - 70, picture.end()), Bytes(bitmap.end() - 70, bitmap.end()));

    const Bytes iconPicture = ValueBytes("picture(TIcon, \"tiny.ico\")");
    EXPECT_EQ(Bytes(iconPicture.begin(), iconPicture.begin() + 15),
              Concat({{10, 76, 0, 0, 0, 5}, Text("TIcon"), {0, 0, 1, 0}}));
}

TEST(LayoutValues, Collections)
{
    EXPECT_EQ(ValueBytes("collection {\n}"), (Bytes{14, 0}));
    const Bytes items = ValueBytes(
        "collection {\n"
        "    item {\n"
        "      Width = 5\n"
        "      Caption = \"a\"\n"
        "    }\n"
        "    item 300 {\n"
        "    }\n"
        "  }");
    EXPECT_EQ(items, Concat({{14, 1, 5}, Text("Width"), {2, 5, 7}, Text("Caption"), {6, 1, 'a', 0},
                             {3, 0x2C, 0x01, 1, 0}, {0}}));
}
