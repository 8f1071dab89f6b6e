#pragma once
// A chart pen that starts gray and dotted (grid lines).

#include "chart/TChartPen.h"

class TDottedGrayPen : public TChartPen {
    F2_CLASS(TDottedGrayPen, TChartPen)
public:
    explicit TDottedGrayPen(TNotifyEvent onChange = {});
};
