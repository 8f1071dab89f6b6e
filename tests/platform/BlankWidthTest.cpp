// The blank between words: it is measured and drawn with the face's own advance, while
// control characters take no room.

#include "platform/DeviceContext.h"
#include "tests/platform/RasterProbe.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;
using namespace probe;

namespace {

int WidthOf(const FontSpec& font, const std::string& text)
{
    Raster r(1, 1);
    DeviceContext dc(r);
    dc.SetFont(font);
    return dc.TextExtent(text).cx;
}

// The columns the ink of black text drawn at (10, 10) on white covers.
Rect InkOf(const FontSpec& font, const std::string& text)
{
    Raster r(200, 60, kWhite);
    DeviceContext dc(r);
    dc.SetFont(font);
    dc.SetTextColor(kBlack);
    dc.SetBackMode(BackgroundMode::Transparent);
    dc.TextOut(10, 10, text);
    return InkBox(r, kWhite);
}

// The window's face, the chart's title face and a large bold face.
const FontSpec Faces[] = {Face("MS Sans Serif", -11), Face("Arial", -11, true), Face("MS Sans Serif", -16, true)};

} // namespace

TEST(BlankWidth, ABlankTakesTheRoomOfItsAdvanceInExtentsAndInInk)
{
    for (const FontSpec& font : Faces) {
        SCOPED_TRACE(font.family + " " + std::to_string(font.height));
        const int blank = WidthOf(font, " ");
        // A blank is narrower than a digit but far from nothing.
        EXPECT_GE(blank, 2);
        EXPECT_LT(blank, WidthOf(font, "0"));
        EXPECT_EQ(WidthOf(font, "   "), 3 * blank);
        EXPECT_EQ(WidthOf(font, "a b"), WidthOf(font, "ab") + blank);
        EXPECT_EQ(WidthOf(font, " Go "), WidthOf(font, "Go") + 2 * blank);

        // Drawn, the blank moves the second word right by exactly its advance and leaves the
        // gap empty.
        const Rect joined = InkOf(font, "II");
        const Rect apart = InkOf(font, "I I");
        ASSERT_FALSE(joined.IsEmpty());
        EXPECT_EQ(apart.left, joined.left);
        EXPECT_EQ(apart.right, joined.right + blank);
        const Rect single = InkOf(font, "I");
        Raster r(200, 60, kWhite);
        DeviceContext dc(r);
        dc.SetFont(font);
        dc.SetTextColor(kBlack);
        dc.SetBackMode(BackgroundMode::Transparent);
        dc.TextOut(10, 10, "I I");
        // From the end of the first letter's ink to where the second letter's ink begins.
        const int gapFrom = single.right, gapTo = single.left + WidthOf(font, "I") + blank;
        ASSERT_GE(gapTo - gapFrom, blank);
        EXPECT_TRUE(AllIn(r, {gapFrom, 0, gapTo, 60}, kWhite)) << gapFrom << ".." << gapTo;

        // A blank alone leaves no ink.
        EXPECT_TRUE(InkOf(font, "   ").IsEmpty());
    }
}

TEST(BlankWidth, ControlCharactersTakeNoRoomButTheNoBreakSpaceDoes)
{
    const FontSpec font = Faces[0];
    const int ab = WidthOf(font, "ab");
    for (const char* control : {"\x01", "\t", "\r", "\x1F", "\x7F"})
        EXPECT_EQ(WidthOf(font, std::string("a") + control + "b"), ab) << int(control[0]);
    EXPECT_GT(WidthOf(font, "a\u00A0b"), ab);
}
