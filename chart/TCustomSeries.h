#pragma once
// The base of the line, point and area series: it joins its points in X order with lines
// in LinePen's width and style (each segment in the colour of its end point), may draw a
// pointer at each point, and paints only the points that fall in the visible range plus one
// beyond each edge, so that the line enters and leaves the plot at its edges.
//
// Per paint: PaintSeries -> ComputeShownRange -> BeforeDrawValues -> clip to the plot box ->
// PaintPoint(first..last) -> unclip -> marks -> AfterDrawValues. PrevX/PrevY/PrevColor carry
// the previous painted point from one PaintPoint to the next.

#include "chart/TChartSeries.h"
#include "chart/TSeriesPointer.h"
#include "forms/TBrush.h"
#include "rtl/StoreProperty.h"

#include <functional>
#include <memory>

class TChartPen;
class TChartCanvas3D;

using TSeriesOnGetPointerStyle = std::function<TSeriesPointerStyle(TChartSeries* sender, int valueIndex)>;

class TCustomSeries : public TChartSeries {
    F2_CLASS(TCustomSeries, TChartSeries)
public:
    explicit TCustomSeries(TComponent* owner);
    ~TCustomSeries() override;

    TChartPen* LinePen() const { return linePen_.get(); }
    void SetLinePen(TChartPen* value);
    TSeriesPointer* Pointer() const { return pointer_.get(); }
    void SetPointer(TSeriesPointer* value);
    bool Stairs() const { return stairs_; }
    void SetStairs(bool value) { Store(stairs_, value); }
    bool InvertedStairs() const { return invertedStairs_; }
    void SetInvertedStairs(bool value) { Store(invertedStairs_, value); }
    TBrushStyle LineBrush() const { return lineBrush_; }
    void SetLineBrush(TBrushStyle value) { Store(lineBrush_, value); }
    int LineHeight() const { return lineHeight_; }
    void SetLineHeight(int value) { Store(lineHeight_, value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { Store(dark3D_, value); }
    bool DrawArea() const { return drawArea_; }
    void SetDrawArea(bool value) { Store(drawArea_, value); }
    bool DrawsLine() const { return drawsLine_; }
    void SetDrawsLine(bool value) { Store(drawsLine_, value); }
    bool IncludeEdgePoints() const { return includeEdgePoints_; }
    void SetIncludeEdgePoints(bool value) { includeEdgePoints_ = value; }
    const TSeriesOnGetPointerStyle& OnGetPointerStyle() const { return onGetPointerStyle_; }
    void SetOnGetPointerStyle(const TSeriesOnGetPointerStyle& handler) { onGetPointerStyle_ = handler; }

    int PrevX() const { return prevX_; }
    int PrevY() const { return prevY_; }
    TColor PrevColor() const { return prevColor_; }

    // Pixel position of a point through the series' axes.
    int CalcXPos(int index) const;
    int CalcYPos(int index) const;

    // Sets FirstShownIndex and LastShownIndex from the plot's edges (-1 when nothing shows).
    void ComputeShownRange();
    void PaintSeries() override;
    void PaintPoint(int index) override;
    void GetHorizMargins(int& left, int& right) const override;
    void GetVertMargins(int& top, int& bottom) const override;

    void Assign(TPersistent* source) override;

protected:
    // Draws the pointer of point index at (x, y) in color.
    virtual void DrawPointer(int x, int y, int index, TColor color);

private:
    template <class T>
    void Store(T& field, T value) { rtl::StoreProperty(field, value, [this] { RequestRepaint(); }); }
    void PaintSegment(TChartCanvas3D& surface, int index, int x, int y, TColor color, bool withPointers,
                      bool isLast);
    void DrawMarks(TChartCanvas3D& surface);
    // The pixel where the line enters the plot when points lie before the shown range.
    int EdgeEntryY(int index, int edgeX) const;

    std::unique_ptr<TChartPen> linePen_;
    std::unique_ptr<TSeriesPointer> pointer_;
    bool stairs_ = false;
    bool invertedStairs_ = false;
    TBrushStyle lineBrush_ = bsSolid;
    int lineHeight_ = 0;
    bool dark3D_ = true;
    bool drawArea_ = false;
    bool drawsLine_ = false;
    bool includeEdgePoints_ = true;
    TSeriesOnGetPointerStyle onGetPointerStyle_;
    int prevX_ = 0;
    int prevY_ = 0;
    TColor prevColor_ = clNone;
};
