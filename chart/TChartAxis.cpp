#include "chart/TChartAxis.h"

F2_DEFINE_CLASS(TChartAxis, TCustomChartAxis, F2_NO_FACTORY)
{
}
