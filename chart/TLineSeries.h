#pragma once
// The line series as layouts name it: points joined by lines, without pointers by default.

#include "chart/TCustomSeries.h"

class TLineSeries : public TCustomSeries {
    F2_CLASS(TLineSeries, TCustomSeries)
public:
    explicit TLineSeries(TComponent* owner);
};
