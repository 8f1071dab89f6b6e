#pragma once
// Where an axis stands across its direction (y for horizontal axes, x for vertical ones) in
// one paint. The layout of the chart decides it in two steps: an axis first takes its strips
// from the plot rectangle's side that faces it (AxisRoom: the inner edges of the strips), and
// once the plot rectangle is final, its line stands on the plot's side and the line, labels and
// title move together by the PositionPercent shift (AxisLayout). Drawing reads it.

#include <optional>

struct AxisRoom {
    std::optional<int> titlePos;    // no value: no title strip was taken
    std::optional<int> labelsPos;   // no value: no labels strip was taken
};

struct AxisLayout {
    int axisLinePos = 0;
    int labelsPos = 0;
    int titlePos = 0;
};
