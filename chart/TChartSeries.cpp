#include "chart/TChartSeries.h"

#include "chart/ChartExceptions.h"
#include "chart/ChartNumberFormat.h"
#include "chart/ChartPalette.h"
#include "chart/TChartSeriesList.h"
#include "chart/TChartValueList.h"
#include "chart/TChartAxis.h"
#include "chart/TCustomAxisPanel.h"
#include "chart/TCustomChartAxis.h"
#include "chart/TSeriesMarks.h"
#include "rtl/Format.h"

#include <algorithm>

F2_DEFINE_CLASS(TChartSeries, TComponent, F2_NO_FACTORY)
{
    c.Property("Active", &TChartSeries::Active, &TChartSeries::SetActive).Default(1);
    c.Property("ColorEachPoint", &TChartSeries::ColorEachPoint, &TChartSeries::SetColorEachPoint).Default(0);
    c.Property("ColorSource", &TChartSeries::ColorSource, &TChartSeries::SetColorSource);
    c.Property("Cursor", &TChartSeries::Cursor, &TChartSeries::SetCursor).Default(0);
    c.Property("HorizAxis", &TChartSeries::HorizAxis, &TChartSeries::SetHorizAxis).Default(aBottomAxis);
    c.Property("Marks", &TChartSeries::Marks, &TChartSeries::SetMarks);
    c.Property("ParentChart", &TChartSeries::ParentChart, &TChartSeries::SetParentChart);
    c.Property("PercentFormat", &TChartSeries::PercentFormat, &TChartSeries::SetPercentFormat);
    c.Property("SeriesColor", &TChartSeries::SeriesColor, &TChartSeries::SetSeriesColor).Default(clDefault);
    c.Property("ShowInLegend", &TChartSeries::ShowInLegend, &TChartSeries::SetShowInLegend).Default(1);
    c.Property("Title", &TChartSeries::Title, &TChartSeries::SetTitle);
    c.Property("ValueFormat", &TChartSeries::ValueFormat, &TChartSeries::SetValueFormat);
    c.Property("VertAxis", &TChartSeries::VertAxis, &TChartSeries::SetVertAxis).Default(aLeftAxis);
    c.Property("XLabelsSource", &TChartSeries::XLabelsSource, &TChartSeries::SetXLabelsSource);
    c.Property("XValues", &TChartSeries::XValues, &TChartSeries::SetXValues);
    c.Property("YValues", &TChartSeries::YValues, &TChartSeries::SetYValues);
    c.Property("OnAfterAdd", &TChartSeries::OnAfterAdd, &TChartSeries::SetOnAfterAdd);
    c.Property("OnBeforeAdd", &TChartSeries::OnBeforeAdd, &TChartSeries::SetOnBeforeAdd);
    c.Property("OnClearValues", &TChartSeries::OnClearValues, &TChartSeries::SetOnClearValues);
}

TChartSeries::TChartSeries(TComponent* owner)
    : TComponent(owner), marks_(std::make_unique<TSeriesMarks>(this))
{
    // Each list appends itself to valueLists_: X becomes entry 0, Y entry 1.
    xValues_ = new TChartValueList(this, "X");
    xValues_->SetOrder(loAscending);
    yValues_ = new TChartValueList(this, "Y");
}

TChartSeries::~TChartSeries()
{
    RemoveAllLinks();
    ClearPoints();
    ReleaseLists();
    SetParentChart(nullptr);
}

void TChartSeries::ReleaseLists()
{
    // A value list's destructor takes it out of valueLists_.
    while (valueLists_.Count() > 0)
        delete valueLists_.At(valueLists_.Count() - 1);
    xValues_ = yValues_ = nullptr;
    marks_.reset();
}

// --- Points -------------------------------------------------------------------------------

void TChartSeries::SetXValues(TChartValueList* value)
{
    xValues_->Assign(value);
}

void TChartSeries::SetYValues(TChartValueList* value)
{
    yValues_->Assign(value);
}

TChartValueList* TChartSeries::ValueListByName(const std::string& name) const
{
    return valueLists_.Find(name);
}

int TChartSeries::PointCount() const
{
    return xValues_ ? xValues_->ValueCount() : 0;
}

double TChartSeries::PointX(int index) const
{
    return xValues_->ValueAt(index);
}

double TChartSeries::PointY(int index) const
{
    return yValues_->ValueAt(index);
}

void TChartSeries::CheckPointIndex(int index) const
{
    if (index < 0 || index >= PointCount())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
}

TColor TChartSeries::StoredPointColor(int index) const
{
    if (index < 0 || index >= PointColorCount())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return pointColors_[size_t(index)];
}

TColor TChartSeries::PointColor(int index) const
{
    if (index < 0 || index >= PointColorCount())
        return seriesColor_;
    const TColor stored = pointColors_[size_t(index)];
    if (stored != clDefault)
        return stored;
    return colorEachPoint_ ? ChartPaletteColor(index) : seriesColor_;
}

void TChartSeries::SetPointColor(int index, TColor color)
{
    if (index < 0 || index >= PointColorCount())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    pointColors_[size_t(index)] = color;
    RequestRepaint();
}

std::string TChartSeries::PointLabel(int index) const
{
    if (index < 0 || index >= PointLabelCount() || !pointLabels_[size_t(index)])
        return std::string();
    return *pointLabels_[size_t(index)];
}

std::string TChartSeries::MarkText(int index) const
{
    return FormatChartNumber(valueFormat_, PointY(index));
}

bool TChartSeries::PointLabelHasText(int index) const
{
    if (index < 0 || index >= PointLabelCount())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return pointLabels_[size_t(index)] != nullptr;
}

void TChartSeries::InsertColorAndLabel(int index, TColor color, const std::string& label)
{
    pointColors_.insert(pointColors_.begin() + std::min(index, PointColorCount()), color);
    std::unique_ptr<std::string> text;
    if (!label.empty())
        text = std::make_unique<std::string>(label);
    pointLabels_.insert(pointLabels_.begin() + std::min(index, PointLabelCount()), std::move(text));
}

int TChartSeries::AddPointXY(double x, double y, const std::string& label, TColor color)
{
    xValues_->SetPendingValue(x);
    yValues_->SetPendingValue(y);
    // The handler may refuse the point or change the pending values.
    if (onBeforeAdd_ && !onBeforeAdd_(this))
        return -1;
    const int index = xValues_->AddOrdered(xValues_->PendingValue());
    yValues_->InsertAt(index, yValues_->PendingValue());
    // Further dimensions of richer series types take their pending values at the same index.
    for (int i = 2; i < valueLists_.Count(); ++i)
        valueLists_.At(i)->InsertAt(index, valueLists_.At(i)->PendingValue());
    InsertColorAndLabel(index, color, label);
    AfterAdd(index);
    return index;
}

void TChartSeries::AfterAdd(int index)
{
    if (onAfterAdd_)
        onAfterAdd_(this, index);
    NotifyDependents(vcInsert, index);
    if (active_)
        RequestRepaint();
}

int TChartSeries::AddY(double value, const std::string& label, TColor color)
{
    const double count = PointCount();
    if (MandatoryValueList() == yValues_)
        return AddPointXY(count, value, label, color);
    return AddPointXY(value, count, label, color);
}

int TChartSeries::AddNull(const std::string& label)
{
    return AddY(0, label, clNone);
}

int TChartSeries::AddNullXY(double x, double y, const std::string& label)
{
    return AddPointXY(x, y, label, clNone);
}

void TChartSeries::ClearPoints()
{
    for (TChartValueList* list : valueLists_)
        list->RemoveAll();
    std::vector<TColor>().swap(pointColors_);
    std::vector<std::unique_ptr<std::string>>().swap(pointLabels_);
    if (marks_)
        marks_->ClearPositions();
    if (onClearValues_)
        onClearValues_(this);
    NotifyDependents(vcClear, -1);
    if (active_ && parentChart_ && !parentChart_->IsDestroying())
        RequestRepaint();
}

void TChartSeries::DeletePoint(int index)
{
    // Checked once up front, so a bad index changes no list at all.
    CheckPointIndex(index);
    for (TChartValueList* list : valueLists_)
        list->RemoveAt(index);
    if (index < PointColorCount())
        pointColors_.erase(pointColors_.begin() + index);
    if (index < PointLabelCount())
        pointLabels_.erase(pointLabels_.begin() + index);
    if (marks_)
        marks_->RemovePositionAt(index);
    NotifyDependents(vcDelete, index);
    if (active_)
        RequestRepaint();
}

void TChartSeries::ExchangePoints(int a, int b)
{
    CheckPointIndex(a);
    CheckPointIndex(b);
    for (TChartValueList* list : valueLists_)
        list->Exchange(a, b);
    if (a < PointColorCount() && b < PointColorCount())
        std::swap(pointColors_[size_t(a)], pointColors_[size_t(b)]);
    if (a < PointLabelCount() && b < PointLabelCount())
        std::swap(pointLabels_[size_t(a)], pointLabels_[size_t(b)]);
}

double TChartSeries::MaxXValue() const { return xValues_->HighestValue(); }
double TChartSeries::MinXValue() const { return xValues_->LowestValue(); }
double TChartSeries::MaxYValue() const { return yValues_->HighestValue(); }
double TChartSeries::MinYValue() const { return yValues_->LowestValue(); }

// --- Dependents ---------------------------------------------------------------------------

bool TChartSeries::FollowsTransitively(const TChartSeries* other) const
{
    // True when data flows from this series to other through dependents.
    for (const TChartSeries* d : dependents_)
        if (d == other || d->FollowsTransitively(other))
            return true;
    return false;
}

void TChartSeries::AddDataSource(TChartSeries* source)
{
    if (!source || std::find(dataSources_.begin(), dataSources_.end(), source) != dataSources_.end())
        return;
    if (source == this || FollowsTransitively(source))
        throw ChartException("Circular Series dependences are not allowed");
    dataSources_.push_back(source);
    source->dependents_.push_back(this);
    CopyValuesFrom(source);
}

void TChartSeries::RemoveDataSource(TChartSeries* source)
{
    const auto it = std::find(dataSources_.begin(), dataSources_.end(), source);
    if (it == dataSources_.end())
        return;
    dataSources_.erase(it);
    auto& list = source->dependents_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

TChartSeries* TChartSeries::DataSourceAt(int index) const
{
    if (index < 0 || index >= DataSourceCount())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return dataSources_[size_t(index)];
}

TChartSeries* TChartSeries::DependentAt(int index) const
{
    if (index < 0 || index >= DependentCount())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return dependents_[size_t(index)];
}

void TChartSeries::RemoveAllLinks()
{
    while (!dataSources_.empty())
        RemoveDataSource(dataSources_.back());
    while (!dependents_.empty())
        dependents_.back()->RemoveDataSource(this);
}

void TChartSeries::NotifyDependents(TValueChange kind, int index)
{
    // A copy: a dependent may change the links while it follows.
    const std::vector<TChartSeries*> dependents = dependents_;
    for (TChartSeries* d : dependents) {
        const TRecalcOptions options = d->recalcOptions_;
        switch (kind) {
        case vcClear:
            if (options.Contains(rOnClear))
                d->ClearPoints();
            break;
        case vcInsert:
            if (options.Contains(rOnInsert) && !d->HasFunction())
                d->AddValueFrom(this, index);
            break;
        case vcDelete:
            // A dependent that no longer has the point (it may have been filled otherwise)
            // has nothing to delete.
            if (options.Contains(rOnDelete) && !d->HasFunction() && index < d->PointCount())
                d->DeletePoint(index);
            break;
        case vcModify:
            if (options.Contains(rOnModify))
                d->CopyValuesFrom(this);
            break;
        case vcRefresh:
            d->CopyValuesFrom(this);
            break;
        }
    }
}

int TChartSeries::AddValueFrom(TChartSeries* source, int index)
{
    const int at = xValues_->AddOrdered(source->XValues()->ValueAt(index));
    const TChartValueLists& from = source->ValueLists();
    for (int i = 1; i < valueLists_.Count(); ++i) {
        const double v = i < from.Count() ? from.At(i)->ValueAt(index) : 0.0;
        valueLists_.At(i)->InsertAt(at, v);
    }
    const TColor color = index < source->PointColorCount() ? source->StoredPointColor(index) : clDefault;
    InsertColorAndLabel(at, color, source->PointLabel(index));
    AfterAdd(at);
    return at;
}

void TChartSeries::CopyValuesFrom(TChartSeries* source)
{
    ClearPoints();
    for (int i = 0; i < source->PointCount(); ++i)
        AddValueFrom(source, i);
}

// --- Chart --------------------------------------------------------------------------------

void TChartSeries::SetParentChart(TCustomAxisPanel* chart)
{
    if (chart == parentChart_)
        return;
    if (TCustomAxisPanel* old = parentChart_) {
        TChartSeriesList* list = old->SeriesList();
        if (list && list->IndexOf(this) >= 0) {
            while (!dependents_.empty())
                dependents_.back()->RemoveDataSource(this);
            parentChart_ = nullptr;
            // A chart that shows this series' cursor gets its own back.
            if (int(old->Cursor()) == cursor_)
                old->SetCursor(old->LoadedCursor());
            list->Remove(this);
            old->Invalidate();
        }
    }
    parentChart_ = chart;
    ResolveAxes();
    if (!chart)
        return;
    TChartSeriesList* list = chart->SeriesList();
    if (!list || list->IndexOf(this) >= 0)
        return;
    if (seriesColor_ == clDefault)
        seriesColor_ = chart->FreeSeriesColor(true);
    list->Add(this);
    chart->Invalidate();
}

TComponent* TChartSeries::GetParentComponent() const
{
    return parentChart_;
}

void TChartSeries::SetParentComponent(TComponent* parent)
{
    SetParentChart(dynamic_cast<TCustomAxisPanel*>(parent));
}

void TChartSeries::RequestRepaint()
{
    if (parentChart_)
        parentChart_->Invalidate();
}

void TChartSeries::ResolveAxes()
{
    if (!parentChart_) {
        horizAxisObject_ = vertAxisObject_ = nullptr;
        return;
    }
    switch (horizAxis_) {
    case aTopAxis: horizAxisObject_ = parentChart_->TopAxis(); break;
    case aCustomHorizAxis:
        horizAxisObject_ = customHorizAxis_ ? customHorizAxis_ : parentChart_->BottomAxis();
        break;
    default: horizAxisObject_ = parentChart_->BottomAxis(); break;
    }
    switch (vertAxis_) {
    case aRightAxis: vertAxisObject_ = parentChart_->RightAxis(); break;
    case aCustomVertAxis:
        vertAxisObject_ = customVertAxis_ ? customVertAxis_ : parentChart_->LeftAxis();
        break;
    default: vertAxisObject_ = parentChart_->LeftAxis(); break;
    }
}

void TChartSeries::SetHorizAxis(THorizAxis value)
{
    rtl::StoreProperty(horizAxis_, value, [this] { ResolveAxes(); RequestRepaint(); });
}

void TChartSeries::SetVertAxis(TVertAxis value)
{
    rtl::StoreProperty(vertAxis_, value, [this] { ResolveAxes(); RequestRepaint(); });
}

void TChartSeries::SetCustomHorizAxis(TCustomChartAxis* axis)
{
    rtl::StoreProperty(customHorizAxis_, axis, [this] { ResolveAxes(); RequestRepaint(); });
}

void TChartSeries::SetCustomVertAxis(TCustomChartAxis* axis)
{
    rtl::StoreProperty(customVertAxis_, axis, [this] { ResolveAxes(); RequestRepaint(); });
}

bool TChartSeries::BelongsToAxis(const TCustomChartAxis* axis) const
{
    // The depth axis takes its range from the series count, never from their values.
    if (!axis || !UsesAxes() || axis->IsZAxis())
        return false;
    if (axis->IsHorizontal())
        return horizAxis_ == aBothHorizAxis || axis == horizAxisObject_;
    return vertAxis_ == aBothVertAxis || axis == vertAxisObject_;
}

// --- Published settings -------------------------------------------------------------------

void TChartSeries::SetActive(bool value)
{
    Store(active_, value);
}

void TChartSeries::SetSeriesColor(TColor value)
{
    Store(seriesColor_, value);
}

void TChartSeries::SetColorEachPoint(bool value)
{
    if (value == colorEachPoint_)
        return;
    colorEachPoint_ = value;
    // Switching off forgets the palette colours: every point follows the series colour.
    if (!value)
        std::fill(pointColors_.begin(), pointColors_.end(), clDefault);
    RequestRepaint();
}

void TChartSeries::SetMarks(TSeriesMarks* value)
{
    if (value && marks_ && value != marks_.get())
        marks_->SetVisible(value->Visible());
}

void TChartSeries::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TChartSeries*>(source)) {
        SetActive(other->active_);
        SetSeriesColor(other->seriesColor_);
        SetColorEachPoint(other->colorEachPoint_);
        SetTitle(other->title_);
        SetValueFormat(other->valueFormat_);
        SetPercentFormat(other->percentFormat_);
        SetShowInLegend(other->showInLegend_);
        SetHorizAxis(other->horizAxis_);
        SetVertAxis(other->vertAxis_);
        xValues_->Assign(other->xValues_);
        yValues_->Assign(other->yValues_);
        return;
    }
    TComponent::Assign(source);
}
