// The one UTF-8 codec: malformed input of every kind, the boundaries of each sequence length,
// and round trips through UTF-8 and UTF-16 for every Unicode scalar value.

#include "rtl/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace rtl;

namespace {

// The decoded text with U+FFFD written as "?", so that a failure shows where the marks are.
std::string Marks(std::string_view text)
{
    std::string out;
    for (char32_t c : utf8::Decode(text))
        out += c == utf8::kReplacement ? std::string("?") : c < 0x80 ? std::string(1, char(c)) : std::string("#");
    return out;
}

} // namespace

TEST(Utf8, EveryMalformedByteBecomesOneReplacementAndNothingAfterItIsLost)
{
    struct Case {
        const char* bytes;
        const char* marks;
    };
    const Case cases[] = {
        // Overlong forms of "/" and of U+0000, in two, three and four bytes.
        {"a\xC0\xAF" "b", "a??b"},
        {"\xC1\xBF", "??"},
        {"\xE0\x80\xAF" "b", "???b"},
        {"\xF0\x80\x80\xAF", "????"},
        {"\xC0\x80", "??"},
        // Encoded surrogates, alone and as a pair, and a value above U+10FFFF.
        {"\xED\xA0\x80" "x", "???x"},
        {"\xED\xBF\xBF", "???"},
        {"\xED\xA0\xBD\xED\xB8\x80", "??????"},
        {"\xF4\x90\x80\x80", "????"},
        // Sequences cut short, at the end and before another character.
        {"\xE2\x82", "??"},
        {"\xE2\x82" "x", "??x"},
        {"\xF0\x9D\x84", "???"},
        {"\xF0\x9D\x84\xE2\x82\xAC", "???#"},
        {"\xC3", "?"},
        // Continuation bytes without a lead, lead bytes that lead nothing.
        {"\x80\xBF", "??"},
        {"\xF8\x88\x80\x80\x80", "?????"},
        {"\xFE\xFF" "z", "??z"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Marks(c.bytes), c.marks) << c.bytes;
        EXPECT_FALSE(utf8::IsValid(c.bytes)) << c.bytes;
        // Repaired text is valid and keeps every well-formed character.
        const std::string repaired = utf8::Encode(utf8::Decode(c.bytes));
        EXPECT_TRUE(utf8::IsValid(repaired)) << c.bytes;
        EXPECT_EQ(Marks(repaired), c.marks) << c.bytes;
    }
    // Next moves past a malformed byte by one byte.
    size_t pos = 0;
    EXPECT_EQ(utf8::Next("\xE2\x82\xAC\xE2\x82", pos), U'\u20AC');
    EXPECT_EQ(pos, 3u);
    EXPECT_EQ(utf8::Next("\xE2\x82\xAC\xE2\x82", pos), utf8::kReplacement);
    EXPECT_EQ(pos, 4u);
}

TEST(Utf8, TheFirstAndLastValueOfEachLengthDecode)
{
    const std::vector<std::pair<const char*, char32_t>> edges = {
        {"\x7F", 0x7F},           {"\xC2\x80", 0x80},         {"\xDF\xBF", 0x7FF},
        {"\xE0\xA0\x80", 0x800},  {"\xED\x9F\xBF", 0xD7FF},   {"\xEE\x80\x80", 0xE000},
        {"\xEF\xBF\xBF", 0xFFFF}, {"\xF0\x90\x80\x80", 0x10000}, {"\xF4\x8F\xBF\xBF", 0x10FFFF},
    };
    for (const auto& [bytes, value] : edges) {
        EXPECT_EQ(utf8::Decode(bytes), std::u32string(1, value)) << std::hex << uint32_t(value);
        EXPECT_TRUE(utf8::IsValid(bytes));
        std::string encoded;
        utf8::Append(encoded, value);
        EXPECT_EQ(encoded, bytes);
    }
    EXPECT_TRUE(utf8::IsAscii("plain text\x7F"));
    EXPECT_FALSE(utf8::IsAscii("caf\xC3\xA9"));
}

TEST(Utf8, EveryScalarValueRoundTripsAndNothingElseIsWritten)
{
    std::u32string all;
    for (char32_t c = 0; c <= 0x10FFFF; ++c)
        if (utf8::IsScalarValue(c))
            all += c;
    const std::string encoded = utf8::Encode(all);
    EXPECT_TRUE(utf8::IsValid(encoded));
    EXPECT_EQ(utf8::Decode(encoded), all);
    EXPECT_EQ(utf8::FromUtf16(utf8::ToUtf16(encoded)), encoded);
    EXPECT_EQ(utf8::ToUtf16("\xF0\x9D\x84\x9E"), (std::u16string{0xD834, 0xDD1E}));

    // Surrogates and values beyond U+10FFFF are written as U+FFFD.
    EXPECT_EQ(utf8::Encode(std::u32string{0xD800, U'a', 0xDFFF, 0x110000}), "\xEF\xBF\xBD" "a\xEF\xBF\xBD\xEF\xBF\xBD");
    // An unpaired half of a UTF-16 pair is replaced; a pair in the wrong order is two halves.
    const char16_t lone[] = {0xDC00, u'a', 0xD800};
    EXPECT_EQ(utf8::FromUtf16(std::u16string_view(lone, 3)), "\xEF\xBF\xBD" "a" "\xEF\xBF\xBD");
    const char16_t swapped[] = {0xDD1E, 0xD834};
    EXPECT_EQ(utf8::FromUtf16(std::u16string_view(swapped, 2)), "\xEF\xBF\xBD\xEF\xBF\xBD");
}
