#include "SurfaceSupport.h"

#include "chart/TChartCanvas3D.h"
#include "chart/TChartHiddenPen.h"
#include "chart/TChartPen.h"
#include "chart/TView3DOptions.h"
#include "forms/TBitmap.h"
#include "forms/TCanvas.h"

#include <gtest/gtest.h>

#include <set>

using platform::Point;
using platform::Rect;

using namespace surfacetest;

TEST(ChartSurface, FlatSurfaceIgnoresDepth)
{
    Window flat(60, 40), deep(60, 40);
    DirectSurface a(flat), b(deep);
    a.surface.Pen()->SetColor(clRed);
    b.surface.Pen()->SetColor(clRed);
    a.surface.DrawSegment(5, 5, 50, 30);
    b.surface.DrawSegmentAtDepth(5, 5, 50, 30, 50);
    a.surface.HorizontalLine(2, 40, 35);
    b.surface.HorizontalLineAtDepth(2, 40, 35, 50);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(flat.At(x, y), deep.At(x, y)) << x << "," << y;
    EXPECT_EQ(flat.At(10, 35), Px(clRed));
    EXPECT_EQ(a.surface.ProjectPoint(7, 9, 50), (Point{7, 9}));
}

TEST(ChartSurface, OrthogonalViewShiftsByDepthAndUnprojects)
{
    Window window(100, 100);
    TChartCanvas3D surface(window.Canvas());
    TView3DOptions options;
    surface.BeginDrawing(window.Canvas(), {0, 0, 100, 100}, &options, true);
    surface.SetProjection(20, {0, 0, 100, 100}, {0, 0, 100, 100});
    EXPECT_EQ(surface.ProjectPoint(10, 10, 5), (Point{15, 5}));
    EXPECT_EQ(surface.UnprojectPoint({15, 5}, 5), (Point{10, 10}));
    // Flat drawing switches the depth off until it ends.
    surface.BeginFlatDrawing();
    EXPECT_EQ(surface.ProjectPoint(10, 10, 5), (Point{10, 10}));
    surface.EndFlatDrawing();
    EXPECT_EQ(surface.ProjectPoint(10, 10, 5), (Point{15, 5}));
}

TEST(ChartSurface, GradientUsesAtMost256StripsAndOneBrushPerColour)
{
    Window tall(10, 600);
    DirectSurface s(tall);
    s.surface.FillGradient({0, 0, 10, 600}, clBlack, gdTopBottom, clWhite);
    EXPECT_EQ(s.surface.LastGradient().fills, 256);
    EXPECT_EQ(s.surface.LastGradient().brushes, 256);
    std::set<platform::Pixel> rows;
    for (int y = 0; y < 600; ++y)
        rows.insert(tall.At(5, y));
    EXPECT_EQ(rows.size(), 256u);
    EXPECT_EQ(tall.At(0, 599), Px(clBlack));   // the first colour at the bottom edge
    EXPECT_EQ(tall.At(9, 0), Px(clWhite));

    Window small(10, 100);
    DirectSurface t(small);
    t.surface.FillGradient({0, 100, 10, 0}, clBlack, gdTopBottom, clWhite);   // unnormalised
    EXPECT_EQ(t.surface.LastGradient().fills, 100);
    EXPECT_NE(small.At(5, 50), small.At(5, 51));   // strips of one pixel

    t.surface.FillGradient({0, 0, 10, 100}, clLime, gdTopBottom, clLime);
    EXPECT_EQ(t.surface.LastGradient().brushes, 1);
    for (int y = 0; y < 100; ++y)
        ASSERT_EQ(small.At(3, y), Px(clLime));
}

TEST(ChartSurface, BottomTopExchangesTheColours)
{
    Window down(8, 50), up(8, 50), left(50, 8);
    DirectSurface a(down), b(up), c(left);
    a.surface.FillGradient({0, 0, 8, 50}, clRed, gdTopBottom, clBlue);
    b.surface.FillGradient({0, 0, 8, 50}, clBlue, gdBottomTop, clRed);
    for (int y = 0; y < 50; ++y)
        ASSERT_EQ(down.At(4, y), up.At(4, y));
    EXPECT_EQ(down.At(4, 49), Px(clRed));
    c.surface.FillGradient({0, 0, 50, 8}, clBlue, gdRightLeft, clRed);
    EXPECT_EQ(left.At(49, 4), Px(clRed));   // the exchanged first colour at the right edge
    EXPECT_EQ(left.At(0, 4), Px(clBlue));
}

TEST(ChartSurface, GradientFromCenterHasStartOutsideAndEndInside)
{
    Window window(41, 21);
    DirectSurface s(window);
    s.surface.FillGradient({0, 0, 41, 21}, clBlack, gdFromCenter, clWhite);
    // gdFromCenter exchanges too: the second colour given forms the outer ring.
    EXPECT_EQ(window.At(0, 0), Px(clWhite));
    EXPECT_EQ(window.At(40, 20), Px(clWhite));
    EXPECT_EQ(window.At(20, 10), Px(clBlack));
}

TEST(ChartSurface, BufferIsReusedWhileTheSizeHoldsAndCopiedWithoutDrawing)
{
    Window window(30, 20);
    TChartCanvas3D surface(window.Canvas());
    EXPECT_TRUE(surface.IsDirty());
    EXPECT_FALSE(surface.RepaintFromBuffer(window.Canvas()));
    const Rect bounds = surface.BeginDrawing(window.Canvas(), {5, 5, 35, 25}, nullptr, false);
    EXPECT_EQ(bounds, (Rect{0, 0, 30, 20}));
    TBitmap* first = surface.Bitmap();
    ASSERT_NE(first, nullptr);
    surface.Brush()->SetColor(clRed);
    surface.FillArea(bounds);
    EXPECT_EQ(window.At(0, 0), Px(clWhite));   // drawn off-screen only
    surface.EndDrawing(window.Canvas(), window.Canvas(), {0, 0, 30, 20});
    EXPECT_FALSE(surface.IsDirty());
    EXPECT_EQ(window.At(29, 19), Px(clRed));
    EXPECT_EQ(surface.ReferenceCanvas(), window.Canvas());

    Window uncovered(30, 20);
    EXPECT_TRUE(surface.RepaintFromBuffer(uncovered.Canvas()));
    EXPECT_EQ(uncovered.At(15, 10), Px(clRed));

    surface.BeginDrawing(window.Canvas(), {0, 0, 30, 20}, nullptr, false);
    EXPECT_EQ(surface.Bitmap(), first);
    surface.EndDrawing(nullptr, window.Canvas(), {0, 0, 30, 20});
    surface.MarkDirty();
    EXPECT_FALSE(surface.RepaintFromBuffer(uncovered.Canvas()));
    surface.BeginDrawing(window.Canvas(), {0, 0, 40, 10}, nullptr, false);
    EXPECT_EQ(surface.Bitmap()->Width(), 40);
    EXPECT_EQ(surface.Bitmap()->Height(), 10);
}

TEST(ChartSurface, HiddenPenDrawsNothingAndSmallDotsAlternate)
{
    Window window(20, 20);
    DirectSurface s(window);
    TChartHiddenPen hidden;
    hidden.SetColor(clRed);
    s.surface.ApplyChartPen(&hidden);
    EXPECT_EQ(s.surface.Pen()->Style(), psClear);
    s.surface.DrawSegment(0, 5, 20, 5);
    for (int x = 0; x < 20; ++x)
        ASSERT_EQ(window.At(x, 5), Px(clWhite));

    TChartPen dots;
    dots.SetColor(clBlue);
    dots.SetSmallDots(true);
    s.surface.ApplyChartPen(&dots);
    s.surface.HorizontalLine(0, 10, 8);
    EXPECT_NE(window.At(0, 8), window.At(1, 8));
    EXPECT_EQ(window.At(0, 8), window.At(2, 8));
}

TEST(ChartSurface, RotatedTextAbove360IsReduced)
{
    Window a(80, 80), b(80, 80), c(80, 80);
    DirectSurface sa(a), sb(b), sc(c);
    sa.surface.PutRotatedText(40, 60, 450, "Wq");
    sb.surface.PutRotatedText(40, 60, 90, "Wq");
    sc.surface.PutRotatedText(40, 60, 0, "Wq");
    bool inked = false, differsFromFlat = false;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) {
            ASSERT_EQ(a.At(x, y), b.At(x, y));
            inked = inked || a.At(x, y) != Px(clWhite);
            differsFromFlat = differsFromFlat || a.At(x, y) != c.At(x, y);
        }
    EXPECT_TRUE(inked);
    EXPECT_TRUE(differsFromFlat);
    EXPECT_EQ(sa.surface.Brush()->Style(), bsClear);
    EXPECT_GT(sa.surface.FontPixelHeight(), 0);
    EXPECT_GT(sa.surface.MeasureTextWidth("WWW"), sa.surface.MeasureTextWidth("W"));
}

TEST(ChartSurface, PlotBoxClipKeepsTheWallOutlineFree)
{
    Window window(30, 30);
    DirectSurface s(window);
    s.surface.ClipToPlotBox({5, 5, 25, 25}, 0, 0);
    s.surface.Brush()->SetColor(clRed);
    s.surface.FillArea({0, 0, 30, 30});
    EXPECT_EQ(window.At(5, 10), Px(clWhite));    // left edge
    EXPECT_EQ(window.At(6, 6), Px(clRed));
    EXPECT_EQ(window.At(10, 5), Px(clWhite));    // top edge
    EXPECT_EQ(window.At(24, 10), Px(clRed));     // right side unchanged (exclusive 25)
    EXPECT_EQ(window.At(25, 10), Px(clWhite));
    EXPECT_EQ(window.At(10, 23), Px(clRed));
    EXPECT_EQ(window.At(10, 24), Px(clWhite));   // bottom - 1
    s.surface.RemoveClip();
    s.surface.FillArea({0, 0, 30, 30});
    EXPECT_EQ(window.At(0, 0), Px(clRed));
}

TEST(ChartSurface, BevelAndPolygonFollowTheirPixelRules)
{
    Window window(20, 20);
    DirectSurface s(window);
    s.surface.DrawBevel({0, 0, 20, 20}, clBlack, 2, clRed);
    EXPECT_EQ(window.At(0, 10), Px(clBlack));
    EXPECT_EQ(window.At(10, 0), Px(clBlack));
    EXPECT_EQ(window.At(19, 10), Px(clRed));
    EXPECT_EQ(window.At(10, 19), Px(clRed));
    EXPECT_EQ(window.At(1, 10), Px(clBlack));    // the second ring
    EXPECT_EQ(window.At(18, 10), Px(clRed));
    EXPECT_EQ(window.At(2, 10), Px(clWhite));

    Window poly(20, 20);
    DirectSurface p(poly);
    p.surface.Brush()->SetColor(clBlue);
    p.surface.Pen()->SetColor(clBlue);
    const Point square[] = {{2, 2}, {17, 2}, {17, 17}, {2, 17}};
    p.surface.DrawPolygon(square, 2);   // three points: a triangle
    EXPECT_EQ(poly.At(15, 5), Px(clBlue));
    EXPECT_EQ(poly.At(4, 15), Px(clWhite));
}
