// Line series drawing: the calculator's responses, the shown range and the entry at the
// plot's edge, skipped and null points, clipping, stairs, pointers, margins and events.

#include "ChartPaintSupport.h"

#include "chart/ChartExceptions.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TSeriesMarks.h"

#include <gtest/gtest.h>

#include <vector>

using namespace chartpaint;
using platform::Rect;

namespace {

// A linear chart with fixed ranges 0..10 on both axes and a red 2-pixel line series.
struct LinearChart {
    LinearChart()
    {
        series = SetUpCalculatorChart(chart, 265, 169, clRed);
        chart.BottomAxis()->SetLogarithmic(false);
        chart.BottomAxis()->SetRange(0, 10);
        chart.LeftAxis()->SetRange(0, 10);
    }
    int X(double v) const { return chart.BottomAxis()->ValueToPixel(v); }
    int Y(double v) const { return chart.LeftAxis()->ValueToPixel(v); }
    ProbeChart chart{nullptr};
    TLineSeries* series;
};

// The line y = x through four points, two of them left of 5 and one right of 10.
void AddDiagonal(TLineSeries& series)
{
    for (const double v : {0, 2, 10, 20})
        series.AddPointXY(v, v);
}

// Red pixels in a column, top to bottom.
std::vector<int> RedRows(const Picture& p, int x)
{
    std::vector<int> rows;
    for (int y = 0; y < p.Height(); ++y)
        if (p.At(x, y) == Px(clRed))
            rows.push_back(y);
    return rows;
}

} // namespace

TEST(LineSeriesPaint, ResponsesAreDrawnInTheSeriesColourInsideThePlotOnly)
{
    struct Case {
        int width;
        TColor colour, other;
        TGradientDirection direction;
    };
    for (const Case c : {Case{265, clRed, clBlue, gdTopBottom}, Case{257, clBlue, clRed, gdBottomTop}}) {
        ProbeChart chart(nullptr);
        TLineSeries* series = SetUpCalculatorChart(chart, c.width, 169, c.colour, c.direction);
        AddLowPassResponse(*series);
        Picture p(chart);
        const Rect r = chart.PlotRect();
        const Rect clip{r.left + 1, r.top + 1, r.right, r.bottom - 1};
        const int inside = p.Count(Px(c.colour), clip);
        EXPECT_GT(inside, 150);
        EXPECT_EQ(p.Count(Px(c.colour)), inside);   // nothing outside the plot box
        EXPECT_EQ(p.Count(Px(c.other)), 0);
        EXPECT_EQ(series->FirstShownIndex(), 0);
        EXPECT_EQ(series->LastShownIndex(), 99);
        // The falling end crosses a column near the right edge two pixels thick.
        if (c.colour == clRed) {
            EXPECT_GE(RedRows(p, r.right - 30).size(), 2u);
        }
    }
}

TEST(LineSeriesPaint, ASeriesWithFewerThanTwoPointsDrawsNoLineAndEmptyOnesFireNoEvents)
{
    LinearChart l;
    int before = 0, after = 0;
    l.series->SetBeforeDrawValues([&](TObject*) { ++before; });
    l.series->SetAfterDrawValues([&](TObject*) { ++after; });
    Picture empty(l.chart);
    EXPECT_EQ(before + after, 0);
    EXPECT_EQ(l.series->FirstShownIndex(), -1);

    l.series->AddPointXY(5, 5);
    Picture one(l.chart);
    EXPECT_EQ(one.Count(Px(clRed)), 0);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);

    // Two points on the same pixel: no segment either.
    l.series->AddPointXY(5.0001, 5.0001);
    Picture same(l.chart);
    EXPECT_EQ(same.Count(Px(clRed)), 0);

    // An inactive series is not painted at all.
    l.series->AddPointXY(9, 9);
    l.series->SetActive(false);
    Picture inactive(l.chart);
    EXPECT_EQ(inactive.Count(Px(clRed)), 0);
    EXPECT_EQ(before, 2);   // no paint, so no event either
}

TEST(LineSeriesPaint, PointsBeyondTheDrawableRangeAreSkippedAndTheLineJoinsTheirNeighbours)
{
    LinearChart l;
    l.series->AddPointXY(1, 5);
    l.series->AddPointXY(2, 1e7);   // thousands of plot heights above: not drawable
    l.series->AddPointXY(3, 5);
    Picture p(l.chart);
    const Rect r = l.chart.PlotRect();
    EXPECT_EQ(p.Count(Px(clRed), {r.left, r.top, r.right, l.Y(5) - 2}), 0);
    for (int x = l.X(1) + 1; x < l.X(3); ++x)
        ASSERT_EQ(p.At(x, l.Y(5)), Px(clRed)) << x;
    EXPECT_EQ(l.series->PrevX(), l.X(3));
}

TEST(LineSeriesPaint, TheLineEntersAtTheLeftEdgeAtTheInterpolatedHeight)
{
    LinearChart l;
    l.chart.BottomAxis()->SetRange(5, 10);
    AddDiagonal(*l.series);
    Picture p(l.chart);
    EXPECT_EQ(l.series->FirstShownIndex(), 2);
    EXPECT_EQ(l.series->LastShownIndex(), 2);   // the last point lies on the right edge
    const Rect r = l.chart.PlotRect();
    // The line y = x: at the left edge (x = 5) it is at the height of 5.
    const std::vector<int> rows = RedRows(p, r.left + 1);
    ASSERT_FALSE(rows.empty());
    EXPECT_NEAR(rows.front(), l.Y(5), 2);
    EXPECT_EQ(p.Count(Px(clRed), {0, 0, r.left + 1, p.Height()}), 0);

    // The first point beyond the right edge is included and its segment clipped there.
    l.chart.BottomAxis()->SetRange(5, 8);
    Picture q(l.chart);
    EXPECT_EQ(l.series->LastShownIndex(), 2);
    EXPECT_FALSE(RedRows(q, r.right - 1).empty());
    EXPECT_EQ(q.Count(Px(clRed), {r.right, 0, q.Width(), q.Height()}), 0);

    // Without clipping the segment runs on beyond the plot.
    l.chart.SetClipPoints(false);
    Picture u(l.chart);
    EXPECT_GT(u.Count(Px(clRed), {r.right + 1, 0, u.Width(), u.Height()}), 0);
}

TEST(LineSeriesPaint, OnAnInvertedAxisTheLineEntersAtTheRightEdge)
{
    LinearChart l;
    l.chart.BottomAxis()->SetInverted(true);
    l.chart.BottomAxis()->SetRange(5, 10);
    AddDiagonal(*l.series);
    Picture p(l.chart);
    // The values start at the right: 5 lies on the right edge, 10 on the left one.
    const Rect r = l.chart.PlotRect();
    EXPECT_EQ(l.X(5), r.right);
    EXPECT_EQ(l.series->FirstShownIndex(), 2);
    EXPECT_EQ(l.series->LastShownIndex(), 2);
    const std::vector<int> rows = RedRows(p, r.right - 1);
    ASSERT_FALSE(rows.empty());
    EXPECT_NEAR(rows.front(), l.Y(5), 2);
    // The line runs from the right edge to the point at 10 on the left edge, nowhere else.
    EXPECT_NEAR(RedRows(p, r.left + 1).front(), l.Y(10), 2);
    EXPECT_EQ(p.Count(Px(clRed), {r.right + 1, 0, p.Width(), p.Height()}), 0);

    // A range whose every point lies beyond the edge where the values start shows none.
    l.chart.BottomAxis()->SetRange(30, 40);
    Picture q(l.chart);
    EXPECT_EQ(l.series->FirstShownIndex(), -1);
    EXPECT_EQ(q.Count(Px(clRed)), 0);
}

TEST(LineSeriesPaint, ANullPointBreaksTheLine)
{
    LinearChart l;
    l.series->AddPointXY(1, 2);
    l.series->AddPointXY(3, 2);
    l.series->AddPointXY(5, 2, "", clNone);
    l.series->AddPointXY(7, 8);
    l.series->AddPointXY(9, 8);
    Picture p(l.chart);
    EXPECT_EQ(p.At((l.X(1) + l.X(3)) / 2, l.Y(2)), Px(clRed));
    // Neither the segment to the null point nor the one from it is drawn.
    EXPECT_EQ(p.Count(Px(clRed), {l.X(3) + 2, 0, l.X(7) - 1, p.Height()}), 0);
    EXPECT_EQ(p.At((l.X(7) + l.X(9)) / 2, l.Y(8)), Px(clRed));
}

TEST(LineSeriesPaint, StairsRunAcrossThenUpOrUpThenAcross)
{
    LinearChart l;
    l.series->AddPointXY(2, 2);
    l.series->AddPointXY(6, 8);
    l.series->SetStairs(true);
    Picture across(l.chart);
    EXPECT_EQ(across.At((l.X(2) + l.X(6)) / 2, l.Y(2)), Px(clRed));
    EXPECT_EQ(across.At(l.X(6), (l.Y(2) + l.Y(8)) / 2), Px(clRed));
    EXPECT_NE(across.At(l.X(2), (l.Y(2) + l.Y(8)) / 2), Px(clRed));
    l.series->SetInvertedStairs(true);
    Picture up(l.chart);
    EXPECT_EQ(up.At(l.X(2), (l.Y(2) + l.Y(8)) / 2), Px(clRed));
    EXPECT_EQ(up.At((l.X(2) + l.X(6)) / 2, l.Y(8)), Px(clRed));
}

TEST(LineSeriesPaint, PointersAreDrawnAtEveryPointWhenVisible)
{
    LinearChart l;
    l.series->AddPointXY(2, 5);
    l.series->AddPointXY(8, 5);
    l.series->Pointer()->SetVisible(true);
    l.series->Pointer()->Brush()->SetColor(clLime);
    Picture p(l.chart);
    for (const double x : {2.0, 8.0}) {
        EXPECT_EQ(p.At(l.X(x), l.Y(5) - 3), Px(clLime)) << x;
        EXPECT_EQ(p.At(l.X(x) - 4, l.Y(5) - 3), Px(clBlack)) << x;   // the pointer's pen
    }
    int asked = 0;
    l.series->SetOnGetPointerStyle([&](TChartSeries*, int) {
        ++asked;
        return psCircle;
    });
    Picture q(l.chart);
    EXPECT_EQ(asked, 2);
}

TEST(LineSeriesPaint, MarginsFollowPointersStairsAndLineHeight)
{
    TLineSeries series(nullptr);
    int a = -1, b = -1;
    series.GetHorizMargins(a, b);
    EXPECT_EQ(a + b, 0);   // the calculator's series: no margins
    series.GetVertMargins(a, b);
    EXPECT_EQ(a + b, 0);
    series.Pointer()->SetVisible(true);
    series.GetHorizMargins(a, b);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 5);
    series.Pointer()->SetVisible(false);
    series.SetStairs(true);
    series.LinePen()->SetWidth(3);
    series.GetVertMargins(a, b);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 4);
    series.SetLineHeight(9);
    series.GetVertMargins(a, b);
    EXPECT_EQ(b, 9);

    try {
        series.Pointer()->SetHorizSize(0);
        ADD_FAILURE() << "no error";
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "Pointer size must be greater than zero");
    }
    EXPECT_EQ(series.Pointer()->HorizSize(), 4);
    EXPECT_THROW(series.Pointer()->SetVertSize(-2), ChartException);
    EXPECT_EQ(series.Pointer()->VertSize(), 4);
}

TEST(LineSeriesPaint, ALineSeriesStartsAsALineWithoutPointers)
{
    TLineSeries series(nullptr);
    EXPECT_TRUE(series.DrawsLine());
    EXPECT_FALSE(series.Pointer()->Visible());
    EXPECT_EQ(series.Pointer()->Style(), psRectangle);
    EXPECT_TRUE(series.Pointer()->InflateMargins());
    EXPECT_EQ(series.LinePen()->Width(), 1);
    EXPECT_TRUE(series.IncludeEdgePoints());
    EXPECT_EQ(series.Marks()->ArrowLength(), 8);
    EXPECT_EQ(series.Pointer()->Brush()->Color(), clDefault);

    // Setting a pointer or pen property repaints the chart the series belongs to.
    LinearChart l;
    l.series->AddPointXY(1, 1);
    l.series->AddPointXY(2, 2);
    Picture first(l.chart);
    EXPECT_FALSE(l.chart.Canvas3D()->IsDirty());
    l.series->Pointer()->SetStyle(psCircle);
    EXPECT_TRUE(l.chart.Canvas3D()->IsDirty());
}

TEST(LineSeriesPaint, VisibleMarksShowTheValuesAboveThePoints)
{
    LinearChart l;
    l.series->AddPointXY(3, 5);
    l.series->AddPointXY(7, 5);
    Picture hidden(l.chart);
    const Rect above{l.X(3) - 8, l.Y(5) - 30, l.X(3) + 9, l.Y(5) - 2};
    EXPECT_EQ(hidden.Count(Px(clWhite), above), above.Width() * above.Height());
    l.series->Marks()->SetVisible(true);
    Picture shown(l.chart);
    EXPECT_LT(shown.Count(Px(clWhite), above), above.Width() * above.Height());
    EXPECT_EQ(shown.At(l.X(3), l.Y(5) - 4), Px(clRed));   // the arrow line
}
