#include "chart/TChartArrowPen.h"

F2_DEFINE_CLASS(TChartArrowPen, TChartPen, F2_NO_FACTORY)
{
    c.Property("Color", &TChartArrowPen::Color, &TChartArrowPen::SetColor).Default(clWhite);
}

TChartArrowPen::TChartArrowPen(TNotifyEvent onChange) : TChartPen()
{
    // Defaults first, then the handler, so that making the pen notifies nobody.
    SetColor(clWhite);
    SetOnChange(std::move(onChange));
}
