#pragma once
// The chart with title, foot, legend and walls. Here it contributes the back colour (the
// colour of the back wall), which a series joining the chart must not take as its own.

#include "chart/TCustomAxisPanel.h"

class TCustomChart : public TCustomAxisPanel {
    F2_CLASS(TCustomChart, TCustomAxisPanel)
public:
    explicit TCustomChart(TComponent* owner) : TCustomAxisPanel(owner) {}

    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value) { Store(backColor_, value); }

    bool IsFreeSeriesColor(TColor color, bool checkBackground) const override;

private:
    TColor backColor_ = clDefault;
};
