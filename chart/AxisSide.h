#pragma once
// Which side of the plot an axis stands on. The side decides everything that depends on the
// axis's direction: which coordinate runs along it, which way is outward (away from the plot)
// and which side of the plot rectangle it takes its room from.

#include "platform/Raster.h"

enum class AxisSide { Bottom, Top, Left, Right, Depth };

// The side of an axis with the chart's three direction flags.
constexpr AxisSide SideOf(bool horizontal, bool farSide, bool zAxis)
{
    if (zAxis)
        return AxisSide::Depth;
    if (horizontal)
        return farSide ? AxisSide::Top : AxisSide::Bottom;
    return farSide ? AxisSide::Right : AxisSide::Left;
}

// Whether x runs along the axis (y then runs across it).
constexpr bool RunsAlongX(AxisSide side)
{
    return side == AxisSide::Bottom || side == AxisSide::Top;
}

// +1 when the coordinate across the axis grows away from the plot (bottom, right), -1 when it
// shrinks (top, left).
constexpr int OutwardSign(AxisSide side)
{
    return side == AxisSide::Bottom || side == AxisSide::Right ? 1 : -1;
}

// The coordinate of the plot rectangle's side that faces the axis (the depth axis stands at
// the right).
constexpr int PlotSide(AxisSide side, const platform::Rect& plot)
{
    switch (side) {
    case AxisSide::Bottom: return plot.bottom;
    case AxisSide::Top: return plot.top;
    case AxisSide::Left: return plot.left;
    case AxisSide::Right:
    case AxisSide::Depth: break;
    }
    return plot.right;
}
