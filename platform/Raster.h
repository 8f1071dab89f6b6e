#pragma once
// A block of 32-bit pixels: the desktop stand-in's only image type. Windows present rasters,
// device contexts draw into them, bitmaps and icons are decoded into them.

#include <cstdint>
#include <algorithm>
#include <vector>

namespace platform {

// A pixel is 0xAARRGGBB in memory order of a uint32_t; alpha is 0xFF for opaque pixels and is
// only meaningful for icons (0 = transparent). Drawing always writes opaque pixels.
using Pixel = uint32_t;

constexpr Pixel MakePixel(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 0xFF)
{
    return (Pixel(a) << 24) | (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b);
}
constexpr uint8_t PixelRed(Pixel p) { return uint8_t(p >> 16); }
constexpr uint8_t PixelGreen(Pixel p) { return uint8_t(p >> 8); }
constexpr uint8_t PixelBlue(Pixel p) { return uint8_t(p); }
constexpr uint8_t PixelAlpha(Pixel p) { return uint8_t(p >> 24); }

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    Rect Intersect(const Rect& o) const
    {
        Rect r{left > o.left ? left : o.left, top > o.top ? top : o.top,
               right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom};
        return r.IsEmpty() ? Rect{} : r;
    }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

class Raster {
public:
    Raster() = default;
    Raster(int width, int height, Pixel fill = MakePixel(0, 0, 0))
        : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0),
          pixels_(size_t(width_) * size_t(height_), fill)
    {
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    Pixel* Row(int y) { return pixels_.data() + size_t(y) * size_t(width_); }
    const Pixel* Row(int y) const { return pixels_.data() + size_t(y) * size_t(width_); }
    Pixel At(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    void Set(int x, int y, Pixel p) { pixels_[size_t(y) * size_t(width_) + size_t(x)] = p; }
    Pixel* Data() { return pixels_.data(); }
    const Pixel* Data() const { return pixels_.data(); }

    void Fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }
    void Resize(int width, int height, Pixel fill = MakePixel(0, 0, 0))
    {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        pixels_.assign(size_t(width_) * size_t(height_), fill);
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

} // namespace platform
