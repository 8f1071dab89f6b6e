#pragma once
// The marker a series may draw at each point: a small shape of HorizSize x VertSize pixels
// on each side of the point, outlined with Pen and filled with Brush (both clDefault take
// the point's colour). A change of a setting to a different value repaints the series.

#include "forms/TColor.h"
#include "forms/TPersistent.h"
#include "rtl/StoreProperty.h"

#include <memory>

class TChartBrush;
class TChartCanvas3D;
class TChartPen;
class TChartSeries;

enum TSeriesPointerStyle { psRectangle, psCircle, psTriangle, psDownTriangle, psCross,
                           psDiagCross, psStar, psDiamond, psSmallDot };
F2_ENUM_TYPE(TSeriesPointerStyle, "psRectangle", "psCircle", "psTriangle", "psDownTriangle",
             "psCross", "psDiagCross", "psStar", "psDiamond", "psSmallDot");

class TSeriesPointer : public TPersistent {
    F2_CLASS(TSeriesPointer, TPersistent)
public:
    explicit TSeriesPointer(TChartSeries* series);
    ~TSeriesPointer() override;

    TSeriesPointerStyle Style() const { return style_; }
    void SetStyle(TSeriesPointerStyle value) { Store(style_, value); }
    // At least 1: ChartException "Pointer size must be greater than zero" otherwise.
    int HorizSize() const { return horizSize_; }
    void SetHorizSize(int value);
    int VertSize() const { return vertSize_; }
    void SetVertSize(int value);
    bool InflateMargins() const { return inflateMargins_; }
    void SetInflateMargins(bool value) { Store(inflateMargins_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Store(visible_, value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { Store(dark3D_, value); }
    bool Draw3D() const { return draw3D_; }
    void SetDraw3D(bool value) { Store(draw3D_, value); }
    TChartPen* Pen() const { return pen_.get(); }
    void SetPen(TChartPen* value);
    TChartBrush* Brush() const { return brush_.get(); }
    void SetBrush(TChartBrush* value);

    // Draws the shape centred on (x, y) in the point's colour.
    void Draw(TChartCanvas3D& surface, int x, int y, TColor color, TSeriesPointerStyle style) const;

    TPersistent* GetOwner() const override;
    void Assign(TPersistent* source) override;

private:
    void Changed();
    template <class T>
    void Store(T& field, T value) { rtl::StoreProperty(field, value, [this] { Changed(); }); }

    TChartSeries* series_;
    TSeriesPointerStyle style_ = psRectangle;
    int horizSize_ = 4;
    int vertSize_ = 4;
    bool inflateMargins_ = true;
    bool visible_ = true;
    bool dark3D_ = true;
    bool draw3D_ = true;
    std::unique_ptr<TChartPen> pen_;
    std::unique_ptr<TChartBrush> brush_;
};
