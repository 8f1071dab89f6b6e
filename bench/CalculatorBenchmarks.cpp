// The calculator end to end: one calculation, one "Go" through the message loop up to the
// presented frame, reading the main window's layout, and start-up to the first frame.

#include "bench/RunningProgram.h"

#include "app/Program.h"
#include "app/Unit1.h"
#include "chart/TChart.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TChartSeries.h"
#include "forms/TButton.h"
#include "forms/TLabel.h"

#include <benchmark/benchmark.h>

#include <new>
#include <optional>

namespace {

bool BothChartsHold(int points)
{
    return Form1->Chart2->SeriesAt(0)->PointCount() == points && Form1->Chart3->SeriesAt(0)->PointCount() == points;
}

bool BothChartsPainted()
{
    return !Form1->Chart2->Canvas3D()->IsDirty() && !Form1->Chart3->Canvas3D()->IsDirty();
}

// Validation, components, label texts and the 200-point sweep for the window's default
// inputs; the invalidations it causes are left for a paint that never comes.
void BM_Calculate(benchmark::State& state)
{
    RunningProgram program;
    for (auto _ : state)
        Form1->Button2Click(Form1->Button2);
    if (!BothChartsHold(design::TResponseSweep::PointCount) || Form1->Label7->Caption() == "0")
        state.SkipWithError("the calculation did not fill the results");
}
BENCHMARK(BM_Calculate)->Unit(benchmark::kMicrosecond);

// Enter (the default button "Go") through the real loop: key messages, the click, the
// calculation, the paint of both charts into the back buffer and the presented frame.
void BM_GoToPixels(benchmark::State& state)
{
    RunningProgram program;
    program.PostEnter();
    program.Pump();
    if (!BothChartsHold(design::TResponseSweep::PointCount)) {
        state.SkipWithError("Enter did not press \"Go\"");
        return;
    }
    for (auto _ : state) {
        const int presented = program.PresentCount();
        program.PostEnter();
        program.Pump();
        if (program.PresentCount() == presented || !BothChartsPainted()) {
            state.SkipWithError("a press presented no new frame with both charts");
            break;
        }
    }
}
BENCHMARK(BM_GoToPixels)->Unit(benchmark::kMicrosecond);

// A new main window from the embedded layout stream: every component, property, font and
// picture. The window is made the way the application makes it: its global reference is
// set before its constructor runs.
void BM_LoadMainWindow(benchmark::State& state)
{
    RunningProgram program;
    TForm1* const mainWindow = Form1;
    for (auto _ : state) {
        void* memory = ::operator new(sizeof(TForm1));
        Form1 = static_cast<TForm1*>(memory);
        TForm1* form = new (memory) TForm1(nullptr);
        benchmark::DoNotOptimize(form);
        state.PauseTiming();
        if (!form->Chart2 || form->ComponentCount() == 0)
            state.SkipWithError("the layout built no window");
        delete form;
        Form1 = mainWindow;
        state.ResumeTiming();
    }
    Form1 = mainWindow;
}
BENCHMARK(BM_LoadMainWindow)->Unit(benchmark::kMicrosecond);

// The application object, the main window and its first presented frame on the headless
// desktop. Fonts stay cached by the process after the first iteration, as glyphs do.
void BM_StartupToFirstFrame(benchmark::State& state)
{
    for (auto _ : state) {
        std::optional<RunningProgram> program;
        program.emplace();
        state.PauseTiming();
        program.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMicrosecond);

} // namespace
