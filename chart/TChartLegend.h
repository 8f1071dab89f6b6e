#pragma once
// The legend of a chart: a framed box listing the active series (colour swatch and title)
// beside, above or below the plot. It takes its room from the plot rectangle's side.

#include "chart/TChartFontObject.h"
#include "forms/TColor.h"
#include "platform/Raster.h"

#include <memory>

class TChartCanvas3D;
class TChartPen;
class TCustomAxisPanel;

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };
F2_ENUM_TYPE(TLegendAlignment, "laLeft", "laRight", "laTop", "laBottom");

class TChartLegend : public TChartFontObject {
    F2_CLASS(TChartLegend, TChartFontObject)
public:
    explicit TChartLegend(TNotifyEvent onChange = {});
    ~TChartLegend() override;

    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Store(visible_, value); }
    TLegendAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLegendAlignment value) { Store(alignment_, value); }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { Store(color_, value); }
    TChartPen* Frame() const { return frame_.get(); }
    void SetFrame(TChartPen* value);
    // Beside the plot (left or right) rather than above or below it.
    bool AtSide() const { return alignment_ == laLeft || alignment_ == laRight; }

    // Draws the entries of chart's active series and takes the box's room from plot.
    void Draw(TChartCanvas3D& surface, platform::Rect& plot, const TCustomAxisPanel& chart) const;

    void Assign(TPersistent* source) override;

private:
    bool visible_ = true;
    TLegendAlignment alignment_ = laRight;
    TColor color_ = clWhite;
    std::unique_ptr<TChartPen> frame_;
};
