// A logarithmic axis whose range changes between two paints: the second paint maps over the new
// range at both ends, so the decades lie evenly along the axis, the curve runs from the axis's
// start to its end and nothing of it leaves the plot.

#include "ChartPaintSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace chartpaint;

namespace {

// A chart like the calculator's (labels hidden, a red line of width 2) holding one point per
// decade: value 10^k on the logarithmic axis against k on the linear one, a straight line.
struct DecadeChart {
    explicit DecadeChart(bool logBottom)
        : logBottom(logBottom)
    {
        series = SetUpCalculatorChart(chart, 320, 220, clRed);
        Log().SetLogarithmic(true);
        Linear().SetLogarithmic(false);
    }
    TChartAxis& Log() { return logBottom ? *chart.BottomAxis() : *chart.LeftAxis(); }
    TChartAxis& Linear() { return logBottom ? *chart.LeftAxis() : *chart.BottomAxis(); }

    void AddDecade(int k)
    {
        const double value = std::pow(10.0, k);
        if (logBottom)
            series->AddPointXY(value, k);
        else
            series->AddPointXY(k, value);
    }

    // Where a fraction of the way from an axis's low end to its high end lies: horizontal axes
    // grow to the right, vertical ones upward.
    static int Along(const TChartAxis& axis, double fraction)
    {
        const int start = axis.PixelStart(), end = axis.PixelEnd();
        const double offset = fraction * (end - start);
        return axis.IsHorizontal() ? start + int(std::lround(offset)) : end - int(std::lround(offset));
    }

    // Checks the picture against decades `from` to `to`: each point of the line where it
    // belongs (red ink within a pixel or two), and no red outside the plot.
    void ExpectLineOverDecades(const Picture& p, int from, int to)
    {
        const double decades = to - from;
        EXPECT_EQ(Log().CurrentMinimum(), std::pow(10.0, from));
        EXPECT_EQ(Log().CurrentMaximum(), std::pow(10.0, to));
        for (int k = from; k <= to; ++k) {
            const double fraction = (k - from) / decades;
            const int logAt = Along(Log(), fraction), linearAt = Along(Linear(), fraction);
            const int x = logBottom ? logAt : linearAt, y = logBottom ? linearAt : logAt;
            EXPECT_GT(p.Count(Px(clRed), {x - 2, y - 2, x + 3, y + 3}), 0)
                << "no line at decade " << k << " (" << x << ", " << y << ")";
        }
        const platform::Rect plot = chart.PlotRect();
        EXPECT_EQ(p.Count(Px(clRed)), p.Count(Px(clRed), plot)) << "red outside the plot";
        // The ends of the range at the ends of the axis.
        const bool horizontal = Log().IsHorizontal();
        EXPECT_EQ(Log().ValueToPixel(std::pow(10.0, to)), horizontal ? Log().PixelEnd() : Log().PixelStart());
        EXPECT_EQ(Log().ValueToPixel(std::pow(10.0, from)), horizontal ? Log().PixelStart() : Log().PixelEnd());
    }

    bool logBottom;
    ProbeChart chart{nullptr};
    TLineSeries* series = nullptr;
};

} // namespace

TEST(LogAxisRangeChange, ARangeThatGrowsAtEitherEndIsMappedAfreshOnTheNextPaint)
{
    for (const bool logBottom : {true, false}) {
        SCOPED_TRACE(logBottom ? "logarithmic bottom axis" : "logarithmic left axis");
        DecadeChart c(logBottom);
        for (int k = 0; k <= 2; ++k)
            c.AddDecade(k);
        {
            Picture p(c.chart);
            c.ExpectLineOverDecades(p, 0, 2);
        }
        // The maximum grows: a decade more at the top.
        c.AddDecade(3);
        {
            Picture p(c.chart);
            c.ExpectLineOverDecades(p, 0, 3);
        }
        // The minimum falls: a decade more at the bottom.
        c.AddDecade(-1);
        {
            Picture p(c.chart);
            c.ExpectLineOverDecades(p, -1, 3);
        }
    }
}
