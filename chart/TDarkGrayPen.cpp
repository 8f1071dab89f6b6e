#include "chart/TDarkGrayPen.h"

F2_DEFINE_CLASS(TDarkGrayPen, TChartPen, F2_NO_FACTORY)
{
    c.Property("Color", &TDarkGrayPen::Color, &TDarkGrayPen::SetColor).Default(clGray);
}

TDarkGrayPen::TDarkGrayPen(TNotifyEvent onChange) : TChartPen()
{
    // Defaults first, then the handler, so that making the pen notifies nobody.
    SetColor(clGray);
    SetOnChange(std::move(onChange));
}
