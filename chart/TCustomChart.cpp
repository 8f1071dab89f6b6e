#include "chart/TCustomChart.h"

F2_DEFINE_CLASS(TCustomChart, TCustomAxisPanel, F2_NO_FACTORY)
{
}

bool TCustomChart::IsFreeSeriesColor(TColor color, bool checkBackground) const
{
    return TCustomAxisPanel::IsFreeSeriesColor(color, checkBackground) &&
           (!checkBackground || color != backColor_);
}
