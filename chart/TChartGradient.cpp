#include "chart/TChartGradient.h"

F2_DEFINE_CLASS(TChartGradient, TChangeNotifier, F2_NO_FACTORY)
{
    using G = TChartGradient;
    c.Property("Direction", &G::Direction, &G::SetDirection).Default(gdTopBottom);
    c.Property("EndColor", &G::EndColor, &G::SetEndColor).Default(clYellow);
    c.Property("StartColor", &G::StartColor, &G::SetStartColor).Default(clWhite);
    c.Property("Visible", &G::Visible, &G::SetVisible).Default(0);
}

void TChartGradient::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TChartGradient*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetDirection(other->direction_);
    SetStartColor(other->startColor_);
    SetEndColor(other->endColor_);
    SetVisible(other->visible_);
}
