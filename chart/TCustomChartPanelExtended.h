#pragma once
// The chart panel with the background extras (gradient, back image, zoom and panning
// switches). Kept as its own step of the class chain so that those settings have one home.

#include "chart/TCustomChartPanel.h"

class TCustomChartPanelExtended : public TCustomChartPanel {
    F2_CLASS(TCustomChartPanelExtended, TCustomChartPanel)
public:
    explicit TCustomChartPanelExtended(TComponent* owner) : TCustomChartPanel(owner) {}
};
