// The response chart on its own: a full render into its off-screen picture, and a paint
// request that finds the picture current and only copies it.

#include "bench/RunningProgram.h"

#include "app/Unit1.h"
#include "chart/TChart.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TChartSeries.h"
#include "forms/TBitmap.h"
#include "platform/DeviceContext.h"

#include <benchmark/benchmark.h>

namespace {

// The calculator's low-pass chart (265 x 169) holding the 100 points of the default design.
TChart* CalculatedChart(RunningProgram& program, benchmark::State& state)
{
    program.PostEnter();
    program.Pump();
    TChart* chart = Form1->Chart2;
    if (chart->SeriesAt(0)->PointCount() != 100 || chart->Width() != 265 || chart->Height() != 169) {
        state.SkipWithError("the low-pass chart is not 265 x 169 with 100 points");
        return nullptr;
    }
    return chart;
}

void BM_ChartRender(benchmark::State& state)
{
    RunningProgram program;
    TChart* chart = CalculatedChart(program, state);
    if (!chart)
        return;
    const platform::Rect rect = chart->ClientRect();
    for (auto _ : state) {
        // No destination: the picture stays in the surface's bitmap.
        chart->RenderTo(nullptr, rect);
        benchmark::ClobberMemory();
    }
    if (chart->Canvas3D()->IsDirty() || chart->Canvas3D()->Bitmap()->Width() != rect.Width())
        state.SkipWithError("the chart rendered no picture");
}
BENCHMARK(BM_ChartRender)->Unit(benchmark::kMicrosecond);

// The paint the desktop asks for when the window is uncovered: the chart's stored picture
// is current, so the paint is one block copy into the window's buffer.
void BM_ChartRepaintFromBuffer(benchmark::State& state)
{
    RunningProgram program;
    TChart* chart = CalculatedChart(program, state);
    if (!chart)
        return;
    platform::Raster window(Form1->Width(), Form1->Height());
    platform::DeviceContext dc(window);
    const platform::Rect area = chart->BoundsInForm();
    for (auto _ : state) {
        chart->PaintTree(dc, area);
        benchmark::ClobberMemory();
    }
    // The window must now show the stored picture, unchanged.
    const TChartCanvas3D& surface = *chart->Canvas3D();
    const platform::Raster& picture = surface.Bitmap()->Image();
    bool copied = !surface.IsDirty();
    for (int y = 0; copied && y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (window.At(area.left + x, area.top + y) != picture.At(x, y)) {
                copied = false;
                break;
            }
    if (!copied)
        state.SkipWithError("the paint did not copy the stored picture");
}
BENCHMARK(BM_ChartRepaintFromBuffer)->Unit(benchmark::kMicrosecond);

} // namespace
