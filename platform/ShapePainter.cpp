#include "platform/ShapePainter.h"

#include "platform/LinePainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {

namespace {

bool HatchInk(BrushStyle style, int x, int y)
{
    const bool h = (y & 7) == 0, v = (x & 7) == 0;
    const bool f = ((x - y) & 7) == 0, b = ((x + y) & 7) == 0;
    switch (style) {
    case BrushStyle::Horizontal: return h;
    case BrushStyle::Vertical: return v;
    case BrushStyle::FDiagonal: return f;
    case BrushStyle::BDiagonal: return b;
    case BrushStyle::Cross: return h || v;
    case BrushStyle::DiagCross: return f || b;
    default: return true;
    }
}

// Columns [x0, x1) whose pixel centres lie within the ellipse (cx, cy, rx, ry) on row y;
// empty when the row misses it.
bool EllipseRow(double cx, double cy, double rx, double ry, int y, int& x0, int& x1)
{
    if (rx <= 0 || ry <= 0)
        return false;
    const double dy = (y + 0.5 - cy) / ry;
    if (dy <= -1 || dy >= 1)
        return false;
    const double half = rx * std::sqrt(1 - dy * dy);
    x0 = int(std::ceil(cx - half - 0.5));
    x1 = int(std::floor(cx + half - 0.5)) + 1;
    return x0 < x1;
}

} // namespace

void ShapePainter::BrushSpan(int y, int x0, int x1, PenMode mode) const
{
    if (!HasBrush())
        return;
    if (brush_.style == BrushStyle::Solid) {
        target_.Span(y, x0, x1, brush_.color, mode);
        return;
    }
    const Rect& c = target_.clip;
    if (y < c.top || y >= c.bottom)
        return;
    x0 = std::max(x0, c.left);
    x1 = std::min(x1, c.right);
    const bool opaque = backMode_ == BackgroundMode::Opaque;
    Pixel* row = target_.raster->Row(y);
    for (int x = x0; x < x1; ++x) {
        if (HatchInk(brush_.style, x, y))
            row[x] = ApplyPenMode(row[x], brush_.color, mode);
        else if (opaque)
            row[x] = ApplyPenMode(row[x], backColor_, mode);
    }
}

void ShapePainter::FillRect(const Rect& rect, PenMode mode) const
{
    const Rect r = rect.Intersect(target_.clip);
    for (int y = r.top; y < r.bottom; ++y)
        BrushSpan(y, r.left, r.right, mode);
}

void ShapePainter::Rectangle(Rect box) const
{
    if (box.IsEmpty())
        return;
    const PenMode mode = pen_.mode;
    if (!HasPen()) {
        FillRect(box, mode);
        return;
    }
    const int w = std::max(1, pen_.width);
    const bool styled = w == 1 && (pen_.alternate || (pen_.style != PenStyle::Solid && pen_.style != PenStyle::InsideFrame));
    if (styled) {
        // A patterned frame is the closed path through the four corner pixels.
        const LinePainter line(target_, pen_, backColor_, backMode_);
        const Point corners[5] = {{box.left, box.top}, {box.right - 1, box.top}, {box.right - 1, box.bottom - 1},
                                  {box.left, box.bottom - 1}, {box.left, box.top}};
        int64_t phase = 0;
        if (box.Width() == 1 || box.Height() == 1) {
            target_.Fill(box, pen_.color, mode);
        } else {
            for (int i = 0; i < 4; ++i)
                line.Draw(corners[i], corners[i + 1], phase);
        }
    } else {
        // Solid bands: top and bottom full width, left and right between them.
        const int bw = std::min(w, (box.Width() + 1) / 2), bh = std::min(w, (box.Height() + 1) / 2);
        target_.Fill({box.left, box.top, box.right, box.top + bh}, pen_.color, mode);
        target_.Fill({box.left, std::max(box.top + bh, box.bottom - bh), box.right, box.bottom}, pen_.color, mode);
        target_.Fill({box.left, box.top + bh, box.left + bw, box.bottom - bh}, pen_.color, mode);
        target_.Fill({std::max(box.left + bw, box.right - bw), box.top + bh, box.right, box.bottom - bh}, pen_.color, mode);
    }
    FillRect({box.left + w, box.top + w, box.right - w, box.bottom - w}, mode);
}

void ShapePainter::Ellipse(Rect box) const
{
    if (box.IsEmpty())
        return;
    const double cx = (double(box.left) + box.right) / 2, cy = (double(box.top) + box.bottom) / 2;
    const double rx = box.Width() / 2.0, ry = box.Height() / 2.0;
    const int w = HasPen() ? std::max(1, pen_.width) : 0;
    const int top = std::max(box.top, target_.clip.top), bottom = std::min(box.bottom, target_.clip.bottom);
    for (int y = top; y < bottom; ++y) {
        int o0 = 0, o1 = 0, i0 = 0, i1 = 0;
        if (!EllipseRow(cx, cy, rx, ry, y, o0, o1))
            continue;
        if (!EllipseRow(cx, cy, rx - w, ry - w, y, i0, i1) || w == 0) {
            if (w == 0)
                BrushSpan(y, o0, o1, pen_.mode);
            else
                target_.Span(y, o0, o1, pen_.color, pen_.mode);
            continue;
        }
        target_.Span(y, o0, i0, pen_.color, pen_.mode);
        BrushSpan(y, i0, i1, pen_.mode);
        target_.Span(y, i1, o1, pen_.color, pen_.mode);
    }
}

void ShapePainter::Polygon(const Point* points, int count) const
{
    if (points == nullptr || count < 2)
        return;
    if (HasBrush() && count >= 3) {
        int minY = points[0].y, maxY = points[0].y;
        for (int i = 1; i < count; ++i) {
            minY = std::min(minY, points[i].y);
            maxY = std::max(maxY, points[i].y);
        }
        minY = std::max(minY, target_.clip.top);
        maxY = std::min(maxY, target_.clip.bottom);
        thread_local std::vector<double> crossings;
        for (int y = minY; y < maxY; ++y) {
            const double yc = y + 0.5;
            crossings.clear();
            for (int i = 0; i < count; ++i) {
                const Point a = points[i], b = points[(i + 1) % count];
                if (a.y == b.y)
                    continue;
                const double lo = std::min(a.y, b.y), hi = std::max(a.y, b.y);
                if (yc < lo || yc >= hi)
                    continue;
                crossings.push_back(a.x + (yc - a.y) * (double(b.x) - a.x) / (double(b.y) - a.y));
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
                const double xa = std::clamp(crossings[k], -1e9, 1e9), xb = std::clamp(crossings[k + 1], -1e9, 1e9);
                BrushSpan(y, int(std::ceil(xa - 0.5)), int(std::ceil(xb - 0.5)), pen_.mode);
            }
        }
    }
    if (HasPen()) {
        const LinePainter line(target_, pen_, backColor_, backMode_);
        int64_t phase = 0;
        for (int i = 0; i < count; ++i)
            line.Draw(points[i], points[(i + 1) % count], phase);
    }
}

} // namespace platform
