// Axis texts on charts painted headless with labels, ticks, grid and titles switched on: where
// the axis line, the labels and the titles stand, which labels are drawn, and in which order the
// program's label event is asked.

#include "ChartPaintSupport.h"

#include "chart/TChartValueList.h"
#include "platform/PngFile.h"
#include "rtl/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

using namespace chartpaint;
using platform::Rect;

namespace {

enum class Side { Bottom, Top, Left, Right };
constexpr Side AllSides[] = {Side::Bottom, Side::Top, Side::Left, Side::Right};
constexpr int RightAngles[] = {0, 90, 180, 270};

const char* Name(Side side)
{
    switch (side) {
    case Side::Bottom: return "bottom";
    case Side::Top: return "top";
    case Side::Left: return "left";
    case Side::Right: return "right";
    }
    return "";
}

bool Horizontal(Side side)
{
    return side == Side::Bottom || side == Side::Top;
}

// The height of "W" in a font, as the chart measures it.
int FontHeight(TFont* font)
{
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    bitmap.Canvas()->Font()->Assign(font);
    return bitmap.Canvas()->TextHeight("W");
}

int TextWidth(TFont* font, const std::string& text)
{
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    bitmap.Canvas()->Font()->Assign(font);
    return bitmap.Canvas()->TextWidth(text);
}

TChartAxis& AxisOf(TChart& chart, Side side)
{
    switch (side) {
    case Side::Bottom: return *chart.BottomAxis();
    case Side::Top: return *chart.TopAxis();
    case Side::Left: return *chart.LeftAxis();
    case Side::Right: break;
    }
    return *chart.RightAxis();
}

// Every text of the chart's axes in one colour (white texts leave no ink on a white panel).
void ColourTexts(TChart& chart, TColor color)
{
    for (const Side side : AllSides) {
        AxisOf(chart, side).LabelsFont()->SetColor(color);
        AxisOf(chart, side).Title()->Font()->SetColor(color);
    }
}

TLineSeries* AddSeries(TChart& chart, THorizAxis horizontal, TVertAxis vertical, TColor color)
{
    auto* series = new TLineSeries(nullptr);
    series->SetHorizAxis(horizontal);
    series->SetVertAxis(vertical);
    series->SetParentChart(&chart);
    series->SetSeriesColor(color);
    return series;
}

// A white chart with all four axes in use (one series on the bottom and left axes, one on the
// top and right axes), every axis with labels, ticks, grid and a two-line title.
struct FourAxisChart {
    explicit FourAxisChart(bool logarithmic = false, int width = 460, int height = 360)
    {
        chart.SetBounds(0, 0, width, height);
        chart.SetView3D(false);
        chart.Legend()->SetVisible(false);
        chart.Title()->SetVisible(false);
        chart.SetColor(clWhite);
        chart.SetBevelOuter(bvNone);
        chart.SetBevelInner(bvNone);
        for (TLineSeries* series : {AddSeries(chart, aBottomAxis, aLeftAxis, clGreen),
                                    AddSeries(chart, aTopAxis, aRightAxis, clNavy)})
            for (int i = 0; i <= 30; ++i)
                series->AddPointXY(std::pow(10.0, i / 10.0), 1000 / std::pow(10.0, i / 10.0));
        for (const Side side : AllSides) {
            TChartAxis& axis = Axis(side);
            axis.SetLogarithmic(logarithmic);
            axis.Title()->SetCaption(std::string(Name(side)) + "\rtitle");
        }
    }
    TChartAxis& Axis(Side side) { return AxisOf(chart, side); }
    void SetAngles(int labels, int titles)
    {
        for (const Side side : AllSides) {
            Axis(side).SetLabelsAngle(labels);
            Axis(side).Title()->SetAngle(titles);
        }
    }
    ProbeChart chart{nullptr};
};

// The bounding box of the pixels where two pictures differ (empty when they do not).
Rect DiffBox(const Picture& a, const Picture& b)
{
    Rect box{a.Width(), a.Height(), -1, -1};
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
    return box;
}

// The ink of one axis's labels (or title): drawn black, every other text white.
Rect InkOf(TChart& chart, Side side, bool title)
{
    ColourTexts(chart, clWhite);
    Picture blank(chart);
    TChartAxis& axis = AxisOf(chart, side);
    TFont* font = title ? axis.Title()->Font() : axis.LabelsFont();
    font->SetColor(clBlack);
    Picture inked(chart);
    font->SetColor(clWhite);
    return DiffBox(blank, inked);
}

// The strip an axis took for its labels or its title, as a band of coordinates across the axis
// (rows for horizontal axes, columns for vertical ones): [first, last).
struct Band {
    int first;
    int last;
};

Band StripOf(ProbeChart& chart, Side side, bool title)
{
    const TChartAxis& axis = AxisOf(chart, side);
    const Rect& before = chart.plotBeforeAxes;
    switch (side) {
    case Side::Bottom: return title ? Band{axis.TitlePos(), before.bottom} : Band{axis.LabelsPos(), axis.TitlePos()};
    case Side::Top: return title ? Band{before.top, axis.TitlePos()} : Band{axis.TitlePos(), axis.LabelsPos()};
    case Side::Left: return title ? Band{before.left, axis.TitlePos()} : Band{axis.TitlePos(), axis.LabelsPos()};
    case Side::Right: break;
    }
    return title ? Band{axis.TitlePos(), before.right} : Band{axis.LabelsPos(), axis.TitlePos()};
}

Band Across(Side side, const Rect& box)
{
    return Horizontal(side) ? Band{box.top, box.bottom} : Band{box.left, box.right};
}

Band Along(Side side, const Rect& box)
{
    return Horizontal(side) ? Band{box.left, box.right} : Band{box.top, box.bottom};
}

// Whether the ink of every label and title of the chart lies inside its own strip (a failure
// names the text that strays).
void ExpectTextsInTheirStrips(ProbeChart& chart, int tolerance = 0)
{
    for (const Side side : AllSides)
        for (const bool title : {false, true}) {
            SCOPED_TRACE(std::string(Name(side)) + (title ? " title" : " labels"));
            const Rect ink = InkOf(chart, side, title);
            ASSERT_LT(ink.left, ink.right);
            const Band strip = StripOf(chart, side, title);
            EXPECT_GE(Across(side, ink).first, strip.first - tolerance);
            EXPECT_LE(Across(side, ink).last, strip.last + tolerance);
        }
}

// Tick positions along an axis: where its outer ticks (grey, four pixels out from the line) are.
std::set<int> TickPositions(const Picture& p, const TChartAxis& axis, Side side)
{
    std::set<int> at;
    const int sign = side == Side::Bottom || side == Side::Right ? 1 : -1;
    const int across = axis.AxisLinePos() + sign * 4;
    for (int along = axis.PixelStart() - 1; along <= axis.PixelEnd() + 1; ++along) {
        const Pixel px = Horizontal(side) ? p.At(along, across) : p.At(across, along);
        if (px == Px(clGray))
            at.insert(along);
    }
    return at;
}

} // namespace

// --- PositionPercent ----------------------------------------------------------------------

TEST(AxisPositionShift, LabelsAndTitleMoveWithTheAxisLine)
{
    // The bottom axis of a 300 x 240 chart, halfway up the plot.
    ProbeChart chart(nullptr);
    TLineSeries* series = SetUpCalculatorChart(chart, 300, 240, clRed);
    chart.BottomAxis()->SetLogarithmic(false);
    chart.BottomAxis()->SetLabels(true);
    chart.BottomAxis()->Title()->SetCaption("Title");
    for (int x = 0; x <= 10; ++x)
        series->AddPointXY(x * 10, x % 3);
    chart.BottomAxis()->SetPositionPercent(50);
    Picture p(chart);
    const TChartAxis& bottom = *chart.BottomAxis();
    const Rect plot = chart.PlotRect();
    EXPECT_EQ(bottom.AxisLinePos(), plot.bottom - int(rtl::RoundHalfEven(plot.Height() * 0.5L)));
    // Tick room (2 for the line, 4 for the ticks), then one line of labels, then the title.
    EXPECT_EQ(bottom.LabelsPos(), bottom.AxisLinePos() + 6);
    EXPECT_EQ(bottom.TitlePos(), bottom.LabelsPos() + FontHeight(bottom.LabelsFont()));
    // No label ink on the line or its ticks: the numbers start below the tick strip.
    chart.BottomAxis()->Title()->Font()->SetColor(clWhite);
    Picture labels(chart);
    chart.BottomAxis()->LabelsFont()->SetColor(clWhite);
    Picture none(chart);
    const Rect ink = DiffBox(none, labels);
    ASSERT_LT(ink.top, ink.bottom);
    EXPECT_GE(ink.top, bottom.LabelsPos());
    EXPECT_LE(ink.bottom, bottom.TitlePos());
}

TEST(AxisPositionShift, EveryAxisKeepsItsTextsAtTheSameDistanceFromItsLine)
{
    for (const Side side : AllSides) {
        SCOPED_TRACE(Name(side));
        FourAxisChart plain, shifted;
        Picture a(plain.chart);
        shifted.Axis(side).SetPositionPercent(30);
        Picture b(shifted.chart);
        const TChartAxis& before = plain.Axis(side);
        const TChartAxis& after = shifted.Axis(side);
        // The line moves into the plot; the labels and the title move with it, by the same
        // amount, although the axes laid out after this one took room too.
        const int move = after.AxisLinePos() - before.AxisLinePos();
        const int inward = side == Side::Bottom || side == Side::Right ? -1 : 1;
        const int size = Horizontal(side) ? shifted.chart.PlotRect().Height() : shifted.chart.PlotRect().Width();
        EXPECT_EQ(move, inward * int(rtl::RoundHalfEven(size * 0.3L)));
        EXPECT_EQ(after.LabelsPos() - before.LabelsPos(), move);
        EXPECT_EQ(after.TitlePos() - before.TitlePos(), move);
    }
}

// --- Text labels --------------------------------------------------------------------------

TEST(AxisTextLabels, VerticalAxesThinTextLabelsByTheirHeight)
{
    const char* const months[] = {"January", "February", "March", "April", "May", "June",
                                  "July", "August", "September", "October", "November"};
    ProbeChart chart(nullptr);
    TLineSeries* series = SetUpCalculatorChart(chart, 300, 280, clRed);
    TChartAxis& left = *chart.LeftAxis();
    left.SetLabels(true);
    left.SetLabelStyle(talText);
    left.SetLabelsSeparation(0);
    left.SetRange(0, 10);
    for (int i = 0; i < 11; ++i)
        series->AddPointXY(i, i, months[i]);
    Picture p(chart);
    const int height = FontHeight(left.LabelsFont());
    const int spacing = left.ValueToPixel(0) - left.ValueToPixel(1);
    // Room for every name by height, though not by width.
    ASSERT_GT(spacing, height);
    ASSERT_LT(spacing, TextWidth(left.LabelsFont(), "January"));
    EXPECT_EQ(TickPositions(p, left, Side::Left).size(), 11u);

    // Denser names are thinned: the ones drawn stand at least their height apart.
    series->ClearPoints();
    for (int i = 0; i <= 40; ++i)
        series->AddPointXY(i / 4.0, i / 4.0, months[i % 11]);
    Picture q(chart);
    const std::set<int> ticks = TickPositions(q, left, Side::Left);
    EXPECT_GT(ticks.size(), 5u);
    EXPECT_LT(ticks.size(), 41u);
    for (auto it = ticks.begin(); std::next(it) != ticks.end(); ++it)
        EXPECT_GE(*std::next(it) - *it, height) << *it;
}

TEST(AxisTextLabels, MarkLabelsComeFromEveryPoint)
{
    ProbeChart chart(nullptr);
    TLineSeries* series = SetUpCalculatorChart(chart, 300, 200, clRed);
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.SetLogarithmic(false);
    bottom.SetLabels(true);
    bottom.SetLabelStyle(talMark);
    bottom.Title()->SetCaption("");
    // Only one point carries a text; every point has a mark.
    for (int i = 0; i < 5; ++i)
        series->AddPointXY(i * 25, i * 10 + 5, i == 2 ? "two" : "");
    series->SetValueFormat("0");
    std::vector<std::string> texts;
    chart.SetOnGetAxisLabel([&](TCustomChartAxis* axis, TChartSeries* s, int, std::string& text) {
        if (axis == &bottom && s == series)
            texts.push_back(text);
    });
    Picture p(chart);
    std::set<int> expected;
    for (int i = 0; i < 5; ++i)
        expected.insert(bottom.ValueToPixel(i * 25));
    EXPECT_EQ(TickPositions(p, bottom, Side::Bottom), expected);
    // The labels are the marks' texts, the point's value in the series' format.
    EXPECT_EQ(texts, (std::vector<std::string>{"5", "15", "25", "35", "45"}));
}

// --- Placement ----------------------------------------------------------------------------

TEST(AxisTextPlacement, LabelsAndTitlesStayInTheirOwnStripAtEveryRightAngle)
{
    for (const bool logarithmic : {false, true})
        for (const int angle : RightAngles) {
            FourAxisChart c(logarithmic);
            c.SetAngles(angle, angle);
            for (const Side side : AllSides)
                for (const bool title : {false, true}) {
                    SCOPED_TRACE(std::string(Name(side)) + (title ? " title" : " labels") + " at " +
                                 std::to_string(angle) + (logarithmic ? ", logarithmic" : ", linear"));
                    const Rect ink = InkOf(c.chart, side, title);
                    ASSERT_LT(ink.left, ink.right);
                    const Band strip = StripOf(c.chart, side, title);
                    const Band across = Across(side, ink);
                    EXPECT_GE(across.first, strip.first);
                    EXPECT_LE(across.last, strip.last);
                    // Titles stand around the middle of the axis.
                    if (title) {
                        const Band along = Along(side, ink);
                        const int centre = c.Axis(side).PixelCenter();
                        EXPECT_LT(along.first, centre);
                        EXPECT_GT(along.last, centre);
                    }
                }
        }
}

TEST(AxisTextPlacement, TextsAtOtherAnglesStayInTheirStripsToo)
{
    for (const int angle : {30, 45, 135, 200, 315}) {
        SCOPED_TRACE(angle);
        FourAxisChart c;
        c.SetAngles(angle, angle);
        // Turned text is smoothed by sampling: allow its outermost pixel.
        ExpectTextsInTheirStrips(c.chart, 1);
    }
}

TEST(AxisTextPlacement, LeftLabelsAtZeroEndAtTheirStripAndCentreOnTheirTick)
{
    FourAxisChart c;
    TChartAxis& left = c.Axis(Side::Left);
    left.SetRange(0, 1000);
    left.SetIncrement(250);
    ColourTexts(c.chart, clWhite);
    left.LabelsFont()->SetColor(clBlack);
    Picture p(c.chart);
    // The label of 500: its ink ends just before the strip's inner edge, centred on the tick.
    const int y = left.ValueToPixel(500);
    const int h = FontHeight(left.LabelsFont());
    Rect box{p.Width(), p.Height(), -1, -1};
    for (int row = y - h; row <= y + h; ++row)
        for (int x = 0; x < left.LabelsPos(); ++x)
            if (p.At(x, row) != Px(clWhite))
                box = {std::min(box.left, x), std::min(box.top, row), std::max(box.right, x + 1),
                       std::max(box.bottom, row + 1)};
    ASSERT_LT(box.left, box.right);
    EXPECT_GE(box.right, left.LabelsPos() - 2);
    EXPECT_LE(box.right, left.LabelsPos());
    EXPECT_NEAR((box.top + box.bottom) / 2.0, y, 2);
}

TEST(AxisTextPlacement, LinesOfATextFollowEachOtherAwayFromThePlot)
{
    for (const int angle : RightAngles)
        for (const Side side : AllSides) {
            SCOPED_TRACE(std::string(Name(side)) + " at " + std::to_string(angle));
            FourAxisChart c;
            c.SetAngles(0, angle);
            TChartAxisTitle& title = *c.Axis(side).Title();
            const int h = FontHeight(title.Font());
            title.SetCaption("WWWWW");
            const Rect one = InkOf(c.chart, side, true);
            title.SetCaption("WWWWW\rWWWWW");
            const Rect two = InkOf(c.chart, side, true);
            ASSERT_LT(one.left, one.right);
            // Lines running along the axis stack across it; lines running across it stand side
            // by side along it. Either way the second line lies one line height further on.
            const bool runsAlong = Horizontal(side) == (angle == 0 || angle == 180);
            const auto extent = [&](const Rect& r) {
                const Band b = runsAlong ? Across(side, r) : Along(side, r);
                return b.last - b.first;
            };
            EXPECT_EQ(extent(two), extent(one) + h);
            if (!runsAlong)
                continue;
            // The first line is the one nearest the plot: a short first line leaves the band
            // next to the plot narrower than the band beyond it.
            title.SetCaption("W\rWWWWW");
            const Rect mixed = InkOf(c.chart, side, true);
            const Band across = Across(side, mixed);
            const bool innerFirst = side == Side::Bottom || side == Side::Right;
            const int inner = innerFirst ? across.first : across.last - h;
            const int outer = innerFirst ? across.first + h : across.last - 2 * h;
            ColourTexts(c.chart, clWhite);
            title.Font()->SetColor(clBlack);
            Picture p(c.chart);
            title.Font()->SetColor(clWhite);
            Picture blank(c.chart);
            const auto widthOfBand = [&](int from) {
                int low = 1 << 20, high = -1;
                for (int a = from; a < from + h; ++a)
                    for (int b = 0; b < (Horizontal(side) ? p.Width() : p.Height()); ++b) {
                        const int x = Horizontal(side) ? b : a, y = Horizontal(side) ? a : b;
                        if (p.At(x, y) != blank.At(x, y)) {
                            low = std::min(low, b);
                            high = std::max(high, b);
                        }
                    }
                return high - low;
            };
            EXPECT_LT(widthOfBand(inner), widthOfBand(outer));
        }
}

TEST(AxisTextPlacement, TheRoomOfATitleCountsAllItsLines)
{
    for (const Side side : AllSides) {
        SCOPED_TRACE(Name(side));
        FourAxisChart c;
        Picture p(c.chart);
        const Band strip = StripOf(c.chart, side, true);
        EXPECT_EQ(strip.last - strip.first, 2 * FontHeight(c.Axis(side).Title()->Font()));
    }
}

// --- Series range -------------------------------------------------------------------------

TEST(AxisSeriesRange, ADescendingSeriesLeftOfTheRangeDrawsNothingOutsideThePlot)
{
    ProbeChart chart(nullptr);
    TLineSeries* series = SetUpCalculatorChart(chart, 300, 200, clRed);
    chart.BottomAxis()->SetLogarithmic(false);
    chart.BottomAxis()->SetRange(50, 100);
    chart.LeftAxis()->SetRange(0, 10);
    chart.SetClipPoints(false);
    series->XValues()->SetOrder(loDescending);
    // Just left of the range: unclipped, their line would run through the left margin.
    for (int i = 0; i < 20; ++i)
        series->AddPointXY(49.5 - i * 0.5, (i * 7) % 10);
    Picture p(chart);
    EXPECT_EQ(p.Count(Px(clRed)), 0);
    EXPECT_EQ(series->FirstShownIndex(), -1);

    // The same descending points inside the range are drawn.
    chart.BottomAxis()->SetRange(0, 100);
    Picture q(chart);
    EXPECT_GT(q.Count(Px(clRed)), 100);
    EXPECT_EQ(series->FirstShownIndex(), 0);
    EXPECT_EQ(series->LastShownIndex(), 19);
}

// --- Label events -------------------------------------------------------------------------

TEST(AxisLabelEvents, TheEndsAreAskedMaximumFirstAndNotWhileTheRoomIsMeasured)
{
    ProbeChart chart(nullptr);
    TLineSeries* series = SetUpCalculatorChart(chart, 300, 200, clRed);
    TChartAxis& left = *chart.LeftAxis();
    left.SetLabels(true);
    left.SetRange(0.5, 9.7);
    series->AddPointXY(1, 1);
    // The first paint, without the event.
    Picture first(chart);
    const int leftWithoutEvent = chart.PlotRect().left;
    std::vector<double> asked;
    chart.SetOnGetAxisLabel([&](TCustomChartAxis* axis, TChartSeries* s, int index, std::string& text) {
        if (axis != &left)
            return;
        EXPECT_EQ(s, nullptr);
        EXPECT_EQ(index, -1);
        asked.push_back(double(rtl::TextToFloat(text)));
        text = "a much longer label text";
    });
    Picture p(chart);
    // The ends for the step (the maximum first), then the labels themselves from the top:
    // nothing while the room was measured.
    ASSERT_GE(asked.size(), 4u);
    EXPECT_EQ(asked[0], 9.7);
    EXPECT_EQ(asked[1], 0.5);
    EXPECT_EQ(asked[2], 9);
    EXPECT_EQ(asked.back(), 1);
    // The room comes from the axis's own texts, whatever the event makes of them (and not
    // from what the first paint left behind).
    EXPECT_EQ(chart.PlotRect().left, leftWithoutEvent);
}

// --- A chart to read numbers from ---------------------------------------------------------

namespace {

// A value in engineering form with an SI prefix: 1000 -> "1k", 0.0001 -> "100 µ" + unit.
std::string Engineering(double value, const std::string& unit)
{
    static const char* const prefixes[] = {"p", "n", "µ", "m", "", "k", "M", "G"};
    int power = 0;
    while (std::fabs(value) >= 1000 && power < 3) {
        value /= 1000;
        ++power;
    }
    while (value != 0 && std::fabs(value) < 1 && power > -4) {
        value *= 1000;
        --power;
    }
    const std::string number = rtl::FloatToText(std::round(value * 1000) / 1000);
    const std::string prefix = prefixes[power + 4];
    return unit.empty() ? number + prefix : number + " " + prefix + unit;
}

} // namespace

TEST(AxisPicture, AResponseChartWithFourLabelledAxesKeepsEveryTextApart)
{
    ProbeChart chart(nullptr);
    chart.SetBounds(0, 0, 560, 420);
    chart.SetView3D(false);
    chart.Legend()->SetVisible(false);
    chart.Title()->SetVisible(false);
    chart.Gradient()->SetVisible(false);
    chart.SetColor(clWhite);
    chart.SetBevelOuter(bvLowered);
    chart.SetBevelInner(bvLowered);
    // A second-order low-pass at 1 kHz: gain on the bottom and left axes, phase on the top and
    // right ones, over 10 Hz to 100 kHz.
    TLineSeries* gain = AddSeries(chart, aBottomAxis, aLeftAxis, clRed);
    TLineSeries* phase = AddSeries(chart, aTopAxis, aRightAxis, clBlue);
    for (TLineSeries* s : {gain, phase})
        s->LinePen()->SetWidth(2);
    for (int i = 0; i <= 200; ++i) {
        const double f = 10 * std::pow(10.0, i / 50.0), u = f / 1000;
        const double re = 1 - u * u, im = u / 0.707;
        gain->AddPointXY(f, -10 * std::log10(re * re + im * im));
        phase->AddPointXY(f, -std::atan2(im, re) * 180 / 3.14159265358979);
    }
    TChartAxis& bottom = *chart.BottomAxis();
    TChartAxis& top = *chart.TopAxis();
    TChartAxis& left = *chart.LeftAxis();
    TChartAxis& right = *chart.RightAxis();
    bottom.SetLogarithmic(true);
    top.SetLogarithmic(true);
    bottom.Title()->SetCaption("Frequency\rHz");
    // The first line of a title is the one nearest the plot.
    top.Title()->SetCaption("s\rPeriod");
    left.Title()->SetCaption("dB\rGain");
    right.Title()->SetCaption("degrees\rPhase");
    top.SetLabelsAngle(90);
    left.SetAxisValuesFormat("0");
    left.SetRange(-80, 10);
    left.SetIncrement(10);
    right.SetAxisValuesFormat("0'°'");
    right.SetRange(-180, 0);
    right.SetIncrement(45);
    for (const Side side : AllSides)
        AxisOf(chart, side).Title()->Font()->SetStyle(TFontStyles{fsBold});
    // Frequencies in engineering form, the top axis as periods.
    std::vector<std::string> bottomLabels;
    chart.SetOnGetAxisLabel([&](TCustomChartAxis* axis, TChartSeries*, int, std::string& text) {
        if (axis == &bottom) {
            text = Engineering(axis->LabelValue(), "");
            bottomLabels.push_back(text);
        } else if (axis == &top) {
            text = Engineering(1 / axis->LabelValue(), "s");
        }
    });
    Picture picture(chart);
    platform::WritePng(std::string(F2_BINARY_DIR) + "/tests/chart/chart-axes.png", picture.bitmap.Image());

    // The label step asks for the ends first, then the decades are labelled.
    ASSERT_GE(bottomLabels.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(bottomLabels.end() - 5, bottomLabels.end()),
              (std::vector<std::string>{"10", "100", "1k", "10k", "100k"}));
    ExpectTextsInTheirStrips(chart);
}

TEST(AxisValueLabels, TheMinimumIsLabelledOnNegativeRangesAsOnPositiveOnes)
{
    for (const double sign : {1.0, -1.0}) {
        SCOPED_TRACE(sign);
        ProbeChart chart(nullptr);
        TLineSeries* series = SetUpCalculatorChart(chart, 300, 260, clRed);
        TChartAxis& left = *chart.LeftAxis();
        left.SetLabels(true);
        left.SetRange(sign > 0 ? 0 : -180, sign > 0 ? 180 : 0);
        left.SetIncrement(45);
        series->AddPointXY(1, 1);
        Picture p(chart);
        std::set<int> expected;
        for (int k = 0; k <= 4; ++k)
            expected.insert(left.ValueToPixel(left.CurrentMinimum() + 45 * k));
        EXPECT_EQ(TickPositions(p, left, Side::Left), expected);
    }
}

TEST(AxisValueLabels, ALogarithmicAxisFromZeroIsLiftedForTheRestOfThePaint)
{
    for (const bool labels : {false, true})
        for (const double minimum : {0.0, -5.0}) {
            SCOPED_TRACE(std::to_string(minimum) + (labels ? " with labels" : " without labels"));
            ProbeChart chart(nullptr);
            TLineSeries* series = SetUpCalculatorChart(chart, 300, 200, clRed);
            TChartAxis& bottom = *chart.BottomAxis();
            bottom.SetLabels(labels);
            series->AddPointXY(minimum, 1);
            series->AddPointXY(1000, 2);
            Picture p(chart);
            // The decades start at 0.1 (1e-10 below zero): the axis keeps that minimum for
            // the series drawn after it, so the point at 1000 ends the line at the axis's end.
            const double lifted = minimum < 0 ? 1e-10 : 0.1;
            EXPECT_EQ(bottom.CurrentMinimum(), lifted);
            EXPECT_EQ(bottom.ValueToPixel(lifted), bottom.PixelStart());
            EXPECT_EQ(bottom.ValueToPixel(1000), bottom.PixelEnd());
            std::set<int> decades;
            if (labels)
                for (double v = lifted; v <= 1000; v *= 10)
                    decades.insert(bottom.ValueToPixel(v));
            EXPECT_EQ(TickPositions(p, bottom, Side::Bottom), decades);
        }
}
