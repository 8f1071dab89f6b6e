#include "chart/TCustomAxisPanel.h"

#include "chart/ChartExceptions.h"
#include "chart/TChartCanvas3D.h"
#include "chart/ChartPalette.h"
#include "chart/TChartAxis.h"
#include "chart/TChartAxisTitle.h"
#include "chart/TChartDepthAxis.h"
#include "chart/TChartSeries.h"
#include "chart/TChartSeriesList.h"

#include <algorithm>

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

void TCustomAxisPanel::Loaded()
{
    TCustomChartPanelExtended::Loaded();
    loadedCursor_ = Cursor();
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

// --- Painting -----------------------------------------------------------------------------

bool TCustomAxisPanel::IsAxisVisible(const TCustomChartAxis* axis) const
{
    if (!axisVisible_ || !axis->Visible())
        return false;
    if (axis->IsZAxis())
        return View3D();
    bool anyUsesAxes = false;
    for (const TChartSeries* s : *seriesList_) {
        if (!s->Active() || !s->UsesAxes())
            continue;
        anyUsesAxes = true;
        if (s->BelongsToAxis(axis))
            return true;
    }
    return !anyUsesAxes;
}

void TCustomAxisPanel::ComputeAxisRect()
{
    for (TCustomChartAxis* axis : axisList_)
        axis->ComputeRange();
    NormalizePlotRect();
    platform::Rect r0 = PlotRect();
    // Only the five standard axes take room; axes added later draw inside the plot.
    const size_t roomTakers = std::min<size_t>(axisList_.size(), 5);
    for (size_t i = 0; i < roomTakers; ++i) {
        TCustomChartAxis* axis = axisList_[i];
        if (!IsAxisVisible(axis))
            continue;
        platform::Rect r = r0;
        axis->TakeRoom(r);
        // An axis that would leave no plot at all gets no room.
        const platform::Rect inside = r.Intersect(r0);
        if (!inside.IsEmpty())
            r0 = inside;
    }
    SetPlotRect(r0);
    NormalizePlotRect();
    for (TCustomChartAxis* axis : axisList_) {
        axis->ComputePixelSpan();
        if (IsAxisVisible(axis))
            axis->PlaceOnPlot(PlotRect());
    }
}

void TCustomAxisPanel::ApplySeriesMarginsToAxes()
{
    for (TChartAxis* axis : {topAxis_, leftAxis_, rightAxis_, bottomAxis_}) {
        const bool horizontal = axis->IsHorizontal();
        int start = 0, end = 0;
        for (const TChartSeries* s : *seriesList_) {
            if (!s->Active() || !s->BelongsToAxis(axis))
                continue;
            int a = 0, b = 0;
            if (horizontal)
                s->GetHorizMargins(a, b);
            else
                s->GetVertMargins(a, b);
            start = std::max(start, a);
            end = std::max(end, b);
        }
        // A margin only moves an end that follows the series.
        if (!(horizontal ? axis->AutomaticMinimum() : axis->AutomaticMaximum()))
            start = 0;
        if (!(horizontal ? axis->AutomaticMaximum() : axis->AutomaticMinimum()))
            end = 0;
        axis->ApplySeriesMargins(start, end);
    }
}

void TCustomAxisPanel::PaintChart(const platform::Rect& bounds)
{
    TChartCanvas3D& surface = *Canvas3D();
    PaintPanel(bounds);
    for (TChartSeries* s : *seriesList_)
        if (s->Active())
            s->PaintBeforeChart();
    PaintTitlesAndLegend();
    // In 2-D every series lies at depth 0, so the depth order and positions need no work.
    ComputeAxisRect();
    ApplySeriesMarginsToAxes();
    surface.SetProjection(Depth3D(), bounds, PlotRect());
    if (surface.HandlesFullRotation()) {
        const platform::Rect plot = PlotRect();
        SetPlotRect(bounds);
        PaintTitlesAndLegend();
        SetPlotRect(plot);
    }
    PaintWalls();
    const auto paintAxes = [this] {
        for (TCustomChartAxis* axis : axisList_)
            if (IsAxisVisible(axis))
                axis->PaintAxis();
    };
    if (axisVisible_ && AxesBehindSeries) {
        if (onBeforeDrawAxes_)
            onBeforeDrawAxes_(this);
        paintAxes();
    }
    if (onBeforeDrawSeries_)
        onBeforeDrawSeries_(this);
    for (TChartSeries* s : *seriesList_)
        if (s->Active())
            s->PaintSeries();
    if (axisVisible_ && !AxesBehindSeries)
        paintAxes();
    surface.ResetDrawingState();
    if (onAfterDraw_)
        onAfterDraw_(this);
}
