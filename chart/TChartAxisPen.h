#pragma once
// A chart pen that starts two pixels wide (axis lines).

#include "chart/TChartPen.h"

class TChartAxisPen : public TChartPen {
    F2_CLASS(TChartAxisPen, TChartPen)
public:
    explicit TChartAxisPen(TNotifyEvent onChange = {});
};
