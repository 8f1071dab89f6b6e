#pragma once
// The depth axis of a chart (DepthAxis): hidden unless the chart is drawn in 3-D; its range runs over the series, not over values.

#include "chart/TCustomChartAxis.h"

class TChartDepthAxis : public TCustomChartAxis {
    F2_CLASS(TChartDepthAxis, TCustomChartAxis)
public:
    using TCustomChartAxis::TCustomChartAxis;
};
