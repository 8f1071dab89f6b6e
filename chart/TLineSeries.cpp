#include "chart/TLineSeries.h"

#include "chart/TChartPen.h"

F2_DEFINE_CLASS(TLineSeries, TCustomSeries, F2_FACTORY(TLineSeries))
{
    using S = TLineSeries;
    c.Property("Dark3D", &S::Dark3D, &S::SetDark3D).Default(1);
    c.Property("InvertedStairs", &S::InvertedStairs, &S::SetInvertedStairs).Default(0);
    c.Property("LineBrush", &S::LineBrush, &S::SetLineBrush).Default(bsSolid);
    c.Property("LineHeight", &S::LineHeight, &S::SetLineHeight).Default(0);
    c.Property("LinePen", &S::LinePen, &S::SetLinePen);
    c.Property("Pointer", &S::Pointer, &S::SetPointer);
    c.Property("Stairs", &S::Stairs, &S::SetStairs).Default(0);
    c.Property("OnGetPointerStyle", &S::OnGetPointerStyle, &S::SetOnGetPointerStyle);
}

TLineSeries::TLineSeries(TComponent* owner) : TCustomSeries(owner)
{
    SetDrawsLine(true);
    Pointer()->SetVisible(false);
}
