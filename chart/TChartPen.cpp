#include "chart/TChartPen.h"

F2_DEFINE_CLASS(TChartPen, TPen, F2_NO_FACTORY)
{
    c.Property("SmallDots", &TChartPen::SmallDots, &TChartPen::SetSmallDots).Default(0);
    c.Property("Visible", &TChartPen::Visible, &TChartPen::SetVisible).Default(1);
}

TChartPen::TChartPen(TNotifyEvent onChange)
{
    SetOnChange(std::move(onChange));
}

void TChartPen::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TChartPen*>(source)) {
        // Set quietly first so that the whole copy raises at most one change.
        const bool differs = visible_ != other->visible_ || smallDots_ != other->smallDots_;
        visible_ = other->visible_;
        smallDots_ = other->smallDots_;
        TNotifyEvent handler = OnChange();
        bool changed = differs;
        SetOnChange([&changed](TObject*) { changed = true; });
        TPen::Assign(source);
        SetOnChange(std::move(handler));
        if (changed)
            Changed();
        return;
    }
    TPen::Assign(source);
}
