#include "chart/TChartBrush.h"

F2_DEFINE_CLASS(TChartBrush, TBrush, F2_NO_FACTORY)
{
    c.Property("Color", &TChartBrush::Color, &TChartBrush::SetColor).Default(clDefault);
}

TChartBrush::TChartBrush(TNotifyEvent onChange)
{
    SetColor(clDefault);
    SetOnChange(std::move(onChange));
}
