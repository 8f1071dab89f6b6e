#pragma once
// Lays out and draws one axis during a chart's paint. TakeRoom takes the strips for the
// title, the labels and the ticks from the plot rectangle's side that faces the axis and says
// where they begin; Paint draws the title, runs the label loop (which fills the tick list),
// then the axis line, the ticks, the grid and the minor marks at the listed positions. Neither
// changes the axis: what they decide comes back as a value that the axis keeps.
//
// The tick list lives on the stack for one Paint: it has room for MaxTicks positions and
// positions beyond that are dropped, so a dense label loop never writes past it.

#include "chart/AxisLayout.h"
#include "chart/AxisMapping.h"
#include "chart/AxisSide.h"
#include "chart/TCustomChartAxis.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

class TChartCanvas3D;
class TChartPen;
class TChartSeries;
class TCustomAxisPanel;

class AxisPainter {
public:
    static constexpr int MaxTicks = 2000;

    explicit AxisPainter(const TCustomChartAxis& axis);

    // Takes the strips for the title, the labels and the ticks from r.
    AxisRoom TakeRoom(platform::Rect& r);
    // Draws over a copy of the axis's mapping. The logarithmic label loop may lift a minimum
    // of 0 or below (to 0.1, or 1e-10 for a negative one): the lifted minimum, which holds for
    // the rest of the paint, comes back.
    std::optional<double> Paint();
    // How far PositionPercent moves the axis line (and its labels and title) across plot,
    // in the direction of growing coordinates.
    static int PositionShift(const TCustomChartAxis& axis, const platform::Rect& plot);

private:
    // Moves r's side that faces the axis inward by size; gives the new side coordinate.
    int Shrink(platform::Rect& r, int size) const;
    bool RunsAlongAxis(int angle) const;
    int TitleSize();
    int LabelsSize(const platform::Rect& r);
    int TickRoom() const;

    // Label loop for the effective label style; each candidate goes through AddCandidate.
    void RunLabelLoop(double step);
    void ValueLabels(double step);
    void LinearValueLabels(double step);
    void LogarithmicValueLabels();
    void TextLabels(bool marks);
    void AddCandidate(double value);
    void AppendTick(int pixel, double value);
    void LiftMinimum(double minimum);
    // A label text at position p along the axis.
    void DrawLabel(int p, std::string_view text);

    void DrawAxisLine();
    void DrawTicks(TChartPen* pen, int from, int length);
    void DrawGridLine(int pos);
    void DrawGrid();
    void DrawMinorMarks();
    void DrawMinorMark(int pos, bool grid);

    const TCustomChartAxis& axis_;
    TCustomAxisPanel& chart_;
    TChartCanvas3D& surface_;
    AxisSide side_;
    AxisMapping map_;
    std::optional<double> lifted_;
    bool wantsLabels_ = false;
    std::array<int, MaxTicks> ticks_;
    std::array<double, MaxTicks> tickValues_;
    int tickCount_ = 0;
    // The extent along the axis of the last drawn text label (overlap test of text labels).
    bool haveLastLabel_ = false;
    int lastLabelLow_ = 0;
    int lastLabelHigh_ = 0;
};
