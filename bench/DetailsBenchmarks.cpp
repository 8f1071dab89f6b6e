// The details window: opened by F2 until its first frame is presented, a new design recomputed
// and its four charts painted and presented, and one mouse move over a chart (cursor columns
// and readout repainted from the charts' stored pictures).

#include "bench/RunningProgram.h"

#include "app/MainWindowDetails.h"
#include "app/Unit1.h"
#include "app/cli/CommandLine.h"
#include "app/details/TCursorChart.h"
#include "app/details/TDetailsForm.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TChartSeries.h"
#include "tests/support/KeyChord.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

cli::TRequest Request(const std::vector<std::string>& words)
{
    const std::vector<std::string_view> views(words.begin(), words.end());
    return cli::ParseCommandLine(views);
}

TDetailsForm* OpenDetails(RunningProgram& program)
{
    program.PostEnter();
    program.Pump();
    MainWindowDetails->OpenDetails();
    program.Pump();
    return MainWindowDetails->DetailsWindow();
}

bool AllChartsPainted(const TDetailsForm& d)
{
    for (const TCursorChart* chart : {d.ChartMagnitude, d.ChartPhase, d.ChartDelay, d.ChartStep})
        if (chart->Canvas3D()->IsDirty())
            return false;
    return true;
}

// Two designs in turn, so that each iteration is a new one: the design report, six sections
// over 400 points, two 500-sample bands, four step responses, the table, 26 series filled and
// the four charts rendered, painted and presented.
void BM_DetailsRecompute(benchmark::State& state)
{
    RunningProgram program;
    TDetailsForm* details = OpenDetails(program);
    const cli::TRequest designs[2] = {
        Request({"design", "--fc", "1k", "--q", "0,71", "--r", "10k", "--c", "22n"}),
        Request({"design", "--fc", "500k", "--q", "2,5", "--r", "1k", "--c", "1n"}),
    };
    int turn = 0;
    for (auto _ : state) {
        details->ShowDesign(designs[turn], "fc");
        program.Pump();
        turn = 1 - turn;
        if (!AllChartsPainted(*details) || details->ChartMagnitude->SeriesAt(4)->PointCount() != 400) {
            state.SkipWithError("the charts were not painted with the new design");
            break;
        }
    }
}
BENCHMARK(BM_DetailsRecompute)->Unit(benchmark::kMillisecond);

// One pointer move over the magnitude chart between two places: the readout computed at the
// frequency, three cursor columns and the readout line repainted and presented; the charts'
// pictures stay as they are.
void BM_DetailsHover(benchmark::State& state)
{
    RunningProgram program;
    TDetailsForm* details = OpenDetails(program);
    TCursorChart* chart = details->ChartMagnitude;
    const platform::Point origin = chart->ClientOrigin();
    const platform::Rect plot = chart->PlotRect();
    const uint64_t window = details->NativeWindow().Id();
    int turn = 0;
    for (auto _ : state) {
        platform::Event e;
        e.type = platform::EventType::MouseMove;
        e.window = window;
        e.x = origin.x + plot.left + plot.Width() / (turn ? 3 : 2);
        e.y = origin.y + plot.top + 10;
        program.Desktop().PostEvent(e);
        program.Pump();
        turn = 1 - turn;
        if (!chart->CursorValue() || details->ChartPhase->CursorValue() != chart->CursorValue() ||
            !AllChartsPainted(*details)) {
            state.SkipWithError("the move left no cursor, or a chart needs rendering");
            break;
        }
    }
}
BENCHMARK(BM_DetailsHover)->Unit(benchmark::kMicrosecond);

// F2 in the main window after a "Go" until the details window's first frame is presented,
// then Escape closing it. reopen 0: the window is made anew each time, as by the first F2 of a
// session (freeing it afterwards is not timed); reopen 1: the closed window is shown again.
void BM_DetailsOpen(benchmark::State& state)
{
    const bool reopen = state.range(0) != 0;
    RunningProgram program;
    program.PostEnter();
    program.Pump();
    const uint64_t main = Form1->NativeWindow().Id();
    for (auto _ : state) {
        PostKeyStroke(program.Desktop(), main, TKeyStroke{platform::vk::F2, 0, ""});
        program.Pump();
        TDetailsForm* details = MainWindowDetails->DetailsWindow();
        const platform::HeadlessWindow* window =
            details ? program.Desktop().FindWindow(details->NativeWindow().Id()) : nullptr;
        if (!window || !window->IsVisible() || window->PresentCount() == 0 || !AllChartsPainted(*details)) {
            state.SkipWithError("F2 presented no details window");
            break;
        }
        PostKeyStroke(program.Desktop(), window->Id(), TKeyStroke{platform::vk::Escape, 0, ""});
        program.Pump();
        if (details->Visible()) {
            state.SkipWithError("Escape left the details window open");
            break;
        }
        if (!reopen) {
            state.PauseTiming();
            delete details;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_DetailsOpen)->ArgName("reopen")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
