// A chart on a form of the headless desktop: it paints through the framework's paint pipeline
// into the window's frame, without the framework erasing it first, and an uncovering paint
// copies its stored picture instead of rendering again.

#include "ChartPaintSupport.h"

#include "tests/support/WindowFixture.h"

using namespace chartpaint;

namespace {

class ChartOnForm : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        form->SetBounds(0, 0, 320, 220);
        chart = new ProbeChart(form);
        chart->SetParent(form);
        series = SetUpCalculatorChart(*chart, 265, 169, clRed);
        chart->SetBounds(20, 30, 265, 169);
        AddLowPassResponse(*series);
    }
    platform::Pixel Frame(int x, int y) { return Window().LastFrame().At(x, y) | 0xFF000000u; }

    ProbeChart* chart = nullptr;
    TLineSeries* series = nullptr;
};

} // namespace

TEST_F(ChartOnForm, TheChartPaintsIntoTheWindowAndRepaintsFromItsPicture)
{
    Show();
    EXPECT_EQ(chart->renders, 1);
    // The bevels at the chart's place in the window, the line inside its plot.
    EXPECT_EQ(Frame(20 + 132, 30), Px(clBtnShadow));
    EXPECT_EQ(Frame(20 + 132, 30 + 168), Px(clBtnHighlight));
    const platform::Rect plot = chart->PlotRect();
    int red = 0;
    for (int y = plot.top; y < plot.bottom; ++y)
        for (int x = plot.left; x < plot.right; ++x)
            red += Frame(20 + x, 30 + y) == Px(clRed);
    EXPECT_GT(red, 150);

    // A paint caused by something else copies the stored picture.
    form->Invalidate();
    RunUntilIdle();
    EXPECT_EQ(chart->renders, 1);
    EXPECT_EQ(Frame(20 + 132, 30), Px(clBtnShadow));

    // New data: one render for the whole batch.
    series->ClearPoints();
    AddLowPassResponse(*series, 3000);
    RunUntilIdle();
    EXPECT_EQ(chart->renders, 2);
}
