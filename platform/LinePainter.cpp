#include "platform/LinePainter.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

// Runs of ink and gap, ink first; the classic cosmetic patterns.
struct Pattern {
    const int* runs;
    int count;
    int period;
};
constexpr int kDash[] = {18, 6};
constexpr int kDot[] = {3, 3};
constexpr int kDashDot[] = {9, 6, 3, 6};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
constexpr int kAlternate[] = {1, 1};

Pattern PatternOf(const PenSpec& pen)
{
    if (pen.alternate)
        return {kAlternate, 2, 2};
    switch (pen.style) {
    case PenStyle::Dash: return {kDash, 2, 24};
    case PenStyle::Dot: return {kDot, 2, 6};
    case PenStyle::DashDot: return {kDashDot, 4, 24};
    case PenStyle::DashDotDot: return {kDashDotDot, 6, 24};
    default: return {nullptr, 0, 1};
    }
}

// The thin walk of a segment in major/minor form. Pixel i (0 <= i < steps) lies at
// major0 + majorStep * i and minor0 + minorStep * floor((2 i dMinor + dMajor) / (2 dMajor)).
struct Walk {
    bool xMajor;
    int64_t major0, minor0, majorStep, minorStep, dMajor, dMinor, steps;

    Walk(Point a, Point b)
    {
        const int64_t dx = int64_t(b.x) - a.x, dy = int64_t(b.y) - a.y;
        xMajor = std::llabs(dx) >= std::llabs(dy);
        major0 = xMajor ? a.x : a.y;
        minor0 = xMajor ? a.y : a.x;
        const int64_t dMaj = xMajor ? dx : dy, dMin = xMajor ? dy : dx;
        majorStep = dMaj < 0 ? -1 : 1;
        minorStep = dMin < 0 ? -1 : 1;
        dMajor = std::llabs(dMaj);
        dMinor = std::llabs(dMin);
        steps = dMajor;
    }

    // Steps whose major coordinate lies in [lo, hi).
    void MajorRange(int64_t lo, int64_t hi, int64_t& first, int64_t& last) const
    {
        if (majorStep > 0) {
            first = lo - major0;
            last = hi - major0;
        } else {
            first = major0 - hi + 1;
            last = major0 - lo + 1;
        }
        first = std::max<int64_t>(first, 0);
        last = std::min(last, steps);
    }

    // Device position of pixel i.
    void PixelAt(int64_t i, int64_t& x, int64_t& y) const
    {
        const int64_t major = major0 + majorStep * i;
        // 128-bit: the product overflows 64 bits for segments spanning the whole int range.
        const int64_t minor = minor0 + minorStep * int64_t((__int128(2) * i * dMinor + dMajor) / (2 * dMajor));
        x = xMajor ? major : minor;
        y = xMajor ? minor : major;
    }

    // Visits pixels first..last-1 as f(i, x, y), tracking the minor coordinate incrementally.
    template <typename F>
    void Visit(int64_t first, int64_t last, F&& f) const
    {
        if (first >= last)
            return;
        const int64_t twoMajor = 2 * dMajor;
        const __int128 num = __int128(2) * first * dMinor + dMajor;
        int64_t minor = minor0 + minorStep * int64_t(num / twoMajor);
        int64_t rem = int64_t(num % twoMajor);
        int64_t major = major0 + majorStep * first;
        for (int64_t i = first; i < last; ++i) {
            if (xMajor)
                f(i, major, minor);
            else
                f(i, minor, major);
            major += majorStep;
            rem += 2 * dMinor;
            if (rem >= twoMajor) {
                rem -= twoMajor;
                minor += minorStep;
            }
        }
    }
};

} // namespace

bool LinePainter::Styled() const
{
    return pen_.width <= 1 && PatternOf(pen_).runs != nullptr;
}

bool LinePainter::PatternInk(int64_t k) const
{
    const Pattern p = PatternOf(pen_);
    int64_t pos = k % p.period;
    if (pos < 0)
        pos += p.period;
    for (int r = 0; r < p.count; ++r) {
        if (pos < p.runs[r])
            return r % 2 == 0;
        pos -= p.runs[r];
    }
    return true;
}

void LinePainter::Draw(Point from, Point to, int64_t& phase) const
{
    if (pen_.style == PenStyle::Clear || from == to) {
        return;
    }
    const int64_t length = std::max(std::llabs(int64_t(to.x) - from.x), std::llabs(int64_t(to.y) - from.y));
    if (pen_.width > 1)
        DrawWide(from, to);
    else
        DrawThin(from, to, phase);
    phase += length;
}

void LinePainter::DrawThin(Point from, Point to, int64_t phase) const
{
    const Walk walk(from, to);
    const Rect& c = target_.clip;
    int64_t first = 0, last = 0;
    if (walk.xMajor)
        walk.MajorRange(c.left, c.right, first, last);
    else
        walk.MajorRange(c.top, c.bottom, first, last);
    if (!Styled()) {
        walk.Visit(first, last, [&](int64_t, int64_t x, int64_t y) {
            target_.Plot(int(x), int(y), pen_.color, pen_.mode);
        });
        return;
    }
    // The pattern position steps along with the walk: one table look-up per pixel instead of
    // a division (dotted grid lines are drawn on every chart paint).
    const Pattern pattern = PatternOf(pen_);
    bool ink[24] = {};   // the longest period of the patterns above
    for (int k = 0; k < pattern.period; ++k)
        ink[k] = PatternInk(k);
    int64_t start = (phase + first) % pattern.period;
    int position = int(start < 0 ? start + pattern.period : start);
    const bool fillGaps = backMode_ == BackgroundMode::Opaque;
    walk.Visit(first, last, [&](int64_t, int64_t x, int64_t y) {
        if (ink[position])
            target_.Plot(int(x), int(y), pen_.color, pen_.mode);
        else if (fillGaps)
            target_.Plot(int(x), int(y), backColor_, pen_.mode);
        if (++position == pattern.period)
            position = 0;
    });
}

void LinePainter::DrawWide(Point from, Point to) const
{
    const int w = pen_.width, half = w / 2;
    const Walk walk(from, to);
    const Rect& c = target_.clip;

    // Only stamps that can touch the clip matter.
    int64_t first = 0, last = 0;
    if (walk.xMajor)
        walk.MajorRange(int64_t(c.left) - w, int64_t(c.right) + w, first, last);
    else
        walk.MajorRange(int64_t(c.top) - w, int64_t(c.bottom) + w, first, last);
    if (first >= last)
        return;

    // The stamps' bounding box: the walk is monotonic, so its ends span it.
    int64_t ax = 0, ay = 0, bx = 0, by = 0;
    walk.PixelAt(first, ax, ay);
    walk.PixelAt(last - 1, bx, by);
    const auto clampedEdge = [](int64_t v, int lo, int hi) { return int(std::clamp<int64_t>(v, lo, hi)); };
    const Rect box = Rect{clampedEdge(std::min(ax, bx) - half, c.left, c.right),
                          clampedEdge(std::min(ay, by) - half, c.top, c.bottom),
                          clampedEdge(std::max(ax, bx) - half + w, c.left, c.right),
                          clampedEdge(std::max(ay, by) - half + w, c.top, c.bottom)}
                         .Intersect(c);
    if (box.IsEmpty())
        return;
    if (from.x == to.x || from.y == to.y) {
        // Axis-parallel: the union of the stamps is that rectangle.
        target_.Fill(box, pen_.color, pen_.mode);
        return;
    }

    // Any other direction: collect the stamps in a mask so that every pixel is painted once,
    // whatever the pen mode.
    const int mw = box.Width(), mh = box.Height();
    thread_local std::vector<uint8_t> mask;
    mask.assign(size_t(mw) * size_t(mh), 0);
    walk.Visit(first, last, [&](int64_t, int64_t x, int64_t y) {
        const int64_t sx0 = std::max<int64_t>(x - half, box.left), sx1 = std::min<int64_t>(x - half + w, box.right);
        const int64_t sy0 = std::max<int64_t>(y - half, box.top), sy1 = std::min<int64_t>(y - half + w, box.bottom);
        for (int64_t yy = sy0; yy < sy1; ++yy) {
            uint8_t* row = mask.data() + size_t(yy - box.top) * size_t(mw);
            std::fill(row + (sx0 - box.left), row + std::max(sx0, sx1) - box.left, uint8_t(1));
        }
    });
    for (int y = 0; y < mh; ++y) {
        const uint8_t* row = mask.data() + size_t(y) * size_t(mw);
        Pixel* dst = target_.raster->Row(box.top + y) + box.left;
        for (int x = 0; x < mw; ++x)
            if (row[x])
                dst[x] = ApplyPenMode(dst[x], pen_.color, pen_.mode);
    }
}

} // namespace platform
