// How many value labels an axis shows, as painted: as many as fit along the axis at the width of
// the widest label plus its separation, the count rounded to the nearest whole label; the step is
// the smallest one of the sequence that needs no more labels than that.

#include "ChartPaintSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

using namespace chartpaint;

namespace {

// A white chart whose bottom axis runs over 0 to 1000 with its labels and ticks; the left axis
// shows no labels, so the bottom axis's length follows the chart's width alone.
struct LabelledChart {
    LabelledChart()
    {
        chart.SetBounds(0, 0, 400, 200);
        chart.SetView3D(false);
        chart.Legend()->SetVisible(false);
        chart.Title()->SetVisible(false);
        chart.Gradient()->SetVisible(false);
        chart.SetColor(clWhite);
        chart.SetBevelOuter(bvNone);
        chart.SetBevelInner(bvNone);
        chart.LeftAxis()->SetLabels(false);
        auto* series = new TLineSeries(nullptr);
        series->SetParentChart(&chart);
        series->SetSeriesColor(clRed);
        series->AddPointXY(0, 0);
        series->AddPointXY(1000, 1);
    }
    TChartAxis& Bottom() { return *chart.BottomAxis(); }
    int Length() { return Bottom().PixelEnd() - Bottom().PixelStart(); }

    // The width one label needs along the axis: the widest label text ("1 000", the maximum
    // with its thousands blank) and the separation, a tenth of it, to the nearest pixel.
    int SpacedLabelWidth()
    {
        TBitmap bitmap;
        bitmap.SetSize(4, 4);
        bitmap.Canvas()->Font()->Assign(Bottom().LabelsFont());
        const int width = std::max(bitmap.Canvas()->TextWidth("1 000"), bitmap.Canvas()->TextWidth("0"));
        return width + int(std::nearbyint(width * 0.1));   // halves to even
    }

    // Paints at the width that makes the bottom axis `length` pixels long.
    std::unique_ptr<Picture> PaintWithAxisLength(int length)
    {
        auto picture = std::make_unique<Picture>(chart);
        for (int tries = 0; tries < 8 && Length() != length; ++tries) {
            chart.SetBounds(0, 0, chart.Width() + length - Length(), chart.Height());
            picture = std::make_unique<Picture>(chart);
        }
        EXPECT_EQ(Length(), length);
        return picture;
    }

    // Where the painted ticks of the bottom axis are: grey pixels four rows below its line.
    std::set<int> Ticks(const Picture& p)
    {
        std::set<int> at;
        const int row = Bottom().AxisLinePos() + 4;
        for (int x = Bottom().PixelStart() - 1; x <= Bottom().PixelEnd() + 1; ++x)
            if (p.At(x, row) == Px(clGray))
                at.insert(x);
        return at;
    }

    // The pixels of the labels at 0, step, 2 step ... 1000 on a span [start, end].
    std::set<int> Expected(double step)
    {
        std::set<int> at;
        const int start = Bottom().PixelStart(), end = Bottom().PixelEnd();
        for (double v = 0; v <= 1000; v += step)
            at.insert(start + int(std::nearbyint(v / 1000 * (end - start))));
        return at;
    }

    ProbeChart chart{nullptr};
};

} // namespace

TEST(AxisLabelCount, TheCountOfLabelsThatFitIsRoundedToTheNearest)
{
    LabelledChart c;
    const int spaced = c.SpacedLabelWidth();
    ASSERT_GT(spaced, 10);

    // Room for 9.75 labels counts as 10: the step 100 (ten steps, eleven labels).
    {
        const auto p = c.PaintWithAxisLength(spaced * 39 / 4);
        EXPECT_EQ(c.Ticks(*p), c.Expected(100)) << "axis of " << c.Length() << " pixels, labels of " << spaced;
    }
    // Room for 9.25 labels counts as 9: ten steps of 100 are too many, the step is 200.
    {
        const auto p = c.PaintWithAxisLength(spaced * 37 / 4);
        EXPECT_EQ(c.Ticks(*p), c.Expected(200)) << "axis of " << c.Length() << " pixels, labels of " << spaced;
    }
    // Room for 4.6 labels counts as 5: five steps of 200; for 4.4 it counts as 4, and the
    // step is 500.
    {
        const auto p = c.PaintWithAxisLength(spaced * 23 / 5);
        EXPECT_EQ(c.Ticks(*p), c.Expected(200));
    }
    {
        const auto p = c.PaintWithAxisLength(spaced * 22 / 5);
        EXPECT_EQ(c.Ticks(*p), c.Expected(500));
    }
}
