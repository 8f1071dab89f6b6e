#pragma once
// A stand-in window for drawing-surface tests: a white bitmap whose canvas the surface paints
// on, drawn to directly (no buffer) unless a test asks for the buffer.

#include "chart/TChartCanvas3D.h"
#include "forms/TBitmap.h"
#include "forms/TCanvas.h"

namespace surfacetest {

inline platform::Pixel Px(TColor color)
{
    return ColorToPixel(color);
}

struct Window {
    Window(int w, int h)
    {
        bitmap.SetSize(w, h);
        bitmap.Image().Fill(ColorToPixel(clWhite));
    }
    TCanvas* Canvas() { return bitmap.Canvas(); }
    platform::Pixel At(int x, int y) const { return bitmap.Image().At(x, y); }
    int Width() const { return bitmap.Width(); }
    int Height() const { return bitmap.Height(); }
    // Pixels of the colour inside r (right and bottom exclusive).
    int Count(platform::Pixel colour, const platform::Rect& r) const
    {
        int n = 0;
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, Height()); ++y)
            for (int x = std::max(r.left, 0); x < std::min(r.right, Width()); ++x)
                n += At(x, y) == colour;
        return n;
    }
    // The bounding box of the pixels that are not white (empty when all are).
    platform::Rect InkBox() const
    {
        platform::Rect box{Width(), Height(), -1, -1};
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                if (At(x, y) != Px(clWhite))
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
        return box;
    }
    bool SameAs(const Window& other) const
    {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                if (At(x, y) != other.At(x, y))
                    return false;
        return true;
    }
    TBitmap bitmap;
};

// Draws with the surface straight onto the window (no buffer); flat unless options are given
// with view3D, then projected around the window's centre with the given depth.
struct DirectSurface {
    explicit DirectSurface(Window& window, TView3DOptions* options = nullptr, bool view3D = false, int depth = 0)
        : surface(window.Canvas())
    {
        surface.ApplyBuffering(false);
        const platform::Rect bounds = window.bitmap.Image().Bounds();
        surface.BeginDrawing(window.Canvas(), bounds, options, view3D);
        surface.SetProjection(depth, bounds, bounds);
    }
    TChartCanvas3D surface;
};

} // namespace surfacetest
