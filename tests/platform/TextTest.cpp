#include "platform/DeviceContext.h"
#include "platform/FontEngine.h"
#include "tests/platform/RasterProbe.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace probe;

namespace {

Size ExtentOf(const FontSpec& font, const char* text)
{
    Raster r(1, 1);
    DeviceContext dc(r);
    dc.SetFont(font);
    return dc.TextExtent(text);
}

// Draws black text on white, transparent background, and returns the raster.
Raster Draw(const FontSpec& font, uint32_t align, int x, int y, const char* text, int w = 120, int h = 120)
{
    Raster r(w, h, kWhite);
    DeviceContext dc(r);
    dc.SetFont(font);
    dc.SetTextColor(kBlack);
    dc.SetBackMode(BackgroundMode::Transparent);
    dc.SetTextAlign(align);
    dc.TextOut(x, y, text);
    return r;
}

} // namespace

TEST(Fonts, DialogFaceMeasuresThirteenAtMinusEleven)
{
    for (const char* family : {"MS Sans Serif", ""}) {
        const Size zero = ExtentOf(Face(family, -11), "0");
        EXPECT_EQ(zero.cy, 13) << family;
        EXPECT_GT(zero.cx, 3);
        EXPECT_EQ(ExtentOf(Face(family, -11), "W").cy, 13);
    }
    Raster r(1, 1);
    DeviceContext dc(r);
    dc.SetFont(Face("MS Sans Serif", -11));
    const TextMetrics m = dc.Metrics();
    EXPECT_EQ(m.ascent + m.descent, m.height);
    EXPECT_EQ(m.internalLeading, 2);
    EXPECT_GT(m.averageCharWidth, 3);
    EXPECT_EQ(FontEngine::Instance().ResolveFamily("MS Sans Serif"), FontEngine::Instance().WindowFamily());
    EXPECT_FALSE(FontEngine::Instance().WindowFamily().empty());
}

TEST(Fonts, SubstitutesAndSizes)
{
    FontEngine& engine = FontEngine::Instance();
    EXPECT_EQ(engine.ResolveFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(engine.ResolveFamily("No Such Family 42"), engine.WindowFamily());

    const Size regular = ExtentOf(Face("Arial", -11), "W");
    const Size bold = ExtentOf(Face("Arial", -11, true), "W");
    EXPECT_EQ(bold.cy, 13);
    EXPECT_GE(bold.cx, regular.cx);
    EXPECT_GT(regular.cx, 6);
    EXPECT_LT(regular.cx, 14);
    // Extents add up advance by advance.
    EXPECT_EQ(ExtentOf(Face("Arial", -11), "WW").cx, 2 * regular.cx);
    EXPECT_EQ(ExtentOf(Face("Arial", -11), "").cx, 0);

    // A positive height asks for the cell, exactly.
    for (int cell : {13, 16, 20, 31})
        EXPECT_EQ(ExtentOf(Face("Arial", cell), "0").cy, cell) << cell;
    EXPECT_GT(ExtentOf(Face("Arial", -16), "0").cy, ExtentOf(Face("Arial", -11), "0").cy);
    // Absurd sizes are capped instead of allocating without bound.
    EXPECT_LE(ExtentOf(Face("Arial", -1000000), "0").cy, 1200);
}

TEST(Fonts, FixedCellRatioMakesAnyFaceThirteenHigh)
{
    // The fallback for machines without a face that measures 13 naturally.
    FontSizing sizing;
    sizing.em26 = 11 * 64;
    sizing.cellPerEm = 13.0 / 11.0;
    auto font = FontEngine::Instance().Open("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 0, sizing);
    if (!font)
        GTEST_SKIP() << "DejaVu Sans not installed";
    EXPECT_EQ(font->Metrics().height, 13);
    sizing.cellPerEm = 0;
    auto natural = FontEngine::Instance().Open("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 0, sizing);
    EXPECT_EQ(natural->Metrics().height, 14);
}

TEST(Text, InkStaysInsideTheExtentForEveryAlignment)
{
    const FontSpec font = Face("MS Sans Serif", -11);
    const Size ext = ExtentOf(font, "Wg0");
    const TextMetrics m = [&] {
        Raster r(1, 1);
        DeviceContext dc(r);
        dc.SetFont(font);
        return dc.Metrics();
    }();
    const int x = 60, y = 60;
    for (uint32_t h : {textalign::Left, textalign::Center, textalign::Right})
        for (uint32_t v : {textalign::Top, textalign::Baseline, textalign::Bottom}) {
            const Raster r = Draw(font, h | v, x, y, "Wg0");
            const int left = h == textalign::Left ? x : h == textalign::Center ? x - ext.cx / 2 : x - ext.cx;
            const int top = v == textalign::Top ? y : v == textalign::Baseline ? y - m.ascent : y - ext.cy;
            const Rect ink = InkBox(r, kWhite);
            ASSERT_FALSE(ink.IsEmpty());
            EXPECT_EQ(ink.Intersect({left, top, left + ext.cx, top + ext.cy}), ink) << h << "/" << v;
            // The ink fills most of the box: it is really this text, not a stray pixel.
            EXPECT_GE(ink.Width(), ext.cx - 3);
            EXPECT_GE(ink.Height(), m.ascent);
        }
}

TEST(Text, OpaqueBackgroundFillsExactlyTheCell)
{
    Raster r(80, 40, kWhite);
    DeviceContext dc(r);
    dc.SetFont(Face("MS Sans Serif", -11));
    dc.SetTextColor(kBlack);
    dc.SetBackColor(kBlue);
    dc.SetBackMode(BackgroundMode::Opaque);
    dc.TextOut(10, 5, "Go 0,7");
    const Size ext = dc.TextExtent("Go 0,7");
    EXPECT_EQ(InkBox(r, kWhite), (Rect{10, 5, 10 + ext.cx, 5 + ext.cy}));
    EXPECT_GT(Count(r, kBlue), ext.cx * ext.cy / 2);
    EXPECT_EQ(r.At(10, 5), kBlue);   // a corner of the cell has no ink
}

TEST(Text, CyrillicAndBadUtf8Render)
{
    const FontSpec font = Face("MS Sans Serif", -11);
    const Size ext = ExtentOf(font, "Расчёт фильтра");
    EXPECT_GT(ext.cx, 60);
    const Raster r = Draw(font, 0, 2, 2, "Расчёт фильтра", 140, 20);
    EXPECT_GT(140 * 20 - Count(r, kWhite), 80);
    EXPECT_GT(InkBox(r, kWhite).Width(), ext.cx - 4);
    // Every Cyrillic letter has a real glyph: none of them draws the face's missing-glyph box.
    Font* f = FontEngine::Instance().Get(font);
    ASSERT_NE(f, nullptr);
    for (char32_t c : {U'Р', U'а', U'с', U'ч', U'ё', U'т', U'ф', U'и', U'л', U'ь', U'Ж', U'я'})
        EXPECT_TRUE(f->HasGlyph(c)) << uint32_t(c);
    // Malformed sequences draw replacement characters and never stop the text.
    const char bad[] = {'A', char(0xC3), 'B', char(0xE2), char(0x82), 0};
    EXPECT_GT(ExtentOf(font, bad).cx, ExtentOf(font, "AB").cx);
}

TEST(Text, UnderlineAndStrikeOutRunAcrossTheAdvance)
{
    FontSpec font = Face("Arial", -11);
    font.underline = true;
    const Size ext = ExtentOf(font, "a b");
    Raster r = Draw(font, 0, 5, 5, "a b", 60, 30);
    Font* f = FontEngine::Instance().Get(font);
    const int row = 5 + f->UnderlineRow();
    EXPECT_GT(f->UnderlineRow(), f->StrikeOutRow());
    EXPECT_GE(f->UnderlineRow(), f->Metrics().ascent);
    for (int x = 5; x < 5 + ext.cx; ++x)
        EXPECT_EQ(r.At(x, row), kBlack) << x;
    font.underline = false;
    font.strikeOut = true;
    r = Draw(font, 0, 5, 5, "a b", 60, 30);
    for (int x = 5; x < 5 + ext.cx; ++x)
        EXPECT_EQ(r.At(x, 5 + f->StrikeOutRow()), kBlack) << x;
}

TEST(Text, QuarterTurnsAreExactRotationsAroundTheReferencePoint)
{
    FontSpec font = Face("Arial", -11, true);
    const Size ext = ExtentOf(font, "dB");
    const int x = 60, y = 60;
    const Raster flat = Draw(font, 0, x, y, "dB");
    font.escapement = 900;
    const Raster up = Draw(font, 0, x, y, "dB");
    font.escapement = 2700;
    const Raster down = Draw(font, 0, x, y, "dB");
    font.escapement = 1800;
    const Raster upside = Draw(font, 0, x, y, "dB");

    // Reading upward: tall and narrow, above and to the right of the reference point.
    const Rect upInk = InkBox(up, kWhite);
    EXPECT_GT(upInk.Height(), upInk.Width());
    EXPECT_EQ(upInk.Intersect({x, y - ext.cx, x + ext.cy, y}), upInk);
    // Reading downward: below and to the left.
    const Rect downInk = InkBox(down, kWhite);
    EXPECT_EQ(downInk.Intersect({x - ext.cy, y, x, y + ext.cx}), downInk);

    // Pixel for pixel the same picture, turned: cell pixel (u, v) of the flat text lands at
    // (x + v, y - u - 1) upward, (x - v - 1, y + u) downward, (x - u - 1, y - v - 1) upside down.
    for (int v = 0; v < ext.cy; ++v)
        for (int u = 0; u < ext.cx; ++u) {
            const Pixel p = flat.At(x + u, y + v);
            ASSERT_EQ(up.At(x + v, y - u - 1), p) << u << "," << v;
            ASSERT_EQ(down.At(x - v - 1, y + u), p) << u << "," << v;
            ASSERT_EQ(upside.At(x - u - 1, y - v - 1), p) << u << "," << v;
        }
    EXPECT_EQ(Count(up, kWhite), Count(flat, kWhite));
}

TEST(Text, CentredBottomTitleTurnedUpwardSitsLeftOfItsLine)
{
    // The vertical axis title: centred along the axis, its bottom edge at the reference x.
    FontSpec font = Face("Arial", -11, true);
    font.escapement = 900;
    const int x = 30, y = 60;
    const Raster r = Draw(font, textalign::Center | textalign::Bottom, x, y, "dB");
    const Size ext = ExtentOf(font, "dB");
    const Rect ink = InkBox(r, kWhite);
    EXPECT_LE(ink.right, x);
    EXPECT_GE(ink.left, x - ext.cy);
    EXPECT_LE(std::abs((ink.top + ink.bottom) / 2 - y), 2);
}

TEST(Text, OtherAnglesTurnAroundTheReferencePointToo)
{
    FontSpec font = Face("Arial", -11);
    font.escapement = 450;
    const int x = 40, y = 80;
    const Raster r = Draw(font, 0, x, y, "WWWWWW");
    const Rect ink = InkBox(r, kWhite);
    ASSERT_FALSE(ink.IsEmpty());
    // Upward and to the right, about as wide as high.
    EXPECT_GE(ink.left, x - 12);
    EXPECT_LE(ink.bottom, y + 12);
    EXPECT_LT(ink.top, y - 30);
    EXPECT_GT(ink.right, x + 30);
    EXPECT_LE(std::abs(ink.Width() - ink.Height()), 4);
    // 3600 + 450 is the same angle.
    font.escapement = 4050;
    const Raster again = Draw(font, 0, x, y, "WWWWWW");
    EXPECT_EQ(InkBox(again, kWhite), ink);
}

TEST(Text, ClipAndOriginApplyToText)
{
    Raster r(60, 30, kWhite);
    DeviceContext dc(r);
    dc.SetFont(Face("Arial", -11));
    dc.SetTextColor(kBlack);
    dc.SetBackMode(BackgroundMode::Transparent);
    dc.SetOrigin({10, 5});
    dc.IntersectClip({0, 0, 8, 30});
    dc.TextOut(0, 0, "WWWW");
    const Rect ink = InkBox(r, kWhite);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 18);
    EXPECT_GE(ink.top, 5);
}
