// The drawing surface's operations that the chart's own painting does not use: the classic
// arc, pie and rounded box, the rectangle-record box, the depth variants of pixels, lines,
// polygons and text, the background and alignment state read back, the monochrome switch and
// the capability queries. Each is checked by the pixels it leaves.

#include "SurfaceSupport.h"

#include "chart/TView3DOptions.h"
#include "forms/TFont.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace surfacetest;
using platform::Point;
using platform::Rect;

namespace {

// The point of the circle in the box (0, 0, 41, 41) at the angle (degrees, counter-clockwise
// from the right), pulled in by inset pixels.
Point OnCircle(double degrees, double inset = 0)
{
    const double a = degrees * 3.14159265358979 / 180, r = 20 - inset;
    return {int(std::lround(20.5 + r * std::cos(a))), int(std::lround(20.5 - r * std::sin(a)))};
}

// Whether a pen-coloured pixel lies within one pixel of p.
bool InkNear(const Window& w, Point p, TColor color)
{
    return w.Count(Px(color), {p.x - 1, p.y - 1, p.x + 2, p.y + 2}) > 0;
}

} // namespace

// --- Shapes -------------------------------------------------------------------------------

TEST(SurfaceShapes, AnArcRunsCounterClockwiseFromTheFirstRayToTheSecond)
{
    Window w(42, 42);
    DirectSurface s(w);
    s.surface.Pen()->SetColor(clRed);
    // From the ray to the right (0 degrees) to the ray upward (90 degrees): the upper right
    // quarter of the circle.
    s.surface.DrawArc(0, 0, 41, 41, 41, 20, 20, 0);
    for (const double a : {10.0, 45.0, 80.0})
        EXPECT_TRUE(InkNear(w, OnCircle(a), clRed)) << a;
    for (const double a : {135.0, 180.0, 225.0, 270.0, 315.0})
        EXPECT_FALSE(InkNear(w, OnCircle(a), clRed)) << a;
    // An arc is a line: its inside stays as it was.
    EXPECT_EQ(w.At(28, 12), Px(clWhite));

    // The rays the other way round give the other three quarters.
    Window rest(42, 42);
    DirectSurface t(rest);
    t.surface.Pen()->SetColor(clRed);
    t.surface.DrawArc(0, 0, 41, 41, 20, 0, 41, 20);
    EXPECT_FALSE(InkNear(rest, OnCircle(45), clRed));
    for (const double a : {135.0, 225.0, 315.0})
        EXPECT_TRUE(InkNear(rest, OnCircle(a), clRed)) << a;
}

TEST(SurfaceShapes, APieSliceIsFilledBetweenItsRaysAndTheCentre)
{
    Window w(42, 42);
    DirectSurface s(w);
    s.surface.Pen()->SetColor(clBlue);
    s.surface.Brush()->SetColor(clYellow);
    // From 90 degrees (up) to 180 degrees (left): the upper left quarter.
    s.surface.DrawPieSlice(0, 0, 41, 41, 20, 0, 0, 20);
    EXPECT_EQ(w.At(OnCircle(135, 8).x, OnCircle(135, 8).y), Px(clYellow));
    EXPECT_TRUE(InkNear(w, OnCircle(135), clBlue));
    for (const double a : {45.0, 225.0, 315.0})
        EXPECT_EQ(w.At(OnCircle(a, 8).x, OnCircle(a, 8).y), Px(clWhite)) << a;
    // Its two straight sides meet at the centre.
    EXPECT_TRUE(InkNear(w, {20, 20}, clBlue));
    EXPECT_TRUE(InkNear(w, {20, 10}, clBlue));
    EXPECT_TRUE(InkNear(w, {10, 20}, clBlue));
}

TEST(SurfaceShapes, ARoundBoxCutsItsCornersAndABoxRectIsTheBox)
{
    Window w(40, 30);
    DirectSurface s(w);
    s.surface.Pen()->SetColor(clBlue);
    s.surface.Brush()->SetColor(clYellow);
    s.surface.DrawRoundBox(0, 0, 40, 30, 16, 12);
    // The corners are rounded off; the straight sides and the inside are there.
    for (const Point corner : {Point{0, 0}, Point{39, 0}, Point{0, 29}, Point{39, 29}})
        EXPECT_EQ(w.At(corner.x, corner.y), Px(clWhite)) << corner.x << "," << corner.y;
    EXPECT_EQ(w.At(20, 0), Px(clBlue));
    EXPECT_EQ(w.At(0, 15), Px(clBlue));
    EXPECT_EQ(w.At(20, 15), Px(clYellow));
    // With corners too small to round, it is a plain box.
    Window plain(40, 30), box(40, 30);
    DirectSurface a(plain), b(box);
    for (DirectSurface* d : {&a, &b}) {
        d->surface.Pen()->SetColor(clBlue);
        d->surface.Brush()->SetColor(clYellow);
    }
    a.surface.DrawRoundBox(2, 3, 30, 25, 1, 1);
    b.surface.DrawBox(2, 3, 30, 25);
    EXPECT_TRUE(plain.SameAs(box));

    // A box from a rectangle record draws what DrawBox draws.
    Window record(40, 30);
    DirectSurface r(record);
    r.surface.Pen()->SetColor(clBlue);
    r.surface.Brush()->SetColor(clYellow);
    r.surface.DrawBoxRect({2, 3, 30, 25});
    EXPECT_TRUE(record.SameAs(box));
    EXPECT_EQ(record.At(2, 10), Px(clBlue));
    EXPECT_EQ(record.At(29, 10), Px(clBlue));
    EXPECT_EQ(record.At(30, 10), Px(clWhite));
    EXPECT_EQ(record.At(10, 10), Px(clYellow));
}

TEST(SurfaceShapes, LinesAreDrawnWithoutSmoothing)
{
    Window w(40, 40);
    DirectSurface s(w);
    EXPECT_FALSE(s.surface.SupportsSmoothing());
    s.surface.Pen()->SetColor(clRed);
    s.surface.DrawSegment(3, 5, 36, 31);
    s.surface.DrawEllipse(5, 5, 35, 25);
    std::set<platform::Pixel> colours;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            colours.insert(w.At(x, y));
    // Only the pen, the (white) brush and the background: no blended edge pixels.
    EXPECT_EQ(colours, (std::set<platform::Pixel>{Px(clWhite), Px(clRed)}));
}

// --- Depth --------------------------------------------------------------------------------

TEST(SurfaceDepth, PixelsLinesAndPolygonsAtDepthLandWhereThePointsProject)
{
    TView3DOptions options;   // orthogonal, zoom 100
    Window flat(60, 60), deep(60, 60), shifted(60, 60);
    DirectSurface f(flat), d(deep, &options, true, 20), p(shifted);
    // On a flat surface depth changes nothing; in the orthogonal view a point moves right and
    // up by its depth.
    EXPECT_EQ(f.surface.ProjectToPoint(10, 30, 7), (Point{10, 30}));
    EXPECT_EQ(d.surface.ProjectToPoint(10, 30, 7), (Point{17, 23}));
    EXPECT_EQ(d.surface.ProjectToPoint(10, 30, 7), d.surface.ProjectPoint(10, 30, 7));

    f.surface.PutPixelAtDepth(10, 30, 7, clRed);
    d.surface.PutPixelAtDepth(10, 30, 7, clRed);
    EXPECT_EQ(flat.At(10, 30), Px(clRed));
    EXPECT_EQ(deep.At(17, 23), Px(clRed));
    EXPECT_EQ(deep.At(10, 30), Px(clWhite));

    // A line from a moved-to point at depth.
    d.surface.Pen()->SetColor(clBlue);
    d.surface.MoveToPointAtDepth(5, 50, 4);
    d.surface.LineToPointAtDepth(25, 50, 4);
    EXPECT_EQ(deep.At(15, 46), Px(clBlue));
    EXPECT_EQ(deep.At(15, 50), Px(clWhite));
    // The same with the plain moves, on the shifted points, gives the same pixels.
    p.surface.PutPixel(17, 23, clRed);
    p.surface.Pen()->SetColor(clBlue);
    p.surface.MoveToPoint(9, 46);
    p.surface.LineToPoint(29, 46);
    EXPECT_TRUE(deep.SameAs(shifted));

    // A line along the depth axis: a diagonal, one pixel right and up per unit of depth.
    Window depthLine(60, 60);
    DirectSurface l(depthLine, &options, true, 20);
    l.surface.Pen()->SetColor(clGreen);
    l.surface.DepthLine(20, 40, 0, 10);
    for (int z = 0; z < 10; ++z)
        EXPECT_EQ(depthLine.At(20 + z, 40 - z), Px(clGreen)) << z;
    EXPECT_EQ(depthLine.At(20, 30), Px(clWhite));
    // On a flat surface it has no length.
    Window none(60, 60);
    DirectSurface n(none);
    n.surface.Pen()->SetColor(clGreen);
    n.surface.DepthLine(20, 40, 0, 10);
    EXPECT_EQ(none.Count(Px(clGreen), {0, 0, 60, 60}), 0);
}

TEST(SurfaceDepth, APolygonAtDepthTakesAllItsPointsAndMovesWithTheDepth)
{
    TView3DOptions options;
    Window deep(60, 60), plain(60, 60);
    DirectSurface d(deep, &options, true, 20), p(plain);
    for (DirectSurface* s : {&d, &p}) {
        s->surface.Pen()->SetColor(clBlue);
        s->surface.Brush()->SetColor(clBlue);
    }
    // The count is the number of points (the flat polygon takes the index of the last one).
    const Point square[] = {{10, 20}, {30, 20}, {30, 40}, {10, 40}};
    d.surface.DrawPolygonAtDepth(square, 4, 6);
    const Point moved[] = {{16, 14}, {36, 14}, {36, 34}, {16, 34}};
    p.surface.DrawPolygon(moved, 3);
    EXPECT_TRUE(deep.SameAs(plain));
    // The whole square, not a triangle of its first three points.
    EXPECT_EQ(deep.At(19, 31), Px(clBlue));
    EXPECT_EQ(deep.At(33, 17), Px(clBlue));
    EXPECT_EQ(deep.At(12, 20), Px(clWhite));
}

// --- Text ---------------------------------------------------------------------------------

TEST(SurfaceText, TextAtDepthIsPlacedByTheProjectionAndZoomedWithTheView)
{
    TView3DOptions options;
    // Flat: the same as plain text.
    Window a(120, 60), b(120, 60);
    DirectSurface fa(a), fb(b);
    fa.surface.PutTextAtDepth(10, 10, "Wq 12", 30);
    fb.surface.PutText(10, 10, "Wq 12");
    EXPECT_TRUE(a.SameAs(b));
    EXPECT_LT(a.InkBox().left, a.InkBox().right);

    // Orthogonal: moved by the depth.
    Window c(120, 60), e(120, 60);
    DirectSurface dc(c, &options, true, 40), de(e);
    dc.surface.PutTextAtDepth(10, 30, "Wq 12", 8);
    de.surface.PutText(18, 22, "Wq 12");
    EXPECT_TRUE(c.SameAs(e));

    // Zoomed text grows with the view's zoom; with ZoomText off it keeps its size.
    const auto inkWidth = [&](int zoom, bool zoomText) {
        TView3DOptions zoomed;
        zoomed.SetZoom(zoom);
        zoomed.SetZoomText(zoomText);
        Window w(240, 80);
        DirectSurface s(w, &zoomed, true, 0);
        s.surface.Font()->SetSize(10);
        s.surface.PutTextAtDepth(120, 40, "WWWW", 0);
        return w.InkBox().Width();
    };
    const int normal = inkWidth(100, true);
    EXPECT_NEAR(inkWidth(200, true), 2 * normal, 4);
    EXPECT_EQ(inkWidth(200, false), normal);
}

TEST(SurfaceText, RotatedTextAtDepthTurnsAroundTheProjectedPoint)
{
    TView3DOptions options;
    Window a(80, 80), b(80, 80);
    DirectSurface da(a, &options, true, 30), db(b);
    da.surface.PutRotatedTextAtDepth(30, 60, 10, 90, "Wq");
    db.surface.PutRotatedText(40, 50, 90, "Wq");
    EXPECT_TRUE(a.SameAs(b));
    // Turned a quarter: taller than wide, reading upward from the point.
    const Rect ink = a.InkBox();
    EXPECT_GT(ink.Height(), ink.Width());
    EXPECT_LE(ink.bottom, 51);
    EXPECT_EQ(da.surface.Brush()->Style(), bsClear);
}

// --- Drawing state ------------------------------------------------------------------------

TEST(SurfaceState, BackgroundColourAndModeReadBackAndShowBehindText)
{
    Window w(120, 40);
    DirectSurface s(w);
    s.surface.Brush()->SetStyle(bsClear);
    s.surface.ApplyBackColor(clYellow);
    s.surface.ApplyBackMode(platform::BackgroundMode::Opaque);
    EXPECT_EQ(s.surface.ReadBackColor(), clYellow);
    EXPECT_EQ(s.surface.ReadBackMode(), platform::BackgroundMode::Opaque);
    // Opaque: the text's cell is filled with the background colour.
    s.surface.PutText(5, 5, "Wq");
    const int cellWidth = s.surface.MeasureTextWidth("Wq");
    const int cellHeight = s.surface.MeasureTextHeight("Wq");
    EXPECT_EQ(cellHeight, s.surface.FontPixelHeight());
    EXPECT_GT(w.Count(Px(clYellow), {5, 5, 5 + cellWidth, 5 + cellHeight}), cellWidth * cellHeight / 3);
    EXPECT_EQ(w.Count(Px(clYellow), {0, 5 + cellHeight, 120, 40}), 0);
    // System colours are resolved to their RGB values.
    s.surface.ApplyBackColor(clBtnFace);
    EXPECT_EQ(s.surface.ReadBackColor(), ColorToRGB(clBtnFace));
    // Transparent: nothing behind the glyphs.
    s.surface.ApplyBackColor(clYellow);
    s.surface.ApplyBackMode(platform::BackgroundMode::Transparent);
    EXPECT_EQ(s.surface.ReadBackMode(), platform::BackgroundMode::Transparent);
    s.surface.PutText(60, 5, "Wq");
    EXPECT_EQ(w.Count(Px(clYellow), {60, 0, 120, 40}), 0);
}

TEST(SurfaceState, TextAlignmentReadsBackAndPlacesTheTextAroundItsPoint)
{
    using namespace platform::textalign;
    Window w(120, 60);
    DirectSurface s(w);
    s.surface.ApplyTextAlign(Right | Bottom);
    EXPECT_EQ(s.surface.ReadTextAlign(), Right | Bottom);
    s.surface.PutText(80, 40, "Wq");
    const Rect ink = w.InkBox();
    // The text ends at x 80 and sits on y 40.
    EXPECT_LE(ink.right, 81);
    EXPECT_GE(ink.right, 80 - 2);
    EXPECT_LE(ink.bottom, 40);
    EXPECT_GE(ink.top, 40 - s.surface.FontPixelHeight());
    s.surface.ApplyTextAlign(Center | Top);
    EXPECT_EQ(s.surface.ReadTextAlign(), Center | Top);
}

TEST(SurfaceState, MonochromeDropsThePictureAndCopiesToAnotherSurface)
{
    Window window(30, 20);
    TChartCanvas3D surface(window.Canvas());
    int repaints = 0;
    surface.SetOnRepaint([&](TObject*) { ++repaints; });
    surface.BeginDrawing(window.Canvas(), {0, 0, 30, 20}, nullptr, false);
    surface.Brush()->SetColor(clRed);
    surface.FillArea({0, 0, 30, 20});
    surface.EndDrawing(window.Canvas(), window.Canvas(), {0, 0, 30, 20});
    EXPECT_EQ(window.At(10, 10), Px(clRed));
    EXPECT_FALSE(surface.IsMonochrome());

    // Switching to monochrome drops the stored picture and asks for a new one, once.
    surface.ApplyMonochrome(true);
    EXPECT_TRUE(surface.IsMonochrome());
    EXPECT_EQ(surface.Bitmap(), nullptr);
    EXPECT_EQ(repaints, 1);
    surface.ApplyMonochrome(true);
    EXPECT_EQ(repaints, 1);
    Window uncovered(30, 20);
    EXPECT_FALSE(surface.RepaintFromBuffer(uncovered.Canvas()));
    EXPECT_EQ(uncovered.At(10, 10), Px(clWhite));
    // The next paint draws into a monochrome picture.
    surface.BeginDrawing(window.Canvas(), {0, 0, 30, 20}, nullptr, false);
    ASSERT_NE(surface.Bitmap(), nullptr);
    EXPECT_TRUE(surface.Bitmap()->Monochrome());
    surface.EndDrawing(window.Canvas(), window.Canvas(), {0, 0, 30, 20});

    // Another surface takes the flag over, and with it the same consequences.
    Window second(30, 20);
    TChartCanvas3D other(second.Canvas());
    int otherRepaints = 0;
    other.SetOnRepaint([&](TObject*) { ++otherRepaints; });
    other.CopySettings(surface);
    EXPECT_TRUE(other.IsMonochrome());
    EXPECT_EQ(otherRepaints, 1);
    other.BeginDrawing(second.Canvas(), {0, 0, 30, 20}, nullptr, false);
    EXPECT_TRUE(other.Bitmap()->Monochrome());
    surface.ApplyMonochrome(false);
    other.CopySettings(surface);
    EXPECT_FALSE(other.IsMonochrome());
    EXPECT_EQ(other.Bitmap(), nullptr);
}
