// The chart's paint sequence on the headless surface: plot rectangle from the margins, bevels,
// gradient background, back wall, axis lines and titles, buffered repaints, and the checks of
// the panel's settings.

#include "ChartPaintSupport.h"

#include "chart/ChartExceptions.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TChartDepthAxis.h"
#include "platform/DeviceContext.h"
#include "rtl/NumberText.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace chartpaint;
using platform::Rect;

namespace {

// The calculator's chart with a flat line through the middle of a linear plot, so that the
// edges of the plot stay clear of the series.
struct FlatChart {
    explicit FlatChart(int width = 265)
    {
        series = SetUpCalculatorChart(chart, width, 169, clRed);
        chart.BottomAxis()->SetLogarithmic(false);
        chart.LeftAxis()->SetRange(0, 10);
        for (int x = 1; x <= 10; ++x)
            series->AddPointXY(x, 5);
    }
    ProbeChart chart{nullptr};
    TLineSeries* series;
};

void ExpectChartError(const std::function<void()>& action, const std::string& message)
{
    try {
        action();
        ADD_FAILURE() << "no error, expected " << message;
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), message);
    }
}

// The bounding box of the pixels inside r that are not white (text is smoothed, so its
// pixels are dark rather than exactly black).
Rect InkBox(const Picture& p, const Rect& r)
{
    Rect box{r.right, r.bottom, r.left - 1, r.top - 1};
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (p.At(x, y) != Px(clWhite)) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
    return box;
}

} // namespace

TEST(ChartPanelPaint, PlotRectStartsFromMarginsAndBorderBeforeTheAxes)
{
    ProbeChart wide(nullptr), narrow(nullptr), bordered(nullptr);
    SetUpCalculatorChart(wide, 265, 169, clRed);
    SetUpCalculatorChart(narrow, 257, 169, clBlue, gdBottomTop);
    SetUpCalculatorChart(bordered, 265, 169, clRed);
    bordered.SetBorderWidth(2);
    Picture a(wide), b(narrow), c(bordered);
    EXPECT_EQ(wide.plotBeforeAxes, (Rect{8, 7, 257, 162}));
    EXPECT_EQ(narrow.plotBeforeAxes, (Rect{8, 7, 249, 162}));
    EXPECT_EQ(bordered.plotBeforeAxes, (Rect{10, 9, 255, 160}));

    // Crossing margins are repaired: the plot keeps at least one pixel.
    ProbeChart crossed(nullptr);
    SetUpCalculatorChart(crossed, 100, 80, clRed);
    crossed.SetMarginLeft(80);
    crossed.SetMarginRight(80);
    Picture d(crossed);
    EXPECT_EQ(crossed.plotBeforeAxes.left, 80);
    EXPECT_EQ(crossed.plotBeforeAxes.right, 81);
}

TEST(ChartPanelPaint, LoweredBevelsAroundAPlainWhitePanelInBothGradientDirections)
{
    for (const TGradientDirection direction : {gdTopBottom, gdBottomTop}) {
        ProbeChart chart(nullptr);
        SetUpCalculatorChart(chart, 257, 169, clBlue, direction);
        Picture p(chart);
        const int w = p.Width(), h = p.Height();
        for (const int ring : {0, 1}) {
            SCOPED_TRACE(ring);
            EXPECT_EQ(p.At(w / 2, ring), Px(clBtnShadow));
            EXPECT_EQ(p.At(ring, h / 2), Px(clBtnShadow));
            EXPECT_EQ(p.At(w / 2, h - 1 - ring), Px(clBtnHighlight));
            EXPECT_EQ(p.At(w - 1 - ring, h / 2), Px(clBtnHighlight));
        }
        // Inside the bevels the white-to-white gradient leaves one colour.
        for (const platform::Point pt : {platform::Point{2, 2}, {w - 3, 2}, {2, h - 3}, {w - 3, h - 3}, {w - 4, 40}})
            EXPECT_EQ(p.At(pt.x, pt.y), Px(clWhite)) << pt.x << "," << pt.y;
    }
    // A raised outer bevel turns the colours round.
    ProbeChart raised(nullptr);
    SetUpCalculatorChart(raised, 120, 90, clRed);
    raised.SetBevelOuter(bvRaised);
    Picture r(raised);
    EXPECT_EQ(r.At(60, 0), Px(clBtnHighlight));
    EXPECT_EQ(r.At(60, 89), Px(clBtnShadow));
    EXPECT_EQ(r.At(60, 1), Px(clBtnShadow));   // the inner bevel stays lowered
}

TEST(ChartPanelPaint, GradientStartColourLiesAtTheBottomForBothVerticalDirections)
{
    for (const TGradientDirection direction : {gdTopBottom, gdBottomTop}) {
        ProbeChart chart(nullptr);
        SetUpCalculatorChart(chart, 120, 90, clRed, direction);
        chart.Gradient()->SetStartColor(clBlack);
        chart.Gradient()->SetEndColor(clWhite);
        chart.SetBevelOuter(bvNone);
        chart.SetBevelInner(bvNone);
        Picture p(chart);
        EXPECT_EQ(p.At(1, 89), Px(clBlack)) << direction;
        EXPECT_EQ(p.At(1, 0), Px(clWhite)) << direction;
    }
    // Without a gradient the panel shows its own colour.
    ProbeChart plain(nullptr);
    SetUpCalculatorChart(plain, 120, 90, clRed);
    plain.Gradient()->SetVisible(false);
    plain.SetColor(clAqua);
    Picture q(plain);
    EXPECT_EQ(q.At(3, 3), Px(clAqua));
}

TEST(ChartPanelPaint, BackWallIsABlackOutlineOfTheFinalPlotRect)
{
    FlatChart f;
    Picture p(f.chart);
    const Rect r = f.chart.PlotRect();
    for (int x = r.left; x <= r.right; ++x)
        ASSERT_EQ(p.At(x, r.top), Px(clBlack)) << x;
    // (The left axis line's 2-pixel pen reaches above the plot at its own column.)
    for (int x = r.left + 1; x <= r.right + 1; ++x)
        ASSERT_EQ(p.At(x, r.top - 1), Px(clWhite)) << x;
    for (int y = r.top; y <= r.bottom; ++y) {
        ASSERT_EQ(p.At(r.right, y), Px(clBlack)) << y;
        ASSERT_EQ(p.At(r.right + 1, y), Px(clWhite)) << y;
    }
    // No fill: the inside stays white away from the line.
    EXPECT_EQ(p.Count(Px(clWhite), {r.left + 1, r.top + 1, r.right, r.top + 20}), (r.Width() - 1) * 19);
    // A coloured back wall with a solid brush fills the plot.
    f.chart.SetBackColor(clYellow);
    f.chart.BackWall()->Brush()->SetStyle(bsSolid);
    Picture q(f.chart);
    EXPECT_EQ(q.At(r.left + 5, r.top + 5), Px(clYellow));
    EXPECT_EQ(f.chart.BackWall()->Color(), clYellow);
}

TEST(ChartAxisPaint, OnlyTheBottomAndLeftAxisLinesAndTheirTitlesAppear)
{
    FlatChart f;
    Picture p(f.chart);
    const Rect r = f.chart.PlotRect();
    const TChartAxis& bottom = *f.chart.BottomAxis();
    const TChartAxis& left = *f.chart.LeftAxis();
    EXPECT_EQ(bottom.AxisLinePos(), r.bottom);
    EXPECT_EQ(left.AxisLinePos(), r.left);
    // Two pixels wide, black, meeting at the plot's bottom-left corner.
    for (int x = bottom.PixelStart(); x < bottom.PixelEnd(); ++x) {
        ASSERT_EQ(p.At(x, r.bottom), Px(clBlack)) << x;
        ASSERT_EQ(p.At(x, r.bottom - 1), Px(clBlack)) << x;
    }
    for (int y = left.PixelStart(); y < left.PixelEnd(); ++y) {
        ASSERT_EQ(p.At(r.left, y), Px(clBlack)) << y;
        ASSERT_EQ(p.At(r.left - 1, y), Px(clBlack)) << y;
    }
    EXPECT_EQ(p.At(r.left - 1, r.bottom), Px(clBlack));
    // No ticks, grid or numbers: the tick strips are blank and nothing is grey.
    EXPECT_EQ(p.Count(Px(clWhite), {r.left - 1, r.bottom + 1, r.right + 1, r.bottom + 7}), (r.Width() + 2) * 6);
    EXPECT_EQ(p.Count(Px(clWhite), {r.left - 8, r.top, r.left - 1, r.bottom - 1}), 7 * (r.Height() - 1));
    EXPECT_EQ(p.Count(Px(clGray), {r.left + 1, r.top + 1, r.right, r.bottom - 1}), 0);
    // Nothing for the top and right axes: the wall's single pixel line only.
    EXPECT_EQ(p.At((r.left + r.right) / 2, r.top + 1), Px(clWhite));
    EXPECT_EQ(p.At(r.right - 1, r.top + 10), Px(clWhite));

    // "f" sits under the plot around its centre, "dB" left of it, rotated to read upward.
    const Rect f_ = InkBox(p, {r.left, r.bottom + 7, r.right, p.Height() - 2});
    ASSERT_LT(f_.left, f_.right);
    EXPECT_NEAR((f_.left + f_.right) / 2, bottom.PixelCenter(), 4);
    const Rect dB = InkBox(p, {2, r.top, r.left - 7, r.bottom});
    ASSERT_LT(dB.left, dB.right);
    EXPECT_GT(dB.Height(), dB.Width());
    EXPECT_NEAR((dB.top + dB.bottom) / 2, left.PixelCenter(), 4);
}

TEST(ChartAxisPaint, TheRoomOfTheAxesFollowsTitlesLabelsAndTicks)
{
    FlatChart f;
    Picture p(f.chart);
    const Rect before = f.chart.plotBeforeAxes;
    const Rect r = f.chart.PlotRect();
    // Title strip plus 2 (axis pen) + 4 (ticks): equal for both axes with the same font.
    const int bottomRoom = before.bottom - r.bottom;
    const int leftRoom = r.left - before.left;
    EXPECT_GT(bottomRoom, 6);
    EXPECT_EQ(bottomRoom, leftRoom);
    EXPECT_EQ(f.chart.BottomAxis()->TitlePos(), before.bottom - (bottomRoom - 6));

    // A fixed title size, and no title room without a caption.
    f.chart.BottomAxis()->SetTitleSize(30);
    f.chart.LeftAxis()->Title()->SetCaption("");
    Picture q(f.chart);
    EXPECT_EQ(before.bottom - f.chart.PlotRect().bottom, 36);
    EXPECT_EQ(f.chart.PlotRect().left - before.left, 6);

    // PositionPercent 50 moves the left axis line to the middle of the plot.
    f.chart.LeftAxis()->SetPositionPercent(50);
    Picture s(f.chart);
    const Rect r2 = f.chart.PlotRect();
    EXPECT_EQ(f.chart.LeftAxis()->AxisLinePos(), r2.left + int(rtl::RoundHalfEven(r2.Width() * 0.5L)));
    EXPECT_EQ(s.At(f.chart.LeftAxis()->AxisLinePos(), r2.top + 10), Px(clBlack));
}

TEST(ChartAxisPaint, ChartsWithoutSeriesOrWithoutPointsStillPaintFrameWallAndAxes)
{
    // Without points the attached axes still draw.
    ProbeChart empty(nullptr);
    SetUpCalculatorChart(empty, 265, 169, clRed);
    Picture p(empty);
    const Rect r = empty.PlotRect();
    EXPECT_EQ(p.At(0, 80), Px(clBtnShadow));
    EXPECT_EQ(p.At(r.left + 20, r.top), Px(clBlack));
    EXPECT_EQ(p.At(r.right, r.top + 20), Px(clBlack));
    EXPECT_EQ(p.At(r.left + 20, r.bottom - 1), Px(clBlack));
    EXPECT_EQ(p.At(r.left - 1, r.top + 20), Px(clBlack));
    EXPECT_EQ(p.At(r.left + 20, r.top + 20), Px(clWhite));

    // Without any series every axis counts as visible: the top and right lines appear too.
    ProbeChart bare(nullptr);
    bare.SetBounds(0, 0, 265, 169);
    bare.SetView3D(false);
    Picture q(bare);
    const Rect b = bare.PlotRect();
    for (int x = b.left + 2; x < b.right - 2; ++x)
        ASSERT_EQ(q.At(x, b.top - 1), Px(clBlack)) << x;
    for (int y = b.top + 2; y < b.bottom - 2; ++y)
        ASSERT_EQ(q.At(b.right - 1, y), Px(clBlack)) << y;
    EXPECT_TRUE(bare.IsAxisVisible(bare.TopAxis()));
    EXPECT_FALSE(bare.IsAxisVisible(bare.DepthAxis()));
    EXPECT_FALSE(empty.IsAxisVisible(empty.TopAxis()));
    EXPECT_TRUE(empty.IsAxisVisible(empty.LeftAxis()));
}

TEST(ChartAxisPaint, LogarithmicLabelsAndTicksFallOnTheDecades)
{
    ProbeChart chart(nullptr);
    TLineSeries* series = SetUpCalculatorChart(chart, 265, 169, clRed);
    for (int i = 0; i <= 10; ++i)
        series->AddPointXY(20 * std::pow(100.0, i / 10.0), -i);
    chart.BottomAxis()->SetLabels(true);
    Picture p(chart);
    const TChartAxis& bottom = *chart.BottomAxis();
    const int tickRow = bottom.AxisLinePos() + 3;
    std::set<int> tickColumns;
    for (int x = chart.PlotRect().left; x <= chart.PlotRect().right; ++x)
        if (p.At(x, tickRow) == Px(clGray))
            tickColumns.insert(x);
    EXPECT_EQ(tickColumns, (std::set<int>{bottom.ValueToPixel(100), bottom.ValueToPixel(1000)}));
    // The labels themselves stand under the ticks.
    const Rect labels = InkBox(p, {0, bottom.AxisLinePos() + 6, p.Width(), bottom.LabelsPos() + 12});
    EXPECT_LE(labels.left, bottom.ValueToPixel(100));
    EXPECT_GE(labels.right, bottom.ValueToPixel(1000));

    // Labels hidden but ticks not only at labels: ticks and grid lines, no text.
    chart.BottomAxis()->SetLabels(false);
    chart.BottomAxis()->SetTickOnLabelsOnly(false);
    Picture q(chart);
    EXPECT_EQ(q.At(bottom.ValueToPixel(100), bottom.AxisLinePos() + 3), Px(clGray));
    const Rect plot = chart.PlotRect();
    EXPECT_GT(q.Count(Px(clGray), {bottom.ValueToPixel(1000), plot.top + 1, bottom.ValueToPixel(1000) + 1, plot.bottom - 1}), 10);
}

TEST(ChartAxisPaint, DenseLinearLabelsStayWithinTheTickListAndAngleChecksHold)
{
    FlatChart f;
    TChartAxis& left = *f.chart.LeftAxis();
    left.SetLabels(false);
    left.SetTickOnLabelsOnly(false);
    left.SetLabelsSeparation(0);
    left.SetIncrement(0.0011);   // 9090 candidate values on 0..10: more than the list holds
    Picture p(f.chart);
    EXPECT_GT(p.Count(Px(clGray), {0, 2, f.chart.PlotRect().left, p.Height() - 2}), 0);

    ExpectChartError([&] { left.Title()->SetAngle(360); }, "Axis Title Angle must be between 0 and 359 degrees");
    ExpectChartError([&] { left.SetLabelsAngle(-1); }, "Axis Labels Angle must be between 0 and 359 degrees");
    EXPECT_EQ(left.Title()->Angle(), 90);
    left.Title()->SetAngle(359);
    EXPECT_EQ(left.Title()->Angle(), 359);
}

TEST(ChartPanelPaint, PanelChecksKeepTheOldValue)
{
    TChart chart(nullptr);
    ExpectChartError([&] { chart.SetChart3DPercent(0); }, "3D effect percent must be between 1 and 100");
    ExpectChartError([&] { chart.SetChart3DPercent(101); }, "3D effect percent must be between 1 and 100");
    EXPECT_EQ(chart.Chart3DPercent(), 15);
    chart.SetChart3DPercent(100);
    EXPECT_EQ(chart.Chart3DPercent(), 100);
    ExpectChartError([&] { chart.SetMaxPointsPerPage(-1); }, "MaxPointsPerPage must be >= 0");
    EXPECT_EQ(chart.MaxPointsPerPage(), 0);
    // The back colour is the back wall's.
    EXPECT_EQ(chart.BackColor(), clDefault);
    chart.BackWall()->SetColor(clLime);
    EXPECT_EQ(chart.BackColor(), clLime);
    EXPECT_EQ(chart.BackWall()->Brush()->Style(), bsClear);
}

TEST(ChartPanelPaint, PaintRequestsRenderOnceUntilSomethingChanges)
{
    FlatChart f;
    platform::Raster window(265, 169, Px(clFuchsia));
    platform::DeviceContext dc(window);
    f.chart.PaintRequest(dc);
    EXPECT_EQ(f.chart.renders, 1);
    EXPECT_EQ(window.At(3, 3) | 0xFF000000u, Px(clWhite));

    // The second request copies the stored picture.
    window.Fill(Px(clFuchsia));
    f.chart.PaintRequest(dc);
    EXPECT_EQ(f.chart.renders, 1);
    EXPECT_EQ(window.At(3, 3) | 0xFF000000u, Px(clWhite));
    EXPECT_FALSE(f.chart.Canvas3D()->IsDirty());

    // A data change renders again, once for the batch.
    f.series->AddPointXY(11, 6);
    f.series->AddPointXY(12, 7);
    f.chart.PaintRequest(dc);
    f.chart.PaintRequest(dc);
    EXPECT_EQ(f.chart.renders, 2);

    // Changes while RepaintOnChange is off leave the picture as it is.
    f.chart.SetRepaintOnChange(false);
    f.series->AddPointXY(13, 8);
    f.chart.PaintRequest(dc);
    EXPECT_EQ(f.chart.renders, 2);
    f.chart.SetRepaintOnChange(true);

    // A new size drops the picture and renders one of the new size.
    f.chart.SetBounds(0, 0, 200, 120);
    f.chart.PaintRequest(dc);
    EXPECT_EQ(f.chart.renders, 3);
    ASSERT_NE(f.chart.Canvas3D()->Bitmap(), nullptr);
    EXPECT_EQ(f.chart.Canvas3D()->Bitmap()->Width(), 200);
    EXPECT_EQ(f.chart.Canvas3D()->Bitmap()->Height(), 120);
}

TEST(ChartPanelPaint, TitleAndFootTakeTheirRoomOnlyWithText)
{
    FlatChart f;
    f.chart.Title()->SetVisible(true);
    Picture p(f.chart);
    const int withTitle = f.chart.plotBeforeAxes.top;
    EXPECT_GT(withTitle, 7 + 5);
    const Rect ink = InkBox(p, {8, 7, 257, withTitle - 5});
    EXPECT_LT(ink.left, ink.right);
    f.chart.Title()->Text()->Clear();
    Picture q(f.chart);
    EXPECT_EQ(f.chart.plotBeforeAxes.top, 7);
}

TEST(ChartAxisPaint, MinorTicksFallBetweenTicksAndCentredGridLinesBetweenLabels)
{
    FlatChart f;
    TChartAxis& bottom = *f.chart.BottomAxis();
    bottom.SetRange(0, 10);
    bottom.SetIncrement(2);
    bottom.SetLabels(true);
    Picture p(f.chart);
    const int line = bottom.AxisLinePos();
    const auto grey = [&](const Picture& pic, int x, int y) { return pic.At(x, y) == Px(clGray); };
    // Ticks at the labels 0, 2, ..., 10; between 2 and 4 three minor ticks, two pixels long.
    const int a = bottom.ValueToPixel(2), b = bottom.ValueToPixel(4);
    EXPECT_TRUE(grey(p, a, line + 4));
    EXPECT_TRUE(grey(p, b, line + 4));
    for (int j = 1; j <= 3; ++j) {
        const int m = b - int(rtl::RoundHalfEven((b - a) * j / 4.0L));
        EXPECT_TRUE(grey(p, m, line + 2)) << j;
        EXPECT_FALSE(grey(p, m, line + 4)) << j;
    }
    // The grid runs through the plot at each label; centred, it moves halfway between them.
    const int mid = f.chart.PlotRect().top + 20;
    int gridPixels = 0;
    for (int y = mid; y < mid + 10; ++y)
        gridPixels += grey(p, a, y);
    EXPECT_GT(gridPixels, 2);   // dotted
    bottom.SetGridCentered(true);
    Picture q(f.chart);
    int moved = 0, left = 0;
    const int half = int(rtl::RoundHalfEven((a + static_cast<long double>(b)) / 2));
    for (int y = mid; y < mid + 10; ++y) {
        moved += grey(q, half, y);
        left += grey(q, a, y);
    }
    EXPECT_GT(moved, 2);
    EXPECT_EQ(left, 0);
}
