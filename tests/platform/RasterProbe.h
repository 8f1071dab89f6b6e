#pragma once
// Small helpers of the pixel tests: counting and bounding the pixels of one colour, and naming
// a font.

#include "platform/DeviceContext.h"
#include "platform/Raster.h"

#include <algorithm>

namespace probe {

using platform::Pixel;
using platform::Raster;
using platform::Rect;

constexpr Pixel kBlack = platform::MakePixel(0, 0, 0);
constexpr Pixel kWhite = platform::MakePixel(255, 255, 255);
constexpr Pixel kRed = platform::MakePixel(255, 0, 0);
constexpr Pixel kBlue = platform::MakePixel(0, 0, 255);

inline int Count(const Raster& r, Pixel p)
{
    int n = 0;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x)
            n += r.At(x, y) == p;
    return n;
}

// Bounding box of the pixels that differ from `background` (empty when none).
inline Rect InkBox(const Raster& r, Pixel background)
{
    Rect box{r.Width(), r.Height(), 0, 0};
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x)
            if (r.At(x, y) != background) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box.IsEmpty() ? Rect{} : box;
}

// Every pixel of `r` inside `area` equals `inside`.
inline bool AllIn(const Raster& r, const Rect& area, Pixel inside)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (r.At(x, y) != inside)
                return false;
    return true;
}

// A font of the given family and height (negative: character height in pixels).
inline platform::FontSpec Face(const char* family, int height, bool bold = false)
{
    platform::FontSpec f;
    f.family = family;
    f.height = height;
    f.bold = bold;
    return f;
}

} // namespace probe
