#pragma once
// One screenshot of the whole screen, looked at through the program's client area: every
// position is in client coordinates, as the window's layout gives them.

#include "platform/Raster.h"
#include "tests/e2e/ClientRect.h"

#include <functional>
#include <string>

using PixelTest = std::function<bool(platform::Pixel)>;

// Colour classes of the checks. Fonts are anti-aliased, so text is recognised by its strong
// pixels only; lines and fills are exact.
bool IsRed(platform::Pixel p);
bool IsBlue(platform::Pixel p);
bool IsYellow(platform::Pixel p);
bool IsWhite(platform::Pixel p);
bool IsBlack(platform::Pixel p);
bool IsDark(platform::Pixel p);
bool IsMaroon(platform::Pixel p);

class ClientShot {
public:
    ClientShot(platform::Raster screen, platform::Rect client, std::string path);

    const std::string& Path() const { return path_; }
    int Width() const { return client_.Width(); }
    int Height() const { return client_.Height(); }
    platform::Pixel At(int x, int y) const;

    // Pixels of the rectangle that pass the test; the rectangle is cut to the client area.
    int Count(const ClientRect& r, const PixelTest& test) const;
    double Share(const ClientRect& r, const PixelTest& test) const;
    // Whether the two shots show the same pixels in the rectangle.
    bool SameAs(const ClientShot& other, const ClientRect& r) const;

private:
    platform::Rect Cut(const ClientRect& r) const;

    platform::Raster screen_;
    platform::Rect client_; // in screen coordinates, cut to the screen
    std::string path_;
};
