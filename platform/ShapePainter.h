#pragma once
// Filled shapes with the classic pixel rules, in device coordinates:
// - Rectangle: the pen's band lies inside [left,right) x [top,bottom), the brush fills what the
//   band leaves; with a clear pen the brush fills the whole box, with a clear brush only the
//   band is drawn. Pen and brush both use the pen mode (so a not-xor rectangle is reversible).
// - Ellipse: the pixels whose centres lie in the ellipse inscribed in the box; the pen band is
//   the part outside the ellipse shrunk by the pen width.
// - Polygon: pixels whose centres lie inside by the alternate (even-odd) rule, then the closed
//   outline with the pen.
// - Brushes: solid, clear, and the six hatches as one-pixel lines every 8 pixels, aligned to the
//   device origin; hatch gaps take the background colour when the background mode is opaque.

#include "platform/PaintTarget.h"

namespace platform {

class ShapePainter {
public:
    ShapePainter(const PaintTarget& target, const PenSpec& pen, const BrushSpec& brush, Pixel backColor,
                 BackgroundMode backMode)
        : target_(target), pen_(pen), brush_(brush), backColor_(backColor), backMode_(backMode)
    {
    }

    void Rectangle(Rect box) const;   // box must be normalised
    void Ellipse(Rect box) const;
    void Polygon(const Point* points, int count) const;
    // The brush over a rectangle, no outline.
    void FillRect(const Rect& rect, PenMode mode) const;

private:
    void BrushSpan(int y, int x0, int x1, PenMode mode) const;
    bool HasPen() const { return pen_.style != PenStyle::Clear; }
    bool HasBrush() const { return brush_.style != BrushStyle::Clear; }

    const PaintTarget& target_;
    const PenSpec& pen_;
    const BrushSpec& brush_;
    Pixel backColor_;
    BackgroundMode backMode_;
};

} // namespace platform
