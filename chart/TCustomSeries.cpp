#include "chart/TCustomSeries.h"

#include "chart/AxisMapping.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TChartPen.h"
#include "chart/TChartValueList.h"
#include "chart/TCustomAxisPanel.h"
#include "chart/TCustomChartAxis.h"
#include "chart/TSeriesMarks.h"
#include "forms/TBrush.h"
#include "forms/TFont.h"
#include "forms/TPen.h"

#include <algorithm>

F2_DEFINE_CLASS(TCustomSeries, TChartSeries, F2_NO_FACTORY)
{
}

namespace {
// Pixel coordinates beyond this are not drawn: the desktop's line calls take 16-bit values.
constexpr int DrawableLimit = 32766;

bool Drawable(int x, int y)
{
    return x >= -DrawableLimit && x <= DrawableLimit && y >= -DrawableLimit && y <= DrawableLimit;
}
} // namespace

TCustomSeries::TCustomSeries(TComponent* owner) : TChartSeries(owner)
{
    linePen_ = std::make_unique<TChartPen>([this](TObject*) { RequestRepaint(); });
    pointer_ = std::make_unique<TSeriesPointer>(this);
}

TCustomSeries::~TCustomSeries() = default;

void TCustomSeries::SetLinePen(TChartPen* value) { linePen_->Assign(value); }
void TCustomSeries::SetPointer(TSeriesPointer* value) { pointer_->Assign(value); }

int TCustomSeries::CalcXPos(int index) const
{
    const TCustomChartAxis* axis = GetHorizAxis();
    return axis ? axis->ValueToPixel(PointX(index)) : 0;
}

int TCustomSeries::CalcYPos(int index) const
{
    const TCustomChartAxis* axis = GetVertAxis();
    return axis ? axis->ValueToPixel(PointY(index)) : 0;
}

// --- Shown range --------------------------------------------------------------------------

void TCustomSeries::ComputeShownRange()
{
    SetShownRange(-1, -1);
    const int count = PointCount();
    if (count == 0)
        return;
    // The list that runs along the plot is the one that is not mandatory (X for a Y series).
    const bool alongX = MandatoryValueList() == YValues();
    const TChartValueList* list = alongX ? XValues() : YValues();
    const TCustomChartAxis* axis = alongX ? GetHorizAxis() : GetVertAxis();
    // Only an unordered list paints every point. The edge search below finds the shown points
    // of an ascending list; in a descending one it keeps them all unless every point lies
    // beyond one edge, and then it shows none.
    if (!LimitToVisible() || list->Order() == loNone || !axis || !ParentChart()) {
        SetShownRange(0, count - 1);
        return;
    }
    // The values at the plot's edges where the axis's values start and end.
    const platform::Rect& plot = ParentChart()->PlotRect();
    const AxisMapping& mapping = axis->Mapping();
    const int from = alongX ? plot.left : plot.top, to = alongX ? plot.right : plot.bottom;
    const double start = axis->PixelToValue(mapping.LowEdge(from, to));
    int first = 0;
    while (first < count && list->ValueAt(first) < start)
        ++first;
    if (first == count)
        return;
    const double end = axis->PixelToValue(mapping.HighEdge(from, to));
    int last = count - 1;
    if (list->ValueAt(last) > end) {
        last = first;
        while (last < count - 1 && list->ValueAt(last) < end)
            ++last;
        if (!includeEdgePoints_ && list->ValueAt(last) > end)
            --last;
    }
    SetShownRange(first, last);
}

// --- Painting -----------------------------------------------------------------------------

void TCustomSeries::PaintSeries()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart)
        return;
    ComputeShownRange();
    if (FirstShownIndex() == -1)
        return;
    if (BeforeDrawValues())
        BeforeDrawValues()(this);
    TChartCanvas3D& surface = *chart->Canvas3D();
    const bool clip = chart->ClipPoints();
    platform::Rect outerClip;
    if (clip) {
        // Drawing straight on the window keeps the window's own clip once the plot clip goes.
        if (!surface.IsBuffered())
            outerClip = surface.DeviceHandle()->ClipBox();
        surface.ClipToPlotBox(chart->PlotRect(), 0, chart->Depth3D());
    }
    for (int i = FirstShownIndex(); i <= LastShownIndex(); ++i)
        PaintPoint(i);
    if (clip) {
        surface.RemoveClip();
        if (!surface.IsBuffered())
            surface.ClipToRect(outerClip);
    }
    if (Marks()->Visible())
        DrawMarks(surface);
    if (AfterDrawValues())
        AfterDrawValues()(this);
}

void TCustomSeries::DrawMarks(TChartCanvas3D& surface)
{
    // Each shown point gets its value above it, joined to the point by a short arrow line.
    const int arrow = Marks()->ArrowLength();
    TFont& font = *surface.Font();
    font.SetName("Arial");
    font.SetSize(8);
    font.SetStyle(TFontStyles{});
    font.SetColor(clBlack);
    surface.ApplyTextAlign(platform::textalign::Center | platform::textalign::Bottom);
    surface.ApplyBackMode(platform::BackgroundMode::Transparent);
    for (int i = FirstShownIndex(); i <= LastShownIndex(); ++i) {
        const int x = CalcXPos(i), y = CalcYPos(i);
        if (!Drawable(x, y) || PointColor(i) == clNone)
            continue;
        surface.Pen()->SetColor(PointColor(i));
        surface.Pen()->SetWidth(1);
        surface.Pen()->SetStyle(psSolid);
        surface.DrawSegment(x, y, x, y - arrow);
        surface.Brush()->SetStyle(bsClear);
        surface.PutText(x, y - arrow, MarkText(i));
    }
}

int TCustomSeries::EdgeEntryY(int index, int edgeX) const
{
    const long double x0 = PointX(index - 1), x1 = PointX(index);
    if (x1 == x0)
        return CalcYPos(index - 1);
    const long double y0 = PointY(index - 1), y1 = PointY(index);
    const long double xe = GetHorizAxis()->PixelToValue(edgeX);
    const long double y = y0 + (y1 - y0) * (xe - x0) / (x1 - x0);
    return GetVertAxis()->ValueToPixel(double(y));
}

void TCustomSeries::PaintPoint(int index)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !GetHorizAxis() || !GetVertAxis())
        return;
    const TColor color = PointColor(index);
    const int x = CalcXPos(index);
    const int y = CalcYPos(index);
    if (Drawable(x, y)) {
        TChartCanvas3D& surface = *chart->Canvas3D();
        surface.Pen()->SetColor(clBlack);
        surface.Brush()->SetColor(color);
        if (prevColor_ == clNone) {
            prevX_ = x;
            prevY_ = y;
        }
        const bool isLast = index == LastShownIndex();
        if (index == FirstShownIndex()) {
            if (index > 0) {
                // Points lie before the plot: the line enters at the plot's edge.
                const platform::Rect& plot = chart->PlotRect();
                prevX_ = GetHorizAxis()->Mapping().LowEdge(plot.left, plot.right);
                prevY_ = stairs_ ? CalcYPos(index - 1) : EdgeEntryY(index, prevX_);
                if (PointColor(index - 1) != clNone)
                    PaintSegment(surface, index, x, y, color, false, isLast);
            }
            if (isLast && pointer_->Visible())
                DrawPointer(x, y, index, color);
        } else {
            PaintSegment(surface, index, x, y, color, true, isLast);
        }
        prevX_ = x;
        prevY_ = y;
    }
    prevColor_ = color;
}

void TCustomSeries::PaintSegment(TChartCanvas3D& surface, int index, int x, int y, TColor color,
                                 bool withPointers, bool isLast)
{
    const bool moved = x != prevX_ || y != prevY_;
    if (moved && color != clNone && drawsLine_ && !drawArea_) {
        surface.ApplyChartPen(linePen_.get());
        surface.Brush()->SetStyle(bsClear);
        surface.Pen()->SetColor(color);
        // In 3-D the line is drawn in the front plane; bands and areas are not offered.
        const bool flat = !ParentChart()->View3D();
        if (stairs_) {
            if (invertedStairs_)
                flat ? surface.VerticalLine(prevX_, prevY_, y) : surface.VerticalLineAtDepth(prevX_, prevY_, y, 0);
            else
                flat ? surface.HorizontalLine(prevX_, x, prevY_) : surface.HorizontalLineAtDepth(prevX_, x, prevY_, 0);
            flat ? surface.LineToPoint(x, y) : surface.LineToPointAtDepth(x, y, 0);
        } else if (flat) {
            surface.DrawSegment(prevX_, prevY_, x, y);
        } else {
            surface.DrawSegmentAtDepth(prevX_, prevY_, x, y, 0);
        }
    }
    if (withPointers && pointer_->Visible()) {
        if (prevColor_ != clNone)
            DrawPointer(prevX_, prevY_, index - 1, prevColor_);
        if (isLast && color != clNone)
            DrawPointer(x, y, index, color);
    }
}

void TCustomSeries::DrawPointer(int x, int y, int index, TColor color)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart)
        return;
    const TSeriesPointerStyle style = onGetPointerStyle_ ? onGetPointerStyle_(this, index) : pointer_->Style();
    pointer_->Draw(*chart->Canvas3D(), x, y, color, style);
}

// --- Margins ------------------------------------------------------------------------------

void TCustomSeries::GetHorizMargins(int& left, int& right) const
{
    left = right = 0;
    if (pointer_->Visible() && pointer_->InflateMargins())
        left = right = pointer_->HorizSize() + 1;
    if (stairs_ && drawsLine_) {
        left = std::max(left, linePen_->Width());
        right = std::max(right, linePen_->Width());
    }
}

void TCustomSeries::GetVertMargins(int& top, int& bottom) const
{
    top = bottom = 0;
    if (pointer_->Visible() && pointer_->InflateMargins())
        top = bottom = pointer_->VertSize() + 1;
    if (stairs_ && drawsLine_) {
        top = std::max(top, linePen_->Width());
        bottom = std::max(bottom, linePen_->Width() + 1);
    }
    if (lineHeight_ > 0 && !drawArea_)
        bottom = std::max(bottom, lineHeight_);
}

void TCustomSeries::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TCustomSeries*>(source)) {
        linePen_->Assign(other->linePen_.get());
        pointer_->Assign(other->pointer_.get());
        SetStairs(other->stairs_);
        SetInvertedStairs(other->invertedStairs_);
        SetLineBrush(other->lineBrush_);
        SetLineHeight(other->lineHeight_);
        SetDark3D(other->dark3D_);
        SetDrawArea(other->drawArea_);
        SetDrawsLine(other->drawsLine_);
    }
    TChartSeries::Assign(source);
}
