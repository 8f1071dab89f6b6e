#pragma once
// A chart pen that starts hidden (minor grid lines and the like).

#include "chart/TChartPen.h"

class TChartHiddenPen : public TChartPen {
    F2_CLASS(TChartHiddenPen, TChartPen)
public:
    explicit TChartHiddenPen(TNotifyEvent onChange = {});
};
