#include "chart/ChartExceptions.h"
#include "chart/ChartNumberFormat.h"
#include "chart/TChart.h"
#include "chart/TChartAxis.h"
#include "chart/TChartAxisTitle.h"
#include "chart/TChartDepthAxis.h"
#include "chart/TChartSeries.h"
#include "chart/TChartValueList.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A chart with one series on the bottom and left axes and a plot rectangle of the given size.
struct ChartWithSeries {
    explicit ChartWithSeries(platform::Rect plot = {10, 20, 210, 120})
    {
        series = new TChartSeries(nullptr);
        series->SetParentChart(&chart);
        chart.SetPlotRect(plot);
    }
    TCustomChartAxis& Prepare(TCustomChartAxis& axis)
    {
        axis.ComputeRange();
        axis.ComputePixelSpan();
        return axis;
    }
    TChart chart{nullptr};
    TChartSeries* series = nullptr;
};

void ExpectAxisError(const std::function<void()>& action, const char* message)
{
    try {
        action();
        FAIL() << "no error, expected " << message;
    } catch (const AxisException& e) {
        EXPECT_EQ(e.Message(), message);
    }
}

} // namespace

TEST(NextNiceStep, FollowsTheOneTwoFiveSequence)
{
    EXPECT_DOUBLE_EQ(NextNiceStep(1), 2);
    EXPECT_DOUBLE_EQ(NextNiceStep(2), 5);
    EXPECT_DOUBLE_EQ(NextNiceStep(5), 10);
    EXPECT_DOUBLE_EQ(NextNiceStep(10), 20);
    EXPECT_DOUBLE_EQ(NextNiceStep(3), 5);
    EXPECT_DOUBLE_EQ(NextNiceStep(0.3), 0.5);
    EXPECT_DOUBLE_EQ(NextNiceStep(20), 50);
}

TEST(AxisRange, AutomaticRangeComesFromTheAttachedSeriesOnly)
{
    ChartWithSeries c;
    c.series->AddPointXY(5, -3);
    c.series->AddPointXY(50, 7);
    auto* other = new TChartSeries(nullptr);
    other->SetVertAxis(aRightAxis);
    other->SetParentChart(&c.chart);
    other->AddPointXY(-100, 1000);
    TCustomChartAxis& left = c.Prepare(*c.chart.LeftAxis());
    EXPECT_EQ(left.CurrentMinimum(), -3);
    EXPECT_EQ(left.CurrentMaximum(), 7);
    TCustomChartAxis& bottom = c.Prepare(*c.chart.BottomAxis());
    EXPECT_EQ(bottom.CurrentMinimum(), -100);   // both series use the bottom axis
    EXPECT_EQ(bottom.CurrentRange(), 150);
    TCustomChartAxis& right = c.Prepare(*c.chart.RightAxis());
    EXPECT_EQ(right.CurrentMaximum(), 1000);
    TCustomChartAxis& depth = c.Prepare(*c.chart.DepthAxis());
    EXPECT_EQ(depth.CurrentMinimum(), -0.5);
    EXPECT_EQ(depth.CurrentMaximum(), 1.5);   // two series side by side in 3-D
    c.chart.SetView3D(false);
    c.Prepare(depth);
    EXPECT_EQ(depth.CurrentMaximum(), 0.5);
}

TEST(AxisMapping, EmptyOrFlatRangeMapsEverythingToTheCentre)
{
    ChartWithSeries c;
    TCustomChartAxis& bottom = c.Prepare(*c.chart.BottomAxis());
    EXPECT_EQ(bottom.PixelStart(), 10);
    EXPECT_EQ(bottom.PixelEnd(), 210);
    EXPECT_EQ(bottom.PixelCenter(), 110);
    EXPECT_EQ(bottom.ValueToPixel(12345), 110);
    c.chart.BottomAxis()->SetLogarithmic(true);   // range 0..0 passes the check
    EXPECT_EQ(bottom.ValueToPixel(12345), 110);
    c.series->AddPointXY(4, 4);
    c.series->AddPointXY(4, 4);
    c.Prepare(bottom);
    EXPECT_EQ(bottom.ValueToPixel(4), 110);
}

TEST(AxisMapping, LinearAxesGrowRightAndUpUnlessInverted)
{
    ChartWithSeries c;
    c.series->AddPointXY(0, 0);
    c.series->AddPointXY(100, 50);
    TCustomChartAxis& bottom = c.Prepare(*c.chart.BottomAxis());
    EXPECT_EQ(bottom.ValueToPixel(0), 10);
    EXPECT_EQ(bottom.ValueToPixel(25), 60);
    EXPECT_EQ(bottom.ValueToPixel(100), 210);
    EXPECT_DOUBLE_EQ(bottom.PixelToValue(60), 25);
    TCustomChartAxis& left = c.Prepare(*c.chart.LeftAxis());
    EXPECT_EQ(left.ValueToPixel(0), 120);
    EXPECT_EQ(left.ValueToPixel(50), 20);
    EXPECT_DOUBLE_EQ(left.PixelToValue(20), 50);
    c.chart.LeftAxis()->SetInverted(true);
    EXPECT_EQ(left.ValueToPixel(0), 20);   // the minimum at the top
    EXPECT_EQ(left.ValueToPixel(50), 120);
    EXPECT_DOUBLE_EQ(left.PixelToValue(20), 0);
    // Offsets beyond 32 bits are not placed.
    EXPECT_EQ(bottom.ValueToPixel(1e300), bottom.PixelCenter());
}

TEST(AxisMapping, LogarithmicAxisPlacesDecadesEvenlyForAnyBase)
{
    ChartWithSeries c;
    c.series->AddPointXY(10, 1);
    c.series->AddPointXY(1000, 2);
    TChartAxis& bottom = *c.chart.BottomAxis();
    bottom.SetLogarithmic(true);
    c.Prepare(bottom);
    ASSERT_EQ(bottom.PixelLength(), 200);
    EXPECT_EQ(bottom.ValueToPixel(100), bottom.PixelStart() + 100);
    bottom.SetLogarithmicBase(2);
    EXPECT_EQ(bottom.ValueToPixel(100), bottom.PixelStart() + 100);
    EXPECT_EQ(bottom.PixelToValue(bottom.PixelStart()), 10);
    EXPECT_EQ(bottom.PixelToValue(bottom.PixelEnd()), 1000);
    EXPECT_NEAR(bottom.PixelToValue(bottom.PixelStart() + 100), 100, 1e-9);
    // Zero and below sit at the start; far-too-small values stay off the start, clamped.
    EXPECT_EQ(bottom.ValueToPixel(0), bottom.PixelStart());
    EXPECT_EQ(bottom.ValueToPixel(-5), bottom.PixelStart());
    EXPECT_LT(bottom.ValueToPixel(1e-300), bottom.PixelStart());
    bottom.SetInverted(true);
    EXPECT_EQ(bottom.ValueToPixel(0), bottom.PixelEnd());
    EXPECT_EQ(bottom.ValueToPixel(10), bottom.PixelEnd());
}

TEST(AxisMapping, LogarithmicMinimumAtOrBelowZeroStartsTheAxisAtOne)
{
    ChartWithSeries c;
    c.series->AddPointXY(0, 1);
    c.series->AddPointXY(100, 1);
    TChartAxis& bottom = *c.chart.BottomAxis();
    bottom.SetLogarithmic(true);
    c.Prepare(bottom);
    EXPECT_EQ(bottom.ValueToPixel(1), bottom.PixelStart());
    EXPECT_EQ(bottom.ValueToPixel(10), bottom.PixelStart() + 100);
}

TEST(AxisMargins, ZeroMarginsKeepTheRangeAndMarginsWidenIt)
{
    ChartWithSeries c;
    c.series->AddPointXY(0, 1);
    c.series->AddPointXY(100, 1);
    TCustomChartAxis& bottom = c.Prepare(*c.chart.BottomAxis());
    bottom.ApplySeriesMargins(0, 0);
    EXPECT_NEAR(bottom.CurrentMinimum(), 0, 1e-12);
    EXPECT_NEAR(bottom.CurrentMaximum(), 100, 1e-12);
    bottom.ApplySeriesMargins(20, 20);   // 160 inner pixels carry 100 values
    EXPECT_DOUBLE_EQ(bottom.CurrentMinimum(), -12.5);
    EXPECT_DOUBLE_EQ(bottom.CurrentMaximum(), 112.5);
    EXPECT_EQ(bottom.PixelLength(), 200);
    EXPECT_EQ(bottom.ValueToPixel(0), 30);
}

TEST(AxisLabels, StepForLabelCountWidensAnIncrementThatDoesNotFit)
{
    ChartWithSeries c;
    c.series->AddPointXY(0, 0);
    c.series->AddPointXY(100, 0);
    TChartAxis& bottom = *c.chart.BottomAxis();
    c.Prepare(bottom);
    bottom.SetIncrement(3);
    EXPECT_DOUBLE_EQ(bottom.StepForLabelCount(10), 10);   // 3 -> 5 -> 10
    EXPECT_DOUBLE_EQ(bottom.StepForLabelCount(40), 3);    // fits as it is
    EXPECT_DOUBLE_EQ(bottom.StepForLabelCount(0), 1e-12);
    bottom.SetLabelsSeparation(0);                         // no regard to room
    EXPECT_DOUBLE_EQ(bottom.StepForLabelCount(10), 3);
    bottom.SetIncrement(0);
    EXPECT_DOUBLE_EQ(bottom.StepForLabelCount(10), 1);
    bottom.SetLabelsSeparation(10);
    EXPECT_DOUBLE_EQ(bottom.StepForLabelCount(10), 10);
}

TEST(AxisLabels, FormatUsesGroupsAndAtMostThreeDecimals)
{
    ChartWithSeries c;
    TChartAxis& bottom = *c.chart.BottomAxis();
    EXPECT_EQ(bottom.FormatAxisLabel(1234567.125), "1 234 567,125");
    EXPECT_EQ(bottom.FormatAxisLabel(0.00049), "0");
    EXPECT_EQ(bottom.FormatAxisLabel(-2.5), "-2,5");
    EXPECT_EQ(bottom.FormatAxisLabel(1000), "1 000");
    EXPECT_EQ(FormatChartNumber("0.00;(0.00)", -3.14159), "(3,14)");
    EXPECT_EQ(FormatChartNumber("##0.## %", 0.125), "12,5 %");
    bottom.SetLabelsMultiLine(true);
    // Blanks between digits group thousands and keep the number on one line.
    bottom.SetAxisValuesFormat("#,##0' Hz'");
    EXPECT_EQ(bottom.FormatAxisLabel(1000), "1 000\rHz");
    bottom.SetAxisValuesFormat("#,##0.###");
    c.chart.SetOnGetAxisLabel([](TCustomChartAxis*, TChartSeries*, int, std::string& text) {
        text = "at " + text;
    });
    EXPECT_EQ(bottom.FormatAxisLabel(1000), "at\r1 000");
}

TEST(AxisRange, SetRangeFixesOrderedEndsKeptApart)
{
    ChartWithSeries c;
    TChartAxis& left = *c.chart.LeftAxis();
    left.SetRange(9, 3);
    EXPECT_FALSE(left.Automatic());
    EXPECT_FALSE(left.AutomaticMinimum());
    EXPECT_EQ(left.Minimum(), 3);
    EXPECT_EQ(left.Maximum(), 9);
    left.SetRange(5, 5);
    EXPECT_EQ(left.Minimum(), 5);
    EXPECT_EQ(left.Maximum(), 5 + 1e-10);
    c.series->AddPointXY(0, 100);
    left.ComputeRange();
    EXPECT_EQ(left.CurrentMaximum(), 5 + 1e-10);   // no longer automatic
}

TEST(AxisChecks, BadSettingsRaiseAndLeaveTheValue)
{
    ChartWithSeries c;
    TChartAxis& left = *c.chart.LeftAxis();
    left.SetMaximum(10);
    ExpectAxisError([&] { left.SetMinimum(11); }, "Axis Minimum Value must be <= Maximum");
    ExpectAxisError([&] { left.SetMaximum(-1); }, "Axis Maximum Value must be >= Minimum");
    EXPECT_EQ(left.Minimum(), 0);
    EXPECT_EQ(left.Maximum(), 10);
    ExpectAxisError([&] { left.SetIncrement(-0.5); }, "Axis increment must be >= 0");
    ExpectAxisError([&] { left.SetLogarithmicBase(1); }, "Axis Logarithmic Base should be >= 2");
    ExpectAxisError([&] { left.SetLabelsSeparation(-1); }, "Labels Separation % must be greater than 0");
    left.SetLabelsSeparation(0);
    EXPECT_EQ(left.LabelsSeparation(), 0);
    EXPECT_EQ(left.LogarithmicBase(), 10);
    try {
        left.SetLabelsAngle(360);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "Axis Labels Angle must be between 0 and 359 degrees");
    }
    EXPECT_THROW(left.Title()->SetAngle(360), ChartException);
    left.Title()->SetAngle(359);
    EXPECT_EQ(left.Title()->Angle(), 359);

    // While a layout is read, the ends are taken as they come.
    c.chart.SetComponentStateFlag(csLoading, true);
    left.SetMinimum(20);
    EXPECT_EQ(left.Minimum(), 20);
    // Automatic alone sets both flags only outside loading.
    left.SetAutomatic(false);
    EXPECT_TRUE(left.AutomaticMinimum());
    c.chart.SetComponentStateFlag(csLoading, false);
    left.SetAutomatic(true);
    left.SetAutomatic(false);
    EXPECT_FALSE(left.AutomaticMaximum());
    left.SetAutomaticMinimum(true);
    EXPECT_FALSE(left.Automatic());
    left.SetAutomaticMaximum(true);
    EXPECT_TRUE(left.Automatic());
}

TEST(AxisChecks, LogarithmicRefusesNegativeRangesAndDateTimes)
{
    ChartWithSeries c;
    c.series->AddPointXY(-5, 1);
    TChartAxis& bottom = *c.chart.BottomAxis();
    ExpectAxisError([&] { bottom.SetLogarithmic(true); }, "Logarithmic Axis Min and Max values should be >= 0");
    EXPECT_FALSE(bottom.Logarithmic());
    c.series->XValues()->SetDateTime(true);
    ExpectAxisError([&] { bottom.SetLogarithmic(true); }, "DateTime Axis cannot be Logarithmic");
    // Data arriving later is mapped, never refused.
    c.series->ClearPoints();
    c.series->XValues()->SetDateTime(false);
    bottom.SetLogarithmic(true);
    c.series->AddPointXY(-5, 1);
    c.series->AddPointXY(10, 1);
    c.Prepare(bottom);
    EXPECT_EQ(bottom.ValueToPixel(-5), bottom.PixelStart());
}
