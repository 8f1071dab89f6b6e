#pragma once
// The default colour palette of the chart component: sixteen colours, used for series that
// join a chart without a colour of their own and for points coloured one by one.

#include "forms/TColor.h"

constexpr int ChartPaletteSize = 16;

// Entry index modulo 16 (negative indices wrap as well).
TColor ChartPaletteColor(int index);
