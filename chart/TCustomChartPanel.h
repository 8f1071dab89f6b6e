#pragma once
// The chart control's base: a panel with a drawing surface (which buffers the picture
// off-screen), the 3-D view settings, the margins and the plot rectangle. It repaints only on
// request: while RepaintOnChange holds, an invalidation marks the stored picture stale and
// asks the desktop for a paint; the paint itself comes later, once for a batch of changes.

#include "forms/TCustomPanel.h"
#include "platform/Raster.h"

#include <memory>

class TChartCanvas3D;
class TView3DOptions;

class TCustomChartPanel : public TCustomPanel {
    F2_CLASS(TCustomChartPanel, TCustomPanel)
public:
    explicit TCustomChartPanel(TComponent* owner);
    ~TCustomChartPanel() override;

    // Does nothing while RepaintOnChange is false; otherwise marks the surface's picture
    // stale and asks for a paint of the control.
    void Invalidate() override;
    bool RepaintOnChange() const { return repaintOnChange_; }
    void SetRepaintOnChange(bool value) { repaintOnChange_ = value; }

    TChartCanvas3D* Canvas3D() const { return surface_.get(); }

    bool View3D() const { return view3D_; }
    void SetView3D(bool value);
    TView3DOptions* View3DOptions() const { return view3DOptions_.get(); }
    void SetView3DOptions(TView3DOptions* value);
    // 1..100; ChartException "3D effect percent must be between 1 and 100" otherwise.
    int Chart3DPercent() const { return chart3DPercent_; }
    void SetChart3DPercent(int value);
    // The depth of the 3-D view in pixels: 0 in 2-D.
    int Depth3D() const { return view3D_ ? depth3D_ : 0; }
    void SetDepth3D(int value) { depth3D_ = value; }

    // In percent of the panel bounds' width (left, right) or height (top, bottom).
    int MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(int value);
    int MarginTop() const { return marginTop_; }
    void SetMarginTop(int value);
    int MarginRight() const { return marginRight_; }
    void SetMarginRight(int value);
    int MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(int value);

    const platform::Rect& PanelBounds() const { return panelBounds_; }
    void SetPanelBounds(const platform::Rect& value) { panelBounds_ = value; }
    const platform::Rect& PlotRect() const { return plotRect_; }
    void SetPlotRect(const platform::Rect& value) { plotRect_ = value; }
    int PlotWidth() const { return plotRect_.right - plotRect_.left; }
    int PlotHeight() const { return plotRect_.bottom - plotRect_.top; }
    int PlotCenterX() const { return (plotRect_.left + plotRect_.right) / 2; }
    int PlotCenterY() const { return (plotRect_.top + plotRect_.bottom) / 2; }

    bool Printing() const { return printing_; }

    // The paint sequence for the panel bounds; charts with axes fill it in.
    virtual void PaintChart(const platform::Rect& bounds) = 0;
    // Renders the whole chart for rect of target: the surface prepares its picture, the plot
    // rectangle starts from the margins, PaintChart draws, and the picture is copied to target.
    virtual void RenderTo(TCanvas* target, const platform::Rect& rect);
    // The outer bevel, the border and the inner bevel, from the outside in.
    virtual void PaintPanelFrame(const platform::Rect& rect);
    // Keeps the plot rectangle inside the panel bounds and at least one pixel wide and high.
    void NormalizePlotRect();

protected:
    // Copies the stored picture when it is current, else renders the chart afresh.
    void Paint() override;
    // The chart covers its whole area itself: the erase request is answered without erasing.
    void EraseBackground(platform::DeviceContext&) override {}

private:
    bool repaintOnChange_ = false;
    std::unique_ptr<TChartCanvas3D> surface_;
    bool view3D_ = true;
    std::unique_ptr<TView3DOptions> view3DOptions_;
    int chart3DPercent_ = 15;
    int depth3D_ = 0;
    int marginLeft_ = 3;
    int marginTop_ = 4;
    int marginRight_ = 3;
    int marginBottom_ = 4;
    platform::Rect panelBounds_;
    platform::Rect plotRect_;
    bool printing_ = false;
};
