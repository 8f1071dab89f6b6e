#include "chart/TChartHiddenPen.h"

F2_DEFINE_CLASS(TChartHiddenPen, TChartPen, F2_NO_FACTORY)
{
    c.Property("Visible", &TChartHiddenPen::Visible, &TChartHiddenPen::SetVisible).Default(0);
}

TChartHiddenPen::TChartHiddenPen(TNotifyEvent onChange) : TChartPen()
{
    // Defaults first, then the handler, so that making the pen notifies nobody.
    SetVisible(false);
    SetOnChange(std::move(onChange));
}
