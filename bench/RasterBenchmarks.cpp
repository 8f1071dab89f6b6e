// Raster work measured on its own: the window's captions drawn as text, and the limit every
// "Go" is compared with, the two chart rasters filled once at memory speed.

#include "bench/RunningProgram.h"

#include "app/Unit1.h"
#include "chart/TChart.h"
#include "chart/TChartAxis.h"
#include "chart/TChartAxisTitle.h"
#include "chart/TChartTitle.h"
#include "forms/TControl.h"
#include "forms/TFont.h"
#include "forms/TStrings.h"
#include "platform/DeviceContext.h"
#include "platform/Raster.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Caption {
    std::string text;
    platform::FontSpec font;
    platform::Pixel color = 0;
    platform::Point at;
};

Caption CaptionIn(const std::string& text, const TFont& font, platform::Point at, int angle = 0)
{
    Caption caption{text, font.PlatformSpec(), ColorToPixel(font.Color()), at};
    caption.font.escapement = angle * 10;
    return caption;
}

// Every text the layout gives the window's controls, in each control's own font and at its
// place: captions of labels, buttons, radio buttons and group boxes, the fields' texts, and
// each chart's axis titles and title.
std::vector<Caption> WindowCaptions()
{
    std::vector<Caption> captions;
    for (int i = 0; i < Form1->ComponentCount(); ++i) {
        TComponent* component = Form1->Components(i);
        if (auto* chart = dynamic_cast<TChart*>(component)) {
            const platform::Point o = chart->ClientOrigin();
            for (TChartAxis* axis : {chart->BottomAxis(), chart->LeftAxis()})
                captions.push_back(CaptionIn(axis->Title()->Caption(), *axis->Title()->Font(), o,
                                             axis->Title()->Angle()));
            TStrings* title = chart->Title()->Text();
            for (int line = 0; line < title->Count(); ++line)
                captions.push_back(CaptionIn(title->Get(line), *chart->Title()->Font(), o));
        } else if (auto* control = dynamic_cast<TControl*>(component)) {
            if (!control->GetText().empty() && control->Font())
                captions.push_back(CaptionIn(control->GetText(), *control->Font(), control->ClientOrigin()));
        }
    }
    return captions;
}

void BM_TextRender(benchmark::State& state)
{
    RunningProgram program;
    const std::vector<Caption> captions = WindowCaptions();
    platform::Raster raster(Form1->Width(), Form1->Height(), platform::MakePixel(212, 208, 200));
    platform::DeviceContext dc(raster);
    dc.SetBackMode(platform::BackgroundMode::Transparent);
    for (auto _ : state) {
        for (const Caption& caption : captions) {
            dc.SetFont(caption.font);
            dc.SetTextColor(caption.color);
            dc.TextOut(caption.at.x, caption.at.y, caption.text);
        }
        benchmark::ClobberMemory();
    }
    state.counters["captions"] = double(captions.size());
    if (captions.size() < 40)
        state.SkipWithError("the window has fewer captions than its layout gives it");
}
BENCHMARK(BM_TextRender)->Unit(benchmark::kMicrosecond);

// The floor for presenting a "Go": every pixel of both chart pictures written once, as
// fast as memory takes it. Nothing that draws the charts can beat this.
void BM_FillLimit(benchmark::State& state)
{
    platform::Raster highPass(257, 169);
    platform::Raster lowPass(265, 169);
    uint8_t value = 0;
    for (auto _ : state) {
        ++value;
        for (platform::Raster* raster : {&highPass, &lowPass}) {
            std::memset(raster->Data(), value, size_t(raster->Width()) * size_t(raster->Height()) * sizeof(platform::Pixel));
            benchmark::DoNotOptimize(raster->Data());
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * (257 + 265) * 169 * int64_t(sizeof(platform::Pixel)));
}
BENCHMARK(BM_FillLimit)->Unit(benchmark::kMicrosecond);

} // namespace
