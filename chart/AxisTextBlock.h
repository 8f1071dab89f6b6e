#pragma once
// A title or a label of an axis as a block of lines, and where it stands. One rule places
// every such text, on all four axes and at every angle:
//
// - The block is the text's lines (separated by character 13), each a cell one font height
//   tall, turned together by the angle (counter-clockwise, as the surface turns text).
// - Each further line lies one line height further from the plot: in the text's own "down"
//   direction, or against it where that direction points toward the plot. Lines that run
//   across the axis (their down direction lies along it) follow in reading order.
// - Lines whose reading direction runs along the axis are centred on one another; lines that
//   run toward or away from the plot are aligned at their end nearest the plot.
// - The turned block's bounding box is centred along the axis on the text's position, and its
//   edge nearest the plot lies on the anchor (TitlePos, LabelsPos): the block fills its strip
//   outward from there and never reaches into the plot.
// - The room a text needs across the axis is that box's extent across the axis.
//
// At the axes' usual angles this is the familiar placement: under the bottom axis a text is
// centred with its top on the anchor; over the top axis with its bottom on it; a left-axis title
// at 90 degrees reads upward with its foot on the anchor; left-axis labels at 0 degrees end at
// the anchor and are centred on their position.

#include "chart/AxisSide.h"

#include <string_view>

class TChartCanvas;

class AxisTextBlock {
public:
    // Measures the text in the canvas's current font.
    AxisTextBlock(TChartCanvas& canvas, std::string_view text, int angle, AxisSide side);

    // The extent of the turned block across the axis (the room it needs) and along it.
    int Across() const;
    int Along() const;
    // Draws the block centred along the axis on along, its inner edge on anchor, in the
    // canvas's current font and colour, on a transparent background.
    void Draw(TChartCanvas& canvas, int along, int anchor) const;

private:
    struct Offset {
        double x = 0;
        double y = 0;
    };
    enum class LineAlign { Centre, Start, End };

    // Where the point (p, q) of the unturned block lands, relative to the block's origin: p runs
    // along the text's reading direction, q down its lines.
    Offset Turn(double p, double q) const;
    // The p at which a line of the given width starts.
    int LineStart(int width) const;
    // The q at which line index starts.
    int LineTop(int index) const { return stack_ * index * lineHeight_; }

    std::string_view text_;
    int angle_ = 0;
    AxisSide side_ = AxisSide::Bottom;
    double cos_ = 1;
    double sin_ = 0;
    int lineHeight_ = 0;
    int stack_ = 1;
    LineAlign align_ = LineAlign::Centre;
    // The turned block's bounding box, relative to its origin.
    double minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
};
