#include "chart/TCustomAxisPanel.h"

#include "chart/ChartExceptions.h"
#include "chart/ChartPalette.h"
#include "chart/TChartAxis.h"
#include "chart/TChartAxisTitle.h"
#include "chart/TChartDepthAxis.h"
#include "chart/TChartSeries.h"
#include "chart/TChartSeriesList.h"

F2_DEFINE_CLASS(TCustomAxisPanel, TCustomChartPanelExtended, F2_NO_FACTORY)
{
}

TCustomAxisPanel::TCustomAxisPanel(TComponent* owner)
    : TCustomChartPanelExtended(owner), seriesList_(std::make_unique<TChartSeriesList>(this))
{
    SetRepaintOnChange(false);
    bottomAxis_ = MakeAxis(true, false);
    topAxis_ = MakeAxis(true, true);
    leftAxis_ = MakeAxis(false, false);
    leftAxis_->Title()->SetAngle(90);
    rightAxis_ = MakeAxis(false, true);
    rightAxis_->Title()->SetAngle(270);
    depthAxis_ = new TChartDepthAxis(this);
    depthAxis_->SetKind(false, true, true);
    depthAxis_->SetVisible(false);
    axisList_.push_back(depthAxis_);
    SetRepaintOnChange(true);
}

TChartAxis* TCustomAxisPanel::MakeAxis(bool horizontal, bool farSide)
{
    auto* axis = new TChartAxis(this);
    axis->SetKind(horizontal, farSide, false);
    axisList_.push_back(axis);
    return axis;
}

TCustomAxisPanel::~TCustomAxisPanel()
{
    SetRepaintOnChange(false);
    while (seriesList_->Count() > 0) {
        TChartSeries* series = seriesList_->At(0);
        series->SetParentChart(nullptr);
        delete series;
    }
    for (TCustomChartAxis* axis : axisList_)
        delete axis;
}

// --- Series -------------------------------------------------------------------------------

int TCustomAxisPanel::SeriesCount() const
{
    return seriesList_ ? seriesList_->Count() : 0;
}

TChartSeries* TCustomAxisPanel::SeriesAt(int index) const
{
    return seriesList_->At(index);
}

int TCustomAxisPanel::ActiveSeriesCount() const
{
    return seriesList_->ActiveCount();
}

void TCustomAxisPanel::AddSeries(TChartSeries* series)
{
    if (series)
        series->SetParentChart(this);
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* series)
{
    if (series && series->ParentChart() == this)
        series->SetParentChart(nullptr);
}

bool TCustomAxisPanel::IsFreeSeriesColor(TColor color, bool checkBackground) const
{
    for (const TChartSeries* s : *seriesList_)
        if (s->SeriesColor() == color)
            return false;
    return !checkBackground || color != Color();
}

TColor TCustomAxisPanel::FreeSeriesColor(bool checkBackground) const
{
    for (int i = 0; i < ChartPaletteSize; ++i) {
        const TColor color = ChartPaletteColor(i);
        if (IsFreeSeriesColor(color, checkBackground))
            return color;
    }
    return ChartPaletteColor(ChartPaletteSize);
}

int TCustomAxisPanel::MaxSeriesZOrder() const
{
    // In 2-D every series sits at depth 0; in 3-D each active one gets its own slot.
    if (!View3D())
        return 0;
    return std::max(0, ActiveSeriesCount() - 1);
}

// --- Axes ---------------------------------------------------------------------------------

void TCustomAxisPanel::SetBottomAxis(TChartAxis* value) { bottomAxis_->Assign(value); }
void TCustomAxisPanel::SetTopAxis(TChartAxis* value) { topAxis_->Assign(value); }
void TCustomAxisPanel::SetLeftAxis(TChartAxis* value) { leftAxis_->Assign(value); }
void TCustomAxisPanel::SetRightAxis(TChartAxis* value) { rightAxis_->Assign(value); }
void TCustomAxisPanel::SetDepthAxis(TChartDepthAxis* value) { depthAxis_->Assign(value); }

double TCustomAxisPanel::SeriesExtent(const TCustomChartAxis* axis, bool minimum, bool horizontal) const
{
    if (axis->IsZAxis())
        return minimum ? -0.5 : MaxSeriesZOrder() + 0.5;
    const auto attached = [axis, horizontal](const TChartSeries* s) {
        if (horizontal)
            return s->HorizAxis() == aBothHorizAxis || s->GetHorizAxis() == axis;
        return s->VertAxis() == aBothVertAxis || s->GetVertAxis() == axis;
    };
    // Inactive series count only when no active one is attached, so that hiding every
    // series keeps the axis where it was.
    bool anyActive = false;
    for (const TChartSeries* s : *seriesList_)
        if (s->Active() && attached(s))
            anyActive = true;
    bool found = false;
    double result = 0;
    for (const TChartSeries* s : *seriesList_) {
        if ((anyActive && !s->Active()) || s->PointCount() == 0 || !attached(s))
            continue;
        const double v = horizontal ? (minimum ? s->MinXValue() : s->MaxXValue())
                                    : (minimum ? s->MinYValue() : s->MaxYValue());
        if (!found || (minimum ? v < result : v > result)) {
            result = v;
            found = true;
        }
    }
    return result;
}

void TCustomAxisPanel::SetAxisVisible(bool value) { Store(axisVisible_, value); }
void TCustomAxisPanel::SetClipPoints(bool value) { Store(clipPoints_, value); }
void TCustomAxisPanel::SetView3DWalls(bool value) { Store(view3DWalls_, value); }

void TCustomAxisPanel::SetMaxPointsPerPage(int value)
{
    if (value < 0)
        throw ChartException("MaxPointsPerPage must be >= 0");
    Store(maxPointsPerPage_, value);
}

void TCustomAxisPanel::SetPage(int value)
{
    Store(page_, value);
}
