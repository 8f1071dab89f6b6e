#include "platform/DeviceContext.h"
#include "tests/platform/RasterProbe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace platform;
using namespace probe;

namespace {

PenSpec WhitePen(int width = 1, PenStyle style = PenStyle::Solid)
{
    PenSpec pen;
    pen.color = kWhite;
    pen.width = width;
    pen.style = style;
    return pen;
}

// Row y of the raster as a string: '#' for white, '.' for black, '?' otherwise.
std::string RowText(const Raster& r, int y, int x0, int x1)
{
    std::string s;
    for (int x = x0; x < x1; ++x)
        s += r.At(x, y) == kWhite ? '#' : r.At(x, y) == kBlack ? '.' : '?';
    return s;
}

} // namespace

TEST(Lines, ExcludeTheEndPointInEveryDirection)
{
    struct Case { Point from, to; };
    for (const Case c : {Case{{2, 5}, {8, 5}}, Case{{8, 5}, {2, 5}}, Case{{5, 2}, {5, 9}}, Case{{5, 9}, {5, 2}},
                         Case{{0, 0}, {5, 5}}, Case{{6, 1}, {1, 6}}}) {
        Raster r(12, 12, kBlack);
        DeviceContext dc(r);
        dc.SetPen(WhitePen());
        dc.MoveTo(c.from.x, c.from.y);
        dc.LineTo(c.to.x, c.to.y);
        const int length = std::max(std::abs(c.to.x - c.from.x), std::abs(c.to.y - c.from.y));
        EXPECT_EQ(Count(r, kWhite), length);
        EXPECT_EQ(r.At(c.from.x, c.from.y), kWhite);
        EXPECT_EQ(r.At(c.to.x, c.to.y), kBlack);
        EXPECT_EQ(dc.CurrentPosition(), c.to);
    }
}

TEST(Lines, HorizontalVerticalAndDiagonalPixels)
{
    Raster r(12, 12, kBlack);
    DeviceContext dc(r);
    dc.SetPen(WhitePen());
    dc.MoveTo(2, 1);
    dc.LineTo(8, 1);
    EXPECT_EQ(RowText(r, 1, 0, 10), "..######..");
    dc.MoveTo(0, 3);
    dc.LineTo(4, 7);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(r.At(i, 3 + i), kWhite) << i;
    EXPECT_EQ(r.At(4, 7), kBlack);
}

TEST(Lines, ShallowLinesTakeOnePixelPerColumnNearTheIdealLine)
{
    Raster r(40, 20, kBlack);
    DeviceContext dc(r);
    dc.SetPen(WhitePen());
    dc.MoveTo(1, 2);
    dc.LineTo(31, 13);
    for (int x = 1; x < 31; ++x) {
        int hits = 0, y = -1;
        for (int yy = 0; yy < 20; ++yy)
            if (r.At(x, yy) == kWhite) {
                ++hits;
                y = yy;
            }
        ASSERT_EQ(hits, 1) << x;
        EXPECT_LE(std::abs((y - 2) - (x - 1) * 11.0 / 30.0), 0.5) << x;
    }
    EXPECT_EQ(Count(r, kWhite), 30);
}

TEST(Lines, ClippedLineStopsAtTheClipAndKeepsItsPixels)
{
    Raster whole(40, 30, kBlack), clipped(40, 30, kBlack);
    for (Raster* r : {&whole, &clipped}) {
        DeviceContext dc(*r);
        dc.SetPen(WhitePen());
        if (r == &clipped)
            dc.IntersectClip({10, 5, 25, 20});
        dc.MoveTo(-7, -3);
        dc.LineTo(39, 26);
        dc.MoveTo(30, 2);
        dc.LineTo(3, 28);
    }
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 10 && x < 25 && y >= 5 && y < 20;
            EXPECT_EQ(clipped.At(x, y), inside ? whole.At(x, y) : kBlack) << x << "," << y;
        }
    EXPECT_GT(Count(clipped, kWhite), 10);
}

TEST(Lines, FarAwayEndPointsAreClippedWithoutWalkingThem)
{
    Raster r(20, 20, kBlack);
    DeviceContext dc(r);
    dc.SetPen(WhitePen());
    dc.MoveTo(-2000000000, 10);
    dc.LineTo(2000000000, 10);
    EXPECT_EQ(Count(r, kWhite), 20);
    dc.SetPen(WhitePen(3));
    dc.MoveTo(-2000000000, -2000000000);
    dc.LineTo(2000000000, 2000000000);
    EXPECT_EQ(r.At(5, 5), kWhite);
}

TEST(Lines, OriginShiftsEverythingAndClipBoxIsLogical)
{
    Raster r(20, 20, kBlack);
    DeviceContext dc(r);
    dc.SetPen(WhitePen());
    dc.SetOrigin({5, 7});
    dc.IntersectClip({0, 0, 4, 4});
    EXPECT_EQ(dc.ClipBox(), (Rect{0, 0, 4, 4}));
    dc.MoveTo(-2, 1);
    dc.LineTo(10, 1);
    EXPECT_EQ(RowText(r, 8, 3, 11), "..####..");
    EXPECT_EQ(Count(r, kWhite), 4);
    dc.RemoveClip();
    EXPECT_EQ(dc.ClipBox(), (Rect{-5, -7, 15, 13}));
}

TEST(Lines, WidePensCoverTheLineAndTheRowAboveOrColumnLeft)
{
    Raster r(20, 20, kBlack);
    DeviceContext dc(r);
    dc.SetPen(WhitePen(2));
    dc.MoveTo(4, 10);
    dc.LineTo(12, 10);
    EXPECT_EQ(RowText(r, 8, 0, 14), "..............");
    EXPECT_EQ(RowText(r, 9, 0, 14), "...#########..");
    EXPECT_EQ(RowText(r, 10, 0, 14), "...#########..");
    EXPECT_EQ(RowText(r, 11, 0, 14), "..............");

    Raster v(20, 20, kBlack);
    DeviceContext dv(v);
    dv.SetPen(WhitePen(3));
    dv.MoveTo(10, 2);
    dv.LineTo(10, 6);
    EXPECT_TRUE(AllIn(v, {9, 1, 12, 7}, kWhite));
    EXPECT_EQ(Count(v, kWhite), 18);
}

TEST(Lines, WideDiagonalIsSymmetricAndReversible)
{
    Raster forward(30, 30, kBlack), backward(30, 30, kBlack);
    {
        DeviceContext dc(forward);
        dc.SetPen(WhitePen(3));
        dc.MoveTo(5, 5);
        dc.LineTo(20, 20);
    }
    {
        DeviceContext dc(backward);
        dc.SetPen(WhitePen(3));
        dc.MoveTo(20, 20);
        dc.LineTo(5, 5);
    }
    // Mirror images of each other about the diagonal's centre, shifted by the excluded end.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            if (forward.At(x, y) == kWhite) {
                EXPECT_EQ(backward.At(x + 1, y + 1), kWhite) << x << "," << y;
            }

    // Overlapping stamps are painted once, so xor-style drawing undoes itself.
    Raster r(30, 30, kBlack);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            r.Set(x, y, MakePixel(uint8_t(x * 8), uint8_t(y * 8), 77));
    const Raster before = r;
    DeviceContext dc(r);
    PenSpec pen = WhitePen(4);
    pen.color = MakePixel(0x12, 0x34, 0x56);
    pen.mode = PenMode::NotXor;
    dc.SetPen(pen);
    dc.MoveTo(3, 25);
    dc.LineTo(27, 9);
    EXPECT_NE(r.Data()[0 + 25 * 30 + 3], before.Data()[0 + 25 * 30 + 3]);
    dc.MoveTo(3, 25);
    dc.LineTo(27, 9);
    for (int i = 0; i < 30 * 30; ++i)
        ASSERT_EQ(r.Data()[i], before.Data()[i]) << i;
}

TEST(Lines, DotAndDashPatternsRunOnAcrossSegments)
{
    Raster r(60, 10, kBlack);
    DeviceContext dc(r);
    dc.SetBackMode(BackgroundMode::Transparent);
    dc.SetPen(WhitePen(1, PenStyle::Dot));
    dc.MoveTo(0, 1);
    dc.LineTo(4, 1);   // the pattern continues into the next segment
    dc.LineTo(14, 1);
    EXPECT_EQ(RowText(r, 1, 0, 15), "###...###...##.");

    dc.SetPen(WhitePen(1, PenStyle::Dash));
    dc.MoveTo(0, 3);
    dc.LineTo(50, 3);
    EXPECT_EQ(RowText(r, 3, 0, 50), std::string(18, '#') + std::string(6, '.') + std::string(18, '#') +
                                          std::string(6, '.') + "##");

    // A new MoveTo restarts the pattern.
    dc.SetPen(WhitePen(1, PenStyle::Dot));
    dc.MoveTo(0, 5);
    dc.LineTo(2, 5);
    dc.MoveTo(2, 5);
    dc.LineTo(8, 5);
    EXPECT_EQ(RowText(r, 5, 0, 9), "#####....");
}

TEST(Lines, OpaqueBackgroundFillsPatternGaps)
{
    Raster r(20, 4, kBlack);
    DeviceContext dc(r);
    dc.SetBackMode(BackgroundMode::Opaque);
    dc.SetBackColor(kRed);
    dc.SetPen(WhitePen(1, PenStyle::Dot));
    dc.MoveTo(0, 1);
    dc.LineTo(12, 1);
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(r.At(x, 1), (x / 3) % 2 == 0 ? kWhite : kRed) << x;
    EXPECT_EQ(r.At(12, 1), kBlack);
}

TEST(Lines, ClearAndAlternatePens)
{
    Raster r(20, 6, kBlack);
    DeviceContext dc(r);
    dc.SetBackMode(BackgroundMode::Transparent);
    dc.SetPen(WhitePen(1, PenStyle::Clear));
    dc.MoveTo(0, 1);
    dc.LineTo(19, 1);
    EXPECT_EQ(Count(r, kWhite), 0);

    PenSpec alt = WhitePen();
    alt.alternate = true;
    dc.SetPen(alt);
    dc.MoveTo(0, 3);
    dc.LineTo(9, 3);
    EXPECT_EQ(RowText(r, 3, 0, 10), "#.#.#.#.#.");

    // InsideFrame draws lines like a solid pen.
    dc.SetPen(WhitePen(1, PenStyle::InsideFrame));
    dc.MoveTo(0, 5);
    dc.LineTo(4, 5);
    EXPECT_EQ(RowText(r, 5, 0, 5), "####.");
}

TEST(Lines, PenModes)
{
    const Pixel ground = MakePixel(0x30, 0x60, 0x90);
    const Pixel penColor = MakePixel(0x0F, 0xF0, 0x55);
    struct Case { PenMode mode; Pixel expected; };
    const Case cases[] = {
        {PenMode::Copy, penColor},
        {PenMode::Xor, MakePixel(0x30 ^ 0x0F, 0x60 ^ 0xF0, 0x90 ^ 0x55)},
        {PenMode::NotXor, MakePixel(uint8_t(~(0x30 ^ 0x0F)), uint8_t(~(0x60 ^ 0xF0)), uint8_t(~(0x90 ^ 0x55)))},
        {PenMode::Not, MakePixel(0xCF, 0x9F, 0x6F)},
        {PenMode::Black, kBlack},
        {PenMode::White, kWhite},
    };
    for (const Case& c : cases) {
        Raster r(4, 1, ground);
        DeviceContext dc(r);
        PenSpec pen;
        pen.color = penColor;
        pen.mode = c.mode;
        dc.SetPen(pen);
        dc.MoveTo(0, 0);
        dc.LineTo(2, 0);
        EXPECT_EQ(r.At(0, 0), c.expected) << int(c.mode);
        EXPECT_EQ(r.At(2, 0), ground);
        if (c.mode == PenMode::NotXor || c.mode == PenMode::Xor || c.mode == PenMode::Not) {
            dc.MoveTo(0, 0);
            dc.LineTo(2, 0);
            EXPECT_EQ(r.At(0, 0), ground) << "twice restores, mode " << int(c.mode);
        }
    }
}

TEST(Lines, PolylineLeavesTheCurrentPositionAlone)
{
    Raster r(10, 10, kBlack);
    DeviceContext dc(r);
    dc.SetPen(WhitePen());
    dc.MoveTo(7, 7);
    const Point pts[] = {{1, 1}, {5, 1}, {5, 5}};
    dc.Polyline(pts, 3);
    EXPECT_EQ(dc.CurrentPosition(), (Point{7, 7}));
    EXPECT_EQ(Count(r, kWhite), 8);
    EXPECT_EQ(r.At(5, 1), kWhite);   // a joint is drawn once, by the second segment
    EXPECT_EQ(r.At(5, 5), kBlack);
    dc.Polyline(pts, 1);
    dc.Polyline(nullptr, 5);
    EXPECT_EQ(Count(r, kWhite), 8);
}
