#pragma once
// Draws one straight segment with a pen, by the classic pixel rules:
// - the end point is not drawn, so connected segments never paint a joint twice;
// - a thin line takes, for each step i along its major axis, the minor offset i * minor / major
//   rounded to nearest with halves away from the start; the walk is exact integer arithmetic,
//   and a clipped line starts mid-walk at the same pixels the unclipped one would have;
// - dot, dash and the dash-dot patterns (and the alternate pen) run on across the segments of
//   one path; gaps are painted in the background colour when the background mode is opaque;
// - a pen wider than 1 is a w x w square stamped at every pixel of the thin line; for even
//   widths the extra row (column) lies above (left of) the line, so a width-2 horizontal line
//   covers its own row and the one above it. Wide pens are always solid, as on the classic
//   desktop, and the union of the stamps is painted once so xor modes stay reversible.

#include "platform/PaintTarget.h"

#include <cstdint>

namespace platform {

class LinePainter {
public:
    LinePainter(const PaintTarget& target, const PenSpec& pen, Pixel backColor, BackgroundMode backMode)
        : target_(target), pen_(pen), backColor_(backColor), backMode_(backMode)
    {
    }

    // Device coordinates. `phase` is the pattern position; it advances by the pixels walked.
    void Draw(Point from, Point to, int64_t& phase) const;

private:
    void DrawThin(Point from, Point to, int64_t phase) const;
    void DrawWide(Point from, Point to) const;
    // True when pattern position k is ink (false: gap).
    bool PatternInk(int64_t k) const;
    bool Styled() const;

    const PaintTarget& target_;
    const PenSpec& pen_;
    Pixel backColor_;
    BackgroundMode backMode_;
};

} // namespace platform
