#include "platform/DeviceContext.h"
#include "platform/SystemColors.h"
#include "tests/platform/RasterProbe.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace platform;
using namespace probe;

namespace {

void UsePenAndBrush(DeviceContext& dc, PenStyle penStyle, BrushStyle brushStyle, int width = 1)
{
    PenSpec pen;
    pen.color = kBlack;
    pen.style = penStyle;
    pen.width = width;
    dc.SetPen(pen);
    BrushSpec brush;
    brush.color = kRed;
    brush.style = brushStyle;
    dc.SetBrush(brush);
}

Raster Gradient(int w, int h)
{
    Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            r.Set(x, y, MakePixel(uint8_t(x * 13), uint8_t(y * 17), uint8_t(x * y)));
    return r;
}

} // namespace

TEST(Rectangles, PenInsideBrushInteriorRightBottomExclusive)
{
    Raster r(12, 10, kWhite);
    DeviceContext dc(r);
    UsePenAndBrush(dc, PenStyle::Solid, BrushStyle::Solid);
    dc.Rectangle(2, 2, 8, 6);
    for (int x = 2; x < 8; ++x) {
        EXPECT_EQ(r.At(x, 2), kBlack);
        EXPECT_EQ(r.At(x, 5), kBlack);
        EXPECT_EQ(r.At(x, 6), kWhite);
        EXPECT_EQ(r.At(x, 1), kWhite);
    }
    for (int y = 2; y < 6; ++y) {
        EXPECT_EQ(r.At(2, y), kBlack);
        EXPECT_EQ(r.At(7, y), kBlack);
        EXPECT_EQ(r.At(8, y), kWhite);
        EXPECT_EQ(r.At(1, y), kWhite);
    }
    EXPECT_TRUE(AllIn(r, {3, 3, 7, 5}, kRed));
    EXPECT_EQ(Count(r, kRed), 8);
    EXPECT_EQ(Count(r, kBlack), 16);
}

TEST(Rectangles, ClearPenFillsTheBoxClearBrushOnlyOutlines)
{
    Raster r(12, 10, kWhite);
    DeviceContext dc(r);
    UsePenAndBrush(dc, PenStyle::Clear, BrushStyle::Solid);
    dc.Rectangle(8, 6, 2, 2);   // corners in any order
    EXPECT_TRUE(AllIn(r, {2, 2, 8, 6}, kRed));
    EXPECT_EQ(Count(r, kRed), 24);

    r.Fill(kWhite);
    UsePenAndBrush(dc, PenStyle::Solid, BrushStyle::Clear);
    dc.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(Count(r, kBlack), 16);
    EXPECT_TRUE(AllIn(r, {3, 3, 7, 5}, kWhite));
}

TEST(Rectangles, WidePenBandStaysInsideTheBox)
{
    Raster r(14, 14, kWhite);
    DeviceContext dc(r);
    UsePenAndBrush(dc, PenStyle::Solid, BrushStyle::Solid, 2);
    dc.Rectangle(2, 2, 12, 12);
    EXPECT_TRUE(AllIn(r, {2, 2, 12, 4}, kBlack));
    EXPECT_TRUE(AllIn(r, {2, 10, 12, 12}, kBlack));
    EXPECT_TRUE(AllIn(r, {2, 4, 4, 10}, kBlack));
    EXPECT_TRUE(AllIn(r, {10, 4, 12, 10}, kBlack));
    EXPECT_TRUE(AllIn(r, {4, 4, 10, 10}, kRed));
    EXPECT_EQ(Count(r, kWhite), 14 * 14 - 100);
}

TEST(Rectangles, DottedOutlineAndNotXorRectangleUndoesItself)
{
    Raster r = Gradient(20, 20);
    const Raster before = r;
    DeviceContext dc(r);
    PenSpec pen;
    pen.color = kBlack;   // not-xor with black inverts
    pen.mode = PenMode::NotXor;
    pen.style = PenStyle::Dot;
    dc.SetPen(pen);
    dc.SetBrush({kBlue, BrushStyle::Solid});
    dc.SetBackMode(BackgroundMode::Transparent);
    dc.Rectangle(3, 4, 17, 15);
    EXPECT_NE(r.At(3, 4), before.At(3, 4));
    EXPECT_EQ(r.At(6, 4), before.At(6, 4));   // a gap of the dots
    EXPECT_NE(r.At(10, 10), before.At(10, 10));
    dc.Rectangle(3, 4, 17, 15);
    for (int i = 0; i < 400; ++i)
        ASSERT_EQ(r.Data()[i], before.Data()[i]) << i;
}

TEST(FillRect, ExclusiveEdgesEmptyAndClearBrushes)
{
    Raster r(10, 10, kWhite);
    DeviceContext dc(r);
    dc.FillRect({1, 2, 4, 7}, {kRed, BrushStyle::Solid});
    EXPECT_TRUE(AllIn(r, {1, 2, 4, 7}, kRed));
    EXPECT_EQ(Count(r, kRed), 15);
    dc.FillRect({6, 6, 3, 3}, {kBlue, BrushStyle::Solid});   // inverted: empty
    dc.FillRect({0, 0, 10, 10}, {kBlue, BrushStyle::Clear});
    EXPECT_EQ(Count(r, kBlue), 0);
    dc.SetBrush({kBlue, BrushStyle::Solid});
    dc.SetOrigin({5, 5});
    dc.FillRect({0, 0, 100, 1});
    EXPECT_EQ(Count(r, kBlue), 5);
    EXPECT_EQ(r.At(5, 5), kBlue);
}

TEST(FillRect, HatchedBrushesDrawLinesAndHonourTheBackgroundMode)
{
    Raster r(16, 16, kWhite);
    DeviceContext dc(r);
    dc.SetBackMode(BackgroundMode::Transparent);
    dc.FillRect({0, 0, 16, 16}, {kRed, BrushStyle::Horizontal});
    EXPECT_EQ(Count(r, kRed), 32);   // two rows of 16
    dc.SetBackMode(BackgroundMode::Opaque);
    dc.SetBackColor(kBlue);
    dc.FillRect({0, 0, 16, 16}, {kRed, BrushStyle::Cross});
    EXPECT_EQ(Count(r, kWhite), 0);
    EXPECT_EQ(Count(r, kRed), 2 * 16 + 2 * 16 - 4);
}

TEST(Polygons, FillByPixelCentresAndOutlineClosed)
{
    Raster r(12, 12, kWhite);
    DeviceContext dc(r);
    UsePenAndBrush(dc, PenStyle::Clear, BrushStyle::Solid);
    const Point square[] = {{2, 2}, {8, 2}, {8, 8}, {2, 8}};
    dc.Polygon(square, 4);
    EXPECT_TRUE(AllIn(r, {2, 2, 8, 8}, kRed));
    EXPECT_EQ(Count(r, kRed), 36);

    r.Fill(kWhite);
    UsePenAndBrush(dc, PenStyle::Solid, BrushStyle::Solid);
    dc.Polygon(square, 4);
    // The closed outline runs along all four sides, including the far column and row.
    EXPECT_EQ(Count(r, kBlack), 24);
    EXPECT_EQ(r.At(8, 8), kBlack);
    EXPECT_TRUE(AllIn(r, {3, 3, 8, 8}, kRed));
}

TEST(Polygons, AlternateRuleLeavesTheStarsCentreEmpty)
{
    Raster r(41, 41, kWhite);
    DeviceContext dc(r);
    UsePenAndBrush(dc, PenStyle::Clear, BrushStyle::Solid);
    Point star[5];
    for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + i * 4 * M_PI / 5;
        star[i] = {int(std::lround(20 + 19 * std::cos(a))), int(std::lround(20 + 19 * std::sin(a)))};
    }
    dc.Polygon(star, 5);
    EXPECT_EQ(r.At(20, 21), kWhite);   // inside twice: not filled
    EXPECT_EQ(r.At(20, 5), kRed);      // the top tip
    EXPECT_EQ(r.At(2, 2), kWhite);
}

TEST(Ellipses, InscribedSymmetricWithOutline)
{
    Raster r(24, 16, kWhite);
    DeviceContext dc(r);
    UsePenAndBrush(dc, PenStyle::Solid, BrushStyle::Solid);
    dc.Ellipse(2, 2, 22, 14);
    EXPECT_EQ(InkBox(r, kWhite), (Rect{2, 2, 22, 14}));
    EXPECT_EQ(r.At(12, 8), kRed);
    EXPECT_EQ(r.At(2, 2), kWhite);
    EXPECT_EQ(r.At(21, 13), kWhite);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) {
            EXPECT_EQ(r.At(x, y), r.At(23 - x, y)) << x << "," << y;
            EXPECT_EQ(r.At(x, y), r.At(x, 15 - y)) << x << "," << y;
        }
    // Along the middle row: outline, then interior.
    EXPECT_EQ(r.At(2, 8), kBlack);
    EXPECT_EQ(r.At(3, 8), kRed);
}

TEST(Pixels, SetAndGetHonourOriginAndClip)
{
    Raster r(8, 8, kWhite);
    DeviceContext dc(r);
    dc.SetOrigin({2, 3});
    dc.SetPixel(1, 1, kRed);
    EXPECT_EQ(r.At(3, 4), kRed);
    EXPECT_EQ(dc.GetPixel(1, 1), kRed);
    EXPECT_EQ(dc.GetPixel(-3, 0), 0u);
    EXPECT_EQ(dc.GetPixel(6, 0), 0u);
    dc.IntersectClip({0, 0, 1, 1});
    dc.SetPixel(2, 2, kBlue);
    EXPECT_EQ(Count(r, kBlue), 0);
}

TEST(FocusRect, DottedXorFrameDrawnTwiceRestores)
{
    Raster r = Gradient(20, 16);
    const Raster before = r;
    DeviceContext dc(r);
    dc.DrawFocusRect({2, 3, 12, 9});
    int changed = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool onFrame = Rect{2, 3, 12, 9}.Contains({x, y}) && !Rect{3, 4, 11, 8}.Contains({x, y});
            if (r.At(x, y) != before.At(x, y)) {
                ++changed;
                EXPECT_TRUE(onFrame) << x << "," << y;
                EXPECT_EQ(r.At(x, y), ((~before.At(x, y)) & 0xFFFFFFu) | 0xFF000000u);
            }
        }
    EXPECT_EQ(changed, 14);   // half of the 28 frame pixels
    dc.DrawFocusRect({2, 3, 12, 9});
    for (int i = 0; i < 20 * 16; ++i)
        ASSERT_EQ(r.Data()[i], before.Data()[i]) << i;
}

TEST(Blits, BitBltHonoursOriginClipAndSourceBounds)
{
    const Raster source = Gradient(6, 6);
    Raster r(10, 10, kWhite);
    DeviceContext dc(r);
    dc.SetOrigin({1, 1});
    dc.IntersectClip({0, 0, 5, 4});
    dc.BitBlt(2, 1, 6, 6, source, 1, 2);
    // Destination device (3,2) .. clip device right 6, bottom 5; source starts at (1,2).
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 3 && x < 6 && y >= 2 && y < 5;
            EXPECT_EQ(r.At(x, y), inside ? source.At(x - 2, y) : kWhite) << x << "," << y;
        }
    // A source rectangle reaching past the source copies only what exists.
    Raster s(10, 10, kWhite);
    DeviceContext ds(s);
    ds.BitBlt(0, 0, 10, 10, source, 4, 4);
    EXPECT_EQ(InkBox(s, kWhite), (Rect{0, 0, 2, 2}));
}

TEST(Blits, OverlappingCopyWithinOneRaster)
{
    Raster r = Gradient(10, 10);
    const Raster before = r;
    DeviceContext dc(r);
    dc.BitBlt(0, 0, 8, 8, r, 2, 2);   // up and left
    EXPECT_EQ(r.At(0, 0), before.At(2, 2));
    EXPECT_EQ(r.At(7, 7), before.At(9, 9));
    r = before;
    dc.BitBlt(2, 2, 8, 8, r, 0, 0);   // down and right
    EXPECT_EQ(r.At(2, 2), before.At(0, 0));
    EXPECT_EQ(r.At(9, 9), before.At(7, 7));
    EXPECT_EQ(r.At(5, 9), before.At(3, 7));
}

TEST(Blits, TransparentAndStretched)
{
    Raster icon(2, 1);
    icon.Set(0, 0, MakePixel(255, 0, 0, 0));
    icon.Set(1, 0, MakePixel(0, 0, 255, 255));
    Raster r(4, 2, kWhite);
    DeviceContext dc(r);
    dc.DrawTransparent(1, 1, icon);
    EXPECT_EQ(r.At(1, 1), kWhite);
    EXPECT_EQ(r.At(2, 1), kBlue);

    Raster small(2, 2);
    small.Set(0, 0, kRed);
    small.Set(1, 0, kBlue);
    small.Set(0, 1, kBlack);
    small.Set(1, 1, kWhite);
    Raster big(4, 4, kBlack);
    DeviceContext db(big);
    db.StretchBlt({0, 0, 4, 4}, small);
    EXPECT_TRUE(AllIn(big, {0, 0, 2, 2}, kRed));
    EXPECT_TRUE(AllIn(big, {2, 0, 4, 2}, kBlue));
    EXPECT_TRUE(AllIn(big, {2, 2, 4, 4}, kWhite));
}

TEST(SaveRestore, BringsBackObjectsOriginAndClip)
{
    Raster r(10, 10, kWhite);
    DeviceContext dc(r);
    dc.SetOrigin({1, 1});
    dc.IntersectClip({0, 0, 4, 4});
    const auto saved = dc.Save();
    dc.SetOrigin({5, 5});
    dc.RemoveClip();
    dc.SetBrush({kBlue, BrushStyle::Clear});
    dc.Restore(*saved);
    EXPECT_EQ(dc.Origin(), (Point{1, 1}));
    EXPECT_EQ(dc.ClipBox(), (Rect{0, 0, 4, 4}));
    EXPECT_EQ(dc.Brush().style, BrushStyle::Solid);
}

TEST(SystemColors, ClassicPalette)
{
    EXPECT_EQ(SystemColor(5), kWhite);
    EXPECT_EQ(SystemColor(8), kBlack);
    EXPECT_EQ(SystemColor(13), MakePixel(0, 0, 0x80));
    EXPECT_EQ(SystemColor(14), kWhite);
    EXPECT_EQ(SystemColor(15), MakePixel(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(SystemColor(16), MakePixel(0x80, 0x80, 0x80));
    EXPECT_EQ(SystemColor(17), MakePixel(0x80, 0x80, 0x80));
    EXPECT_EQ(SystemColor(20), kWhite);
    EXPECT_EQ(SystemColor(21), MakePixel(0x40, 0x40, 0x40));
    EXPECT_EQ(SystemColor(-1), kBlack);
    EXPECT_EQ(SystemColor(31), kBlack);
}

TEST(EmptyTargets, EveryPrimitiveIsANoOpOnAnEmptyRasterOrClip)
{
    Raster empty;
    Raster r(6, 6, kWhite);
    for (Raster* target : {&empty, &r}) {
        DeviceContext dc(*target);
        if (target == &r)
            dc.IntersectClip({3, 3, 3, 5});   // zero width
        EXPECT_TRUE(dc.ClipBox().IsEmpty());
        dc.MoveTo(-5, -5);
        dc.LineTo(20, 20);
        dc.SetPen({kRed, 5, PenStyle::Solid, PenMode::Copy, false});
        dc.LineTo(0, 30);
        dc.Rectangle(0, 0, 10, 10);
        dc.Ellipse(0, 0, 10, 10);
        const Point tri[] = {{0, 0}, {9, 0}, {0, 9}};
        dc.Polygon(tri, 3);
        dc.FillRect({0, 0, 10, 10});
        dc.DrawFocusRect({0, 0, 10, 10});
        dc.TextOut(0, 0, "Text");
        dc.BitBlt(0, 0, 5, 5, r, 0, 0);
        dc.StretchBlt({0, 0, 10, 10}, r);
        dc.DrawTransparent(0, 0, r);
    }
    EXPECT_EQ(Count(r, kWhite), 36);
}
