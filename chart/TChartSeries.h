#pragma once
// A series: the points of one data set of a chart. Each dimension is a TChartValueList (X is
// list 0, Y list 1); colours and label texts are kept in parallel lists, all indexed by point.
// A series joins a chart through ParentChart, asks it to repaint after every data change, and
// can feed other series (its dependents), which follow its insertions, deletions and clears.

#include "chart/TChartValueLists.h"
#include "forms/TColor.h"
#include "forms/TComponent.h"
#include "forms/TNotifyEvent.h"
#include "rtl/StoreProperty.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TChartValueList;
class TCustomAxisPanel;
class TCustomChartAxis;
class TSeriesMarks;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
F2_ENUM_TYPE(THorizAxis, "aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis");
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };
F2_ENUM_TYPE(TVertAxis, "aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis");

// What happened to the data of a series, as told to its dependents.
enum TValueChange { vcClear, vcInsert, vcDelete, vcModify, vcRefresh };
// Which changes a dependent follows (bits 1, 2, 4, 8).
enum TRecalcOption { rOnDelete, rOnModify, rOnInsert, rOnClear };
F2_ENUM_TYPE(TRecalcOption, "rOnDelete", "rOnModify", "rOnInsert", "rOnClear");
using TRecalcOptions = TSet<TRecalcOption>;
F2_SET_TYPE(TRecalcOptions, TRecalcOption);

class TChartSeries;
using TSeriesOnBeforeAdd = std::function<bool(TChartSeries* sender)>;
using TSeriesOnAfterAdd = std::function<void(TChartSeries* sender, int valueIndex)>;
using TSeriesOnClear = std::function<void(TChartSeries* sender)>;

class TChartSeries : public TComponent {
    F2_CLASS(TChartSeries, TComponent)
public:
    explicit TChartSeries(TComponent* owner);
    ~TChartSeries() override;

    // --- Points -------------------------------------------------------------------------
    TChartValueLists& ValueLists() { return valueLists_; }
    const TChartValueLists& ValueLists() const { return valueLists_; }
    TChartValueList* XValues() const { return xValues_; }
    TChartValueList* YValues() const { return yValues_; }
    void SetXValues(TChartValueList* value);   // copies the settings
    void SetYValues(TChartValueList* value);
    // The list a lone value goes into.
    virtual TChartValueList* MandatoryValueList() const { return yValues_; }
    TChartValueList* ValueListByName(const std::string& name) const;

    int PointCount() const;
    virtual double PointX(int index) const;
    virtual double PointY(int index) const;
    // The colour a point is drawn in: its own, else a palette colour (ColorEachPoint), else
    // SeriesColor.
    virtual TColor PointColor(int index) const;
    // The stored text, or empty beyond the label list or for a label stored without text.
    virtual std::string PointLabel(int index) const;
    // The text of a point's mark: its value in ValueFormat.
    virtual std::string MarkText(int index) const;
    TColor StoredPointColor(int index) const;    // EListError for a bad index
    void SetPointColor(int index, TColor color);  // EListError for a bad index
    bool PointLabelHasText(int index) const;      // EListError for a bad index
    bool IsNull(int index) const { return StoredPointColor(index) == clNone; }
    int PointColorCount() const { return int(pointColors_.size()); }
    int PointLabelCount() const { return int(pointLabels_.size()); }
    size_t PointColorCapacity() const { return pointColors_.capacity(); }

    // Adds a point in X order; returns its index, or -1 when OnBeforeAdd refused it.
    virtual int AddPointXY(double x, double y, const std::string& label = std::string(),
                           TColor color = clDefault);
    // A lone value: it becomes the mandatory (Y) value, the current point count the other.
    virtual int AddY(double value, const std::string& label = std::string(), TColor color = clDefault);
    virtual int AddNull(const std::string& label = std::string());
    virtual int AddNullXY(double x, double y, const std::string& label = std::string());
    virtual void ClearPoints();
    virtual void DeletePoint(int index);
    // Swaps two points in every value list, the colour and the label list.
    void ExchangePoints(int a, int b);

    virtual double MaxXValue() const;
    virtual double MinXValue() const;
    virtual double MaxYValue() const;
    virtual double MinYValue() const;
    virtual double MaxZValue() const { return 0; }
    virtual double MinZValue() const { return 0; }

    // --- Dependents ---------------------------------------------------------------------
    // Makes this series a dependent of source. ChartException "Circular Series dependences
    // are not allowed" when source is this series or already follows it.
    void AddDataSource(TChartSeries* source);
    void RemoveDataSource(TChartSeries* source);
    int DataSourceCount() const { return int(dataSources_.size()); }
    TChartSeries* DataSourceAt(int index) const;
    int DependentCount() const { return int(dependents_.size()); }
    TChartSeries* DependentAt(int index) const;
    // The changes of its sources this series follows (all four by default).
    TRecalcOptions RecalcOptions() const { return recalcOptions_; }
    void SetRecalcOptions(TRecalcOptions value) { recalcOptions_ = value; }
    // Series computed by a function do not copy inserted or deleted points.
    virtual bool HasFunction() const { return false; }
    void NotifyDependents(TValueChange kind, int index);
    // Copies point index of source (X in order, the other lists at the same index), then its
    // colour and label, then the after-add steps. Returns the new index.
    virtual int AddValueFrom(TChartSeries* source, int index);
    // Removes all points and copies every point of source again.
    virtual void CopyValuesFrom(TChartSeries* source);

    // --- Chart --------------------------------------------------------------------------
    TCustomAxisPanel* ParentChart() const { return parentChart_; }
    virtual void SetParentChart(TCustomAxisPanel* chart);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    // Invalidates the parent chart, if any.
    void RequestRepaint();

    THorizAxis HorizAxis() const { return horizAxis_; }
    void SetHorizAxis(THorizAxis value);
    TVertAxis VertAxis() const { return vertAxis_; }
    void SetVertAxis(TVertAxis value);
    TCustomChartAxis* CustomHorizAxis() const { return customHorizAxis_; }
    void SetCustomHorizAxis(TCustomChartAxis* axis);
    TCustomChartAxis* CustomVertAxis() const { return customVertAxis_; }
    void SetCustomVertAxis(TCustomChartAxis* axis);
    // The axis objects HorizAxis and VertAxis stand for in the parent chart (none without).
    TCustomChartAxis* GetHorizAxis() const { return horizAxisObject_; }
    TCustomChartAxis* GetVertAxis() const { return vertAxisObject_; }
    void ResolveAxes();
    virtual bool UsesAxes() const { return true; }
    virtual bool BelongsToAxis(const TCustomChartAxis* axis) const;

    // --- Published settings -------------------------------------------------------------
    bool Active() const { return active_; }
    virtual void SetActive(bool value);
    TColor SeriesColor() const { return seriesColor_; }
    virtual void SetSeriesColor(TColor value);
    bool ColorEachPoint() const { return colorEachPoint_; }
    virtual void SetColorEachPoint(bool value);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { Store(title_, value); }
    const std::string& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const std::string& value) { Store(valueFormat_, value); }
    const std::string& PercentFormat() const { return percentFormat_; }
    void SetPercentFormat(const std::string& value) { Store(percentFormat_, value); }
    bool ShowInLegend() const { return showInLegend_; }
    void SetShowInLegend(bool value) { Store(showInLegend_, value); }
    int Cursor() const { return cursor_; }
    void SetCursor(int value) { cursor_ = value; }
    const std::string& XLabelsSource() const { return xLabelsSource_; }
    void SetXLabelsSource(const std::string& value) { xLabelsSource_ = value; }
    const std::string& ColorSource() const { return colorSource_; }
    void SetColorSource(const std::string& value) { colorSource_ = value; }
    TSeriesMarks* Marks() const { return marks_.get(); }
    void SetMarks(TSeriesMarks* value);

    const TSeriesOnBeforeAdd& OnBeforeAdd() const { return onBeforeAdd_; }
    void SetOnBeforeAdd(const TSeriesOnBeforeAdd& handler) { onBeforeAdd_ = handler; }
    const TSeriesOnAfterAdd& OnAfterAdd() const { return onAfterAdd_; }
    void SetOnAfterAdd(const TSeriesOnAfterAdd& handler) { onAfterAdd_ = handler; }
    const TSeriesOnClear& OnClearValues() const { return onClearValues_; }
    void SetOnClearValues(const TSeriesOnClear& handler) { onClearValues_ = handler; }

    // --- Painting (filled in by the series types) ---------------------------------------
    int FirstShownIndex() const { return firstShown_; }
    int LastShownIndex() const { return lastShown_; }
    bool LimitToVisible() const { return limitToVisible_; }
    void SetLimitToVisible(bool value) { limitToVisible_ = value; }
    const TNotifyEvent& BeforeDrawValues() const { return beforeDrawValues_; }
    void SetBeforeDrawValues(const TNotifyEvent& handler) { beforeDrawValues_ = handler; }
    const TNotifyEvent& AfterDrawValues() const { return afterDrawValues_; }
    void SetAfterDrawValues(const TNotifyEvent& handler) { afterDrawValues_ = handler; }
    // Called by the chart before titles and axes are laid out.
    virtual void PaintBeforeChart() {}
    // Paints the whole series; the chart calls it for each active series.
    virtual void PaintSeries() {}
    virtual void PaintPoint(int /*index*/) {}
    // Pixels the series wants kept free at the ends of its axes.
    virtual void GetHorizMargins(int& left, int& right) const { left = right = 0; }
    virtual void GetVertMargins(int& top, int& bottom) const { top = bottom = 0; }

    void Assign(TPersistent* source) override;

protected:
    // OnAfterAdd, then the dependents, then a repaint when active.
    virtual void AfterAdd(int index);
    void SetShownRange(int first, int last) { firstShown_ = first; lastShown_ = last; }
    // Stores colour and label of a new point at index.
    void InsertColorAndLabel(int index, TColor color, const std::string& label);
    void CheckPointIndex(int index) const;

private:
    // Every simple setter: nothing happens for the value already held, otherwise RequestRepaint() runs.
    template <class T>
    void Store(T& field, T value) { rtl::StoreProperty(field, value, [this] { RequestRepaint(); }); }

    void ReleaseLists();
    void RemoveAllLinks();
    bool FollowsTransitively(const TChartSeries* other) const;

    TChartValueLists valueLists_;
    TChartValueList* xValues_ = nullptr;
    TChartValueList* yValues_ = nullptr;
    std::vector<TColor> pointColors_;
    // A label without text holds no storage.
    std::vector<std::unique_ptr<std::string>> pointLabels_;
    std::unique_ptr<TSeriesMarks> marks_;

    bool active_ = true;
    TColor seriesColor_ = clDefault;
    bool colorEachPoint_ = false;
    std::string title_;
    std::string valueFormat_ = "#,##0.###";
    std::string percentFormat_ = "##0.## %";
    bool showInLegend_ = true;
    int cursor_ = 0;
    std::string xLabelsSource_;
    std::string colorSource_;

    TCustomAxisPanel* parentChart_ = nullptr;
    THorizAxis horizAxis_ = aBottomAxis;
    TVertAxis vertAxis_ = aLeftAxis;
    TCustomChartAxis* customHorizAxis_ = nullptr;
    TCustomChartAxis* customVertAxis_ = nullptr;
    TCustomChartAxis* horizAxisObject_ = nullptr;
    TCustomChartAxis* vertAxisObject_ = nullptr;

    std::vector<TChartSeries*> dependents_;
    std::vector<TChartSeries*> dataSources_;
    TRecalcOptions recalcOptions_{rOnDelete, rOnModify, rOnInsert, rOnClear};

    TSeriesOnBeforeAdd onBeforeAdd_;
    TSeriesOnAfterAdd onAfterAdd_;
    TSeriesOnClear onClearValues_;
    TNotifyEvent beforeDrawValues_;
    TNotifyEvent afterDrawValues_;
    int firstShown_ = -1;
    int lastShown_ = -1;
    bool limitToVisible_ = true;
};
