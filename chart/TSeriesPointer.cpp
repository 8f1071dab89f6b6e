#include "chart/TSeriesPointer.h"

#include "chart/ChartExceptions.h"
#include "chart/TChartBrush.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TChartPen.h"
#include "chart/TChartSeries.h"
#include "forms/TPen.h"

F2_DEFINE_CLASS(TSeriesPointer, TPersistent, F2_NO_FACTORY)
{
    using P = TSeriesPointer;
    c.Property("Brush", &P::Brush, &P::SetBrush);
    c.Property("Dark3D", &P::Dark3D, &P::SetDark3D).Default(1);
    c.Property("Draw3D", &P::Draw3D, &P::SetDraw3D).Default(1);
    c.Property("HorizSize", &P::HorizSize, &P::SetHorizSize).Default(4);
    c.Property("InflateMargins", &P::InflateMargins, &P::SetInflateMargins).Default(1);
    c.Property("Pen", &P::Pen, &P::SetPen);
    c.Property("Style", &P::Style, &P::SetStyle).Default(psRectangle);
    c.Property("VertSize", &P::VertSize, &P::SetVertSize).Default(4);
    c.Property("Visible", &P::Visible, &P::SetVisible).Default(1);
}

TSeriesPointer::TSeriesPointer(TChartSeries* series) : series_(series)
{
    const TNotifyEvent changed = [this](TObject*) { Changed(); };
    pen_ = std::make_unique<TChartPen>(changed);
    brush_ = std::make_unique<TChartBrush>(changed);
}

TSeriesPointer::~TSeriesPointer() = default;

void TSeriesPointer::Changed()
{
    if (series_)
        series_->RequestRepaint();
}

void TSeriesPointer::SetHorizSize(int value)
{
    if (value < 1)
        throw ChartException("Pointer size must be greater than zero");
    Store(horizSize_, value);
}

void TSeriesPointer::SetVertSize(int value)
{
    if (value < 1)
        throw ChartException("Pointer size must be greater than zero");
    Store(vertSize_, value);
}

void TSeriesPointer::SetPen(TChartPen* value) { pen_->Assign(value); }
void TSeriesPointer::SetBrush(TChartBrush* value) { brush_->Assign(value); }

TPersistent* TSeriesPointer::GetOwner() const
{
    return series_;
}

void TSeriesPointer::Draw(TChartCanvas3D& surface, int x, int y, TColor color, TSeriesPointerStyle style) const
{
    surface.ApplyChartPen(pen_.get());
    if (pen_->Color() == clDefault)
        surface.Pen()->SetColor(color);
    surface.Brush()->SetColor(brush_->Color() == clDefault ? color : brush_->Color());
    surface.Brush()->SetStyle(brush_->Style());
    const int h = horizSize_, v = vertSize_;
    switch (style) {
    case psRectangle:
        surface.DrawBox(x - h, y - v, x + h + 1, y + v + 1);
        break;
    case psCircle:
        surface.DrawEllipse(x - h, y - v, x + h + 1, y + v + 1);
        break;
    case psTriangle:
    case psDownTriangle: {
        const int tip = style == psTriangle ? y - v : y + v;
        const int base = style == psTriangle ? y + v : y - v;
        const platform::Point points[] = {{x, tip}, {x + h, base}, {x - h, base}};
        surface.DrawPolygon(points, 2);
        break;
    }
    case psDiamond: {
        const platform::Point points[] = {{x, y - v}, {x + h, y}, {x, y + v}, {x - h, y}};
        surface.DrawPolygon(points, 3);
        break;
    }
    case psStar:
    case psCross:
    case psDiagCross:
        // Stars draw both crosses; the lines use the pen (in the point colour by default).
        surface.Pen()->SetColor(pen_->Color() == clDefault || style == psStar ? color : pen_->Color());
        if (style != psDiagCross) {
            surface.DrawSegment(x - h, y, x + h + 1, y);
            surface.DrawSegment(x, y - v, x, y + v + 1);
        }
        if (style != psCross) {
            surface.DrawSegment(x - h, y - v, x + h + 1, y + v + 1);
            surface.DrawSegment(x + h, y - v, x - h - 1, y + v + 1);
        }
        break;
    case psSmallDot:
        surface.PutPixel(x, y, color);
        break;
    }
}

void TSeriesPointer::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TSeriesPointer*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetStyle(other->style_);
    SetHorizSize(other->horizSize_);
    SetVertSize(other->vertSize_);
    SetInflateMargins(other->inflateMargins_);
    SetVisible(other->visible_);
    SetDark3D(other->dark3D_);
    SetDraw3D(other->draw3D_);
    pen_->Assign(other->pen_.get());
    brush_->Assign(other->brush_.get());
}
