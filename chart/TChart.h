#pragma once
// The chart control as layouts name it: a TCustomChart that publishes its settings.

#include "chart/TCustomChart.h"

class TChart : public TCustomChart {
    F2_CLASS(TChart, TCustomChart)
public:
    explicit TChart(TComponent* owner) : TCustomChart(owner) {}
};
