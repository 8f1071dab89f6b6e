#include "chart/TDottedGrayPen.h"

F2_DEFINE_CLASS(TDottedGrayPen, TChartPen, F2_NO_FACTORY)
{
    c.Property("Color", &TDottedGrayPen::Color, &TDottedGrayPen::SetColor).Default(clGray);
    c.Property("Style", &TDottedGrayPen::Style, &TDottedGrayPen::SetStyle).Default(psDot);
}

TDottedGrayPen::TDottedGrayPen(TNotifyEvent onChange) : TChartPen()
{
    // Defaults first, then the handler, so that making the pen notifies nobody.
    SetColor(clGray);
    SetStyle(psDot);
    SetOnChange(std::move(onChange));
}
