#pragma once
// A framework brush whose colour starts as clDefault: the chart part that owns it then
// decides the colour (a wall's or a pointer's own colour). Every chart brush is made with a
// change handler that repaints its chart.

#include "forms/TBrush.h"

class TChartBrush : public TBrush {
    F2_CLASS(TChartBrush, TBrush)
public:
    explicit TChartBrush(TNotifyEvent onChange = {});
};
