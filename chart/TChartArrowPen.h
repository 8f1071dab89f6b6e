#pragma once
// A chart pen that starts white (mark arrows).

#include "chart/TChartPen.h"

class TChartArrowPen : public TChartPen {
    F2_CLASS(TChartArrowPen, TChartPen)
public:
    explicit TChartArrowPen(TNotifyEvent onChange = {});
};
