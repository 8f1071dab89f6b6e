#pragma once
// The chart with series and axes: it keeps its series in SeriesList (in the order they
// joined) and its five axes in one list (bottom, top, left, right, depth), and tells each
// axis the extent of the series attached to it. The paint sequence and the axis layout are
// virtual steps that the painting classes fill in.

#include "chart/TCustomChartPanelExtended.h"
#include "forms/TColor.h"
#include "forms/TNotifyEvent.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TChartAxis;
class TChartDepthAxis;
class TChartSeries;
class TChartSeriesList;
class TCustomChartAxis;

// Lets the program replace the text of an axis label (series is none and valueIndex -1 for
// labels of plain values).
using TAxisOnGetLabel = std::function<void(TCustomChartAxis* sender, TChartSeries* series,
                                           int valueIndex, std::string& labelText)>;

// Lets the program choose the label values of an axis one by one: it sets labelValue and
// clears stop to give value number labelIndex; leaving stop set ends the values (at index 0:
// the axis takes its own values).
using TAxisOnGetNextLabel = std::function<void(TCustomChartAxis* sender, int labelIndex,
                                               double& labelValue, bool& stop)>;

class TCustomAxisPanel : public TCustomChartPanelExtended {
    F2_CLASS(TCustomAxisPanel, TCustomChartPanelExtended)
public:
    explicit TCustomAxisPanel(TComponent* owner);
    // Destroys the series still in SeriesList, first to last, after taking each out.
    ~TCustomAxisPanel() override;

    // --- Series -------------------------------------------------------------------------
    TChartSeriesList* SeriesList() const { return seriesList_.get(); }
    int SeriesCount() const;
    TChartSeries* SeriesAt(int index) const;   // EListError "List index out of bounds (%d)"
    int ActiveSeriesCount() const;
    // Joins or leaves through TChartSeries::SetParentChart.
    void AddSeries(TChartSeries* series);
    void RemoveSeries(TChartSeries* series);
    // The first palette colour no series of this chart uses (and, when checkBackground,
    // that differs from the chart's own colours); palette entry 0 when all are taken.
    TColor FreeSeriesColor(bool checkBackground) const;
    virtual bool IsFreeSeriesColor(TColor color, bool checkBackground) const;
    // The highest depth index of the active series (0 in 2-D).
    virtual int MaxSeriesZOrder() const;
    // The cursor the chart had when it finished loading (crDefault for a chart made in code);
    // a series that leaves the chart puts it back if the chart shows the series' cursor.
    TCursor LoadedCursor() const { return loadedCursor_; }

    // --- Axes ---------------------------------------------------------------------------
    TChartAxis* BottomAxis() const { return bottomAxis_; }
    TChartAxis* TopAxis() const { return topAxis_; }
    TChartAxis* LeftAxis() const { return leftAxis_; }
    TChartAxis* RightAxis() const { return rightAxis_; }
    TChartDepthAxis* DepthAxis() const { return depthAxis_; }
    void SetBottomAxis(TChartAxis* value);
    void SetTopAxis(TChartAxis* value);
    void SetLeftAxis(TChartAxis* value);
    void SetRightAxis(TChartAxis* value);
    void SetDepthAxis(TChartDepthAxis* value);
    // Bottom, top, left, right, depth.
    const std::vector<TCustomChartAxis*>& AxisList() const { return axisList_; }
    // The smallest or largest value of the series attached to axis in the given direction
    // (true: X values of horizontally attached series); 0 when none counts.
    double SeriesExtent(const TCustomChartAxis* axis, bool minimum, bool horizontal) const;
    double MaxXValue(const TCustomChartAxis* axis) const { return SeriesExtent(axis, false, true); }
    double MinXValue(const TCustomChartAxis* axis) const { return SeriesExtent(axis, true, true); }
    double MaxYValue(const TCustomChartAxis* axis) const { return SeriesExtent(axis, false, false); }
    double MinYValue(const TCustomChartAxis* axis) const { return SeriesExtent(axis, true, false); }

    bool AxisVisible() const { return axisVisible_; }
    void SetAxisVisible(bool value);
    bool ClipPoints() const { return clipPoints_; }
    void SetClipPoints(bool value);
    bool View3DWalls() const { return view3DWalls_; }
    void SetView3DWalls(bool value);
    // ChartException "MaxPointsPerPage must be >= 0" below 0.
    int MaxPointsPerPage() const { return maxPointsPerPage_; }
    void SetMaxPointsPerPage(int value);
    int Page() const { return page_; }
    virtual void SetPage(int value);

    const TAxisOnGetLabel& OnGetAxisLabel() const { return onGetAxisLabel_; }
    void SetOnGetAxisLabel(const TAxisOnGetLabel& handler) { onGetAxisLabel_ = handler; }
    const TAxisOnGetNextLabel& OnGetNextAxisLabel() const { return onGetNextAxisLabel_; }
    void SetOnGetNextAxisLabel(const TAxisOnGetNextLabel& handler) { onGetNextAxisLabel_ = handler; }
    const TNotifyEvent& OnBeforeDrawAxes() const { return onBeforeDrawAxes_; }
    void SetOnBeforeDrawAxes(const TNotifyEvent& handler) { onBeforeDrawAxes_ = handler; }
    const TNotifyEvent& OnBeforeDrawSeries() const { return onBeforeDrawSeries_; }
    void SetOnBeforeDrawSeries(const TNotifyEvent& handler) { onBeforeDrawSeries_ = handler; }
    const TNotifyEvent& OnAfterDraw() const { return onAfterDraw_; }
    void SetOnAfterDraw(const TNotifyEvent& handler) { onAfterDraw_ = handler; }

    // --- Paint steps ----------------------------------------------------------------------
    // The paint sequence: panel, titles and legend, axis layout, series margins, walls, axes,
    // series, then the after-draw event.
    void PaintChart(const platform::Rect& bounds) override;
    // Ranges of every axis, then the room each visible axis takes from PlotRect, then the
    // pixel spans of the final PlotRect.
    virtual void ComputeAxisRect();
    // Widens the ranges of the top, left, right and bottom axes by the series' margins.
    virtual void ApplySeriesMarginsToAxes();
    virtual void PaintTitlesAndLegend() {}
    virtual void PaintWalls() {}
    // The 3-D wall thickness beside an axis (0 in 2-D).
    virtual int AxisWallSize(const TCustomChartAxis*) const { return 0; }
    // True when the axis is switched on and some active series uses it (or, when no active
    // series uses axes at all, whenever it is switched on); the depth axis only in 3-D.
    bool IsAxisVisible(const TCustomChartAxis* axis) const;
    // Whether the axes are drawn before the series (so that lines lie over the axes).
    static constexpr bool AxesBehindSeries = true;

protected:
    void Loaded() override;

private:
    TChartAxis* MakeAxis(bool horizontal, bool farSide);

    std::unique_ptr<TChartSeriesList> seriesList_;
    TChartAxis* bottomAxis_ = nullptr;
    TChartAxis* topAxis_ = nullptr;
    TChartAxis* leftAxis_ = nullptr;
    TChartAxis* rightAxis_ = nullptr;
    TChartDepthAxis* depthAxis_ = nullptr;
    std::vector<TCustomChartAxis*> axisList_;   // owns the five axes
    bool axisVisible_ = true;
    bool clipPoints_ = true;
    bool view3DWalls_ = true;
    int maxPointsPerPage_ = 0;
    int page_ = 1;
    TAxisOnGetLabel onGetAxisLabel_;
    TAxisOnGetNextLabel onGetNextAxisLabel_;
    TNotifyEvent onBeforeDrawAxes_;
    TNotifyEvent onBeforeDrawSeries_;
    TNotifyEvent onAfterDraw_;
    // The cursor of the chart when its loading ended.
    TCursor loadedCursor_ = crDefault;
};
