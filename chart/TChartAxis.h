#pragma once
// A chart axis as the chart publishes it (BottomAxis, TopAxis, LeftAxis, RightAxis).

#include "chart/TCustomChartAxis.h"

class TChartAxis : public TCustomChartAxis {
    F2_CLASS(TChartAxis, TCustomChartAxis)
public:
    using TCustomChartAxis::TCustomChartAxis;
};
