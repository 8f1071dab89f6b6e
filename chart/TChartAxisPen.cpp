#include "chart/TChartAxisPen.h"

F2_DEFINE_CLASS(TChartAxisPen, TChartPen, F2_NO_FACTORY)
{
    c.Property("Width", &TChartAxisPen::Width, &TChartAxisPen::SetWidth).Default(2);
}

TChartAxisPen::TChartAxisPen(TNotifyEvent onChange) : TChartPen()
{
    // Defaults first, then the handler, so that making the pen notifies nobody.
    SetWidth(2);
    SetOnChange(std::move(onChange));
}
