#include "chart/TChartLegend.h"

#include "chart/TChartCanvas3D.h"
#include "chart/TChartPen.h"
#include "chart/TChartSeries.h"
#include "chart/TChartSeriesList.h"
#include "chart/TCustomAxisPanel.h"
#include "forms/TBrush.h"
#include "forms/TFont.h"

#include <algorithm>

F2_DEFINE_CLASS(TChartLegend, TChartFontObject, F2_NO_FACTORY)
{
    using L = TChartLegend;
    c.Property("Alignment", &L::Alignment, &L::SetAlignment).Default(laRight);
    c.Property("Color", &L::Color, &L::SetColor).Default(clWhite);
    c.Property("Frame", &L::Frame, &L::SetFrame);
    c.Property("Visible", &L::Visible, &L::SetVisible).Default(1);
}

namespace {
constexpr int SwatchWidth = 12;
constexpr int Gap = 4;

std::string EntryText(const TChartSeries& series)
{
    return series.Title().empty() ? series.Name() : series.Title();
}
} // namespace

TChartLegend::TChartLegend(TNotifyEvent onChange)
    : TChartFontObject(std::move(onChange)),
      frame_(std::make_unique<TChartPen>([this](TObject*) { Changed(); }))
{
}

TChartLegend::~TChartLegend() = default;

void TChartLegend::SetFrame(TChartPen* value) { frame_->Assign(value); }

void TChartLegend::Draw(TChartCanvas3D& surface, platform::Rect& plot, const TCustomAxisPanel& chart) const
{
    surface.Font()->Assign(Font());
    int count = 0;
    int textWidth = 0;
    for (const TChartSeries* s : *chart.SeriesList())
        if (s->Active() && s->ShowInLegend()) {
            ++count;
            textWidth = std::max(textWidth, surface.MeasureTextWidth(EntryText(*s)));
        }
    if (count == 0)
        return;
    const int lineHeight = surface.FontPixelHeight();
    const int width = Gap + SwatchWidth + Gap + textWidth + Gap;
    const int height = count * lineHeight + 2 * Gap;
    platform::Rect box;
    switch (alignment_) {
    case laRight:
        box = {plot.right - width, plot.top, plot.right, plot.top + height};
        plot.right = box.left - Gap;
        break;
    case laLeft:
        box = {plot.left, plot.top, plot.left + width, plot.top + height};
        plot.left = box.right + Gap;
        break;
    case laTop:
    case laBottom: {
        const int left = (plot.left + plot.right - width) / 2;
        if (alignment_ == laTop) {
            box = {left, plot.top, left + width, plot.top + height};
            plot.top = box.bottom + Gap;
        } else {
            box = {left, plot.bottom - height, left + width, plot.bottom};
            plot.bottom = box.top - Gap;
        }
        break;
    }
    }
    surface.ApplyChartPen(frame_.get());
    surface.Brush()->SetColor(color_);
    surface.Brush()->SetStyle(bsSolid);
    surface.DrawBox(box.left, box.top, box.right, box.bottom);
    surface.ApplyTextAlign(platform::textalign::Left | platform::textalign::Top);
    surface.ApplyBackMode(platform::BackgroundMode::Transparent);
    int y = box.top + Gap;
    for (const TChartSeries* s : *chart.SeriesList()) {
        if (!s->Active() || !s->ShowInLegend())
            continue;
        const int x = box.left + Gap;
        surface.Brush()->SetColor(s->SeriesColor());
        surface.Brush()->SetStyle(bsSolid);
        surface.FillArea({x, y + 2, x + SwatchWidth, y + lineHeight - 2});
        surface.Brush()->SetStyle(bsClear);
        surface.PutText(x + SwatchWidth + Gap, y, EntryText(*s));
        y += lineHeight;
    }
}

void TChartLegend::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TChartLegend*>(source)) {
        SetVisible(other->visible_);
        SetAlignment(other->alignment_);
        SetColor(other->color_);
        frame_->Assign(other->frame_.get());
    }
    TChartFontObject::Assign(source);
}
