#pragma once
// The raster a primitive writes to, seen through the device clip, with the raster operations
// of the pens. Every drawing routine of the device context ends here, so clipping and pen
// modes are decided in one place and spans are filled a row at a time (no per-pixel calls
// through an interface).

#include "platform/DeviceContext.h"
#include "platform/Raster.h"

#include <algorithm>

namespace platform {

// The result of one raster operation on one pixel; drawn pixels are always opaque.
inline Pixel ApplyPenMode(Pixel dst, Pixel pen, PenMode mode)
{
    constexpr Pixel opaque = 0xFF000000u, rgb = 0x00FFFFFFu;
    switch (mode) {
    case PenMode::Copy: return pen | opaque;
    case PenMode::NotXor: return (~(dst ^ pen) & rgb) | opaque;
    case PenMode::Xor: return ((dst ^ pen) & rgb) | opaque;
    case PenMode::Not: return (~dst & rgb) | opaque;
    case PenMode::Black: return opaque;
    case PenMode::White: return 0xFFFFFFFFu;
    }
    return dst;
}

// Mixes `over` into `under` by coverage 0..255 (text antialiasing, alpha edges of icons).
inline Pixel BlendPixel(Pixel under, Pixel over, unsigned coverage)
{
    if (coverage >= 255)
        return over | 0xFF000000u;
    const unsigned inv = 255 - coverage;
    auto mix = [&](int shift) {
        const unsigned a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
        // t / 255 rounded to nearest, without a division (exact for t <= 255 * 255).
        const unsigned t = a * inv + b * coverage + 128;
        return ((t + (t >> 8)) >> 8) << shift;
    };
    return 0xFF000000u | mix(16) | mix(8) | mix(0);
}

struct PaintTarget {
    Raster* raster = nullptr;
    Rect clip;   // device coordinates, always inside the raster

    bool Visible(int x, int y) const { return clip.Contains({x, y}); }

    void Plot(int x, int y, Pixel color, PenMode mode) const
    {
        if (!Visible(x, y))
            return;
        Pixel* p = raster->Row(y) + x;
        *p = ApplyPenMode(*p, color, mode);
    }

    // Pixels [x0, x1) of row y, clipped.
    void Span(int y, int x0, int x1, Pixel color, PenMode mode) const
    {
        if (y < clip.top || y >= clip.bottom)
            return;
        x0 = std::max(x0, clip.left);
        x1 = std::min(x1, clip.right);
        if (x0 >= x1)
            return;
        Pixel* row = raster->Row(y);
        if (mode == PenMode::Copy) {
            std::fill(row + x0, row + x1, color | 0xFF000000u);
            return;
        }
        for (Pixel* p = row + x0; p != row + x1; ++p)
            *p = ApplyPenMode(*p, color, mode);
    }

    // The device rectangle r, clipped.
    void Fill(const Rect& r, Pixel color, PenMode mode) const
    {
        const Rect c = r.Intersect(clip);
        for (int y = c.top; y < c.bottom; ++y)
            Span(y, c.left, c.right, color, mode);
    }
};

} // namespace platform
