#include "chart/TChartWall.h"

#include "chart/TChartBrush.h"
#include "chart/TChartPen.h"

F2_DEFINE_CLASS(TChartWall, TChangeNotifier, F2_NO_FACTORY)
{
    using W = TChartWall;
    c.Property("Brush", &W::Brush, &W::SetBrush);
    c.Property("Color", &W::Color, &W::SetColor).Default(clDefault);
    c.Property("Dark3D", &W::Dark3D, &W::SetDark3D).Default(1);
    c.Property("Pen", &W::Pen, &W::SetPen);
    c.Property("Size", &W::Size, &W::SetSize).Default(0);
}

TChartWall::TChartWall(TNotifyEvent onChange) : TChangeNotifier(std::move(onChange))
{
    const TNotifyEvent changed = [this](TObject*) { Changed(); };
    brush_ = std::make_unique<TChartBrush>(changed);
    pen_ = std::make_unique<TChartPen>(changed);
}

TChartWall::~TChartWall() = default;

void TChartWall::SetBrush(TChartBrush* value) { brush_->Assign(value); }
void TChartWall::SetPen(TChartPen* value) { pen_->Assign(value); }

void TChartWall::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TChartWall*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetColor(other->color_);
    brush_->Assign(other->brush_.get());
    pen_->Assign(other->pen_.get());
    SetDark3D(other->dark3D_);
    SetSize(other->size_);
}
