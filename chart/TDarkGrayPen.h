#pragma once
// A chart pen that starts gray (ticks).

#include "chart/TChartPen.h"

class TDarkGrayPen : public TChartPen {
    F2_CLASS(TDarkGrayPen, TChartPen)
public:
    explicit TDarkGrayPen(TNotifyEvent onChange = {});
};
