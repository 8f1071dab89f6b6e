#pragma once
// Charts set up like the calculator's two response charts, rendered headless into a bitmap,
// with pixel helpers for the paint tests.

#include "chart/TChart.h"
#include "chart/TChartAxis.h"
#include "chart/TChartAxisTitle.h"
#include "chart/TChartGradient.h"
#include "chart/TChartLegend.h"
#include "chart/TChartPen.h"
#include "chart/TChartTitle.h"
#include "chart/TChartWall.h"
#include "chart/TChartBrush.h"
#include "chart/TLineSeries.h"
#include "forms/TBitmap.h"
#include "forms/TFont.h"
#include "forms/TStrings.h"

#include <cmath>
#include <memory>

namespace chartpaint {

using platform::Pixel;

inline Pixel Px(TColor color)
{
    return ColorToPixel(color) | 0xFF000000u;
}

// A chart that records what its paint steps saw.
class ProbeChart : public TChart {
public:
    using TChart::TChart;
    int renders = 0;
    platform::Rect plotBeforeAxes;

    void PaintChart(const platform::Rect& bounds) override
    {
        ++renders;
        TChart::PaintChart(bounds);
    }
    void ComputeAxisRect() override
    {
        plotBeforeAxes = PlotRect();
        TChart::ComputeAxisRect();
    }
    // The desktop's paint request, with the control's canvas bound to dc.
    void PaintRequest(platform::DeviceContext& dc) { PaintWindow(dc); }
};

// The settings the calculator's layout gives each chart and its series.
inline TLineSeries* SetUpCalculatorChart(TChart& chart, int width, int height, TColor seriesColor,
                                         TGradientDirection direction = gdTopBottom)
{
    chart.SetBounds(0, 0, width, height);
    chart.SetAllowPanning(pmNone);
    chart.SetAllowZoom(false);
    chart.BackWall()->Brush()->SetColor(clWhite);
    chart.BackWall()->Brush()->SetStyle(bsClear);
    chart.Gradient()->SetDirection(direction);
    chart.Gradient()->SetEndColor(clWhite);
    chart.Gradient()->SetVisible(true);
    chart.Title()->Text()->Add("TChart");
    chart.Title()->SetVisible(false);
    for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) {
        axis->SetExactDateTime(false);
        axis->SetLabels(false);
        TFont* font = axis->Title()->Font();
        font->SetName("Arial");
        font->SetHeight(-11);
        font->SetStyle(TFontStyles{fsBold});
        font->SetColor(clBlack);
    }
    chart.BottomAxis()->SetLogarithmic(true);
    chart.BottomAxis()->Title()->SetCaption("f");
    chart.LeftAxis()->Title()->SetCaption("dB");
    chart.Legend()->SetVisible(false);
    chart.SetView3D(false);
    chart.SetBevelInner(bvLowered);
    chart.SetBevelOuter(bvLowered);
    auto* series = new TLineSeries(nullptr);
    series->SetParentChart(&chart);
    series->SetSeriesColor(seriesColor);
    series->LinePen()->SetWidth(2);
    return series;
}

// A 100-point second-order low-pass response (gain in dB over a logarithmic grid).
inline void AddLowPassResponse(TChartSeries& series, double corner = 1000)
{
    for (int i = 0; i < 100; ++i) {
        const double f = corner / 10 * std::pow(100.0, i / 99.0);
        const double u = f / corner;
        const double gain = 1 / std::sqrt((1 - u * u) * (1 - u * u) + 2 * u * u);
        series.AddPointXY(f, 20 * std::log10(gain));
    }
}

// The chart rendered into a bitmap of its own size.
struct Picture {
    explicit Picture(TCustomChartPanel& chart)
    {
        bitmap.SetSize(chart.Width(), chart.Height());
        bitmap.Image().Fill(Px(clFuchsia));
        chart.RenderTo(bitmap.Canvas(), {0, 0, chart.Width(), chart.Height()});
    }
    Pixel At(int x, int y) const { return bitmap.Image().At(x, y) | 0xFF000000u; }
    int Width() const { return bitmap.Width(); }
    int Height() const { return bitmap.Height(); }
    // Pixels of the colour inside r (right and bottom exclusive).
    int Count(Pixel colour, const platform::Rect& r) const
    {
        int n = 0;
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, Height()); ++y)
            for (int x = std::max(r.left, 0); x < std::min(r.right, Width()); ++x)
                n += At(x, y) == colour;
        return n;
    }
    int Count(Pixel colour) const { return Count(colour, {0, 0, Width(), Height()}); }
    TBitmap bitmap;
};

} // namespace chartpaint
