#include "chart/TCustomChartPanelExtended.h"

F2_DEFINE_CLASS(TCustomChartPanelExtended, TCustomChartPanel, F2_NO_FACTORY)
{
}
