// Damaged layout text must be refused with a located message, never crash or escape as
// another kind of error: truncations and byte changes of a layout that uses every construct.

#include "LayoutTestSupport.h"

#include "tools/layoutc/ELayoutError.h"

#include <gtest/gtest.h>

#include <random>

using namespace layoutc_test;

namespace {

const std::string kFullLayout =
    "Form1 : TForm1 {\n"
    "  Left = -203\n"
    "  Color = 0xFF00000F\n"
    "  Scale = 1.5e-3\n"
    "  Caption = \"Фильтр\\t\\u{421}\" + w\"\\x41\"\n"
    "  Font.Style = [fsBold, fsItalic]\n"
    "  Lines.Strings = ( \"a\", \"b\" (1 2) )\n"
    "  Icon.Data = file(\"tiny.ico\")\n"
    "  Bits = hex(\"0a0B\")\n"
    "  Items = collection {\n    item 2 {\n      Width = 5\n    }\n  }\n"
    "  inherited position 1 Image1 : TImage {\n"
    "    Picture.Data = picture(TBitmap, \"tiny.bmp\")\n"
    "    Visible = false\n"
    "  }\n"
    "}\n";

// Returns an empty string when the text compiled or was refused properly.
std::string Outcome(const std::string& text)
{
    try {
        Compile(text);
    } catch (const layoutc::ELayoutError& error) {
        if (error.Message().rfind("test.layout:", 0) != 0)
            return "message without location: " + error.Message();
    } catch (const std::exception& error) {
        return std::string("unexpected exception: ") + error.what();
    }
    return {};
}

} // namespace

TEST(LayoutRobustness, EveryTruncationIsRefusedWithALocation)
{
    ASSERT_NO_THROW(Compile(kFullLayout));
    for (size_t length = 0; length < kFullLayout.size(); ++length) {
        const std::string cut = kFullLayout.substr(0, length);
        EXPECT_EQ(Outcome(cut), "") << "cut at " << length;
    }
}

TEST(LayoutRobustness, ChangedBytesAreCompiledOrRefusedWithALocation)
{
    std::mt19937 random(20240501);
    const std::string alphabet = "{}[]()=:,+\"\\#.-0x9eEwuaZ_ \n\t\xD0\xFF";
    for (int round = 0; round < 3000; ++round) {
        std::string text = kFullLayout;
        const int changes = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < changes; ++i)
            text[random() % text.size()] = alphabet[random() % alphabet.size()];
        EXPECT_EQ(Outcome(text), "") << text;
    }
}
