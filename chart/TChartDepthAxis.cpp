#include "chart/TChartDepthAxis.h"

F2_DEFINE_CLASS(TChartDepthAxis, TCustomChartAxis, F2_NO_FACTORY)
{
}
