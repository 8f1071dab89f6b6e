#pragma once
// How many pixels per inch a desktop asks programs to draw at. 96 is the standard density;
// a desktop scaled by 2 asks for 192, one scaled by 1.5 for 144. The framework scales windows
// read from a layout by the ratio of this density to the stored one, so a window drawn at the
// reported density comes out at the desktop's scale in real pixels.

#include <string_view>

namespace platform {

class DisplayDensity {
public:
    static constexpr int kStandard = 96;

    // An X11 desktop: the Xft.dpi setting of the resource database (the RESOURCE_MANAGER text
    // of the root window, null or empty without one) and the GDK_SCALE variable (null when
    // unset), the two ways X11 desktops announce a scale. The larger of both wins; a value
    // that is not a sensible density or whole scale is ignored.
    static int FromX11(const char* resources, const char* gdkScale);

    // A Wayland desktop: the output's size in real pixels and in the desktop's logical units
    // (its size divided by the output scale).
    static int FromWayland(int realWidth, int logicalWidth);

    // FromX11 for the display DISPLAY names, read through a short connection of its own (SDL
    // does not hand out its connection before a window exists); the standard density when
    // the display cannot be opened.
    static int OfX11Display();

    // The Xft.dpi value in a resource database text, 0 when absent or unreadable.
    static double XftDpi(std::string_view resources);
};

} // namespace platform
