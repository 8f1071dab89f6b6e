#include "platform/DisplayDensity.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

// Densities outside this range are a broken setting, not a scale anybody runs at.
constexpr double kLowest = 48;
constexpr double kHighest = 480;

int Sensible(double ppi)
{
    return ppi >= kLowest && ppi <= kHighest ? int(std::lround(ppi)) : 0;
}

} // namespace

double DisplayDensity::XftDpi(std::string_view resources)
{
    // One "name:\tvalue" per line, as xrdb writes the database.
    constexpr std::string_view key = "Xft.dpi:";
    while (!resources.empty()) {
        const size_t end = resources.find('\n');
        std::string_view line = resources.substr(0, end);
        resources = end == std::string_view::npos ? std::string_view{} : resources.substr(end + 1);
        if (line.substr(0, key.size()) != key)
            continue;
        const std::string value(line.substr(key.size()));
        char* rest = nullptr;
        errno = 0;
        const double dpi = std::strtod(value.c_str(), &rest);
        if (errno != 0 || rest == value.c_str() || !std::isfinite(dpi))
            return 0;
        return dpi;
    }
    return 0;
}

int DisplayDensity::FromX11(const char* resources, const char* gdkScale)
{
    int ppi = kStandard;
    if (resources)
        ppi = std::max(ppi, Sensible(XftDpi(resources)));
    if (gdkScale && *gdkScale) {
        // GDK_SCALE takes whole factors only.
        char* rest = nullptr;
        const long scale = std::strtol(gdkScale, &rest, 10);
        if (*rest == '\0' && scale >= 1 && scale <= 4)
            ppi = std::max(ppi, int(scale) * kStandard);
    }
    return ppi;
}

int DisplayDensity::FromWayland(int realWidth, int logicalWidth)
{
    if (realWidth <= 0 || logicalWidth <= 0 || realWidth <= logicalWidth)
        return kStandard;
    // The logical width is the real one divided by the scale and rounded, so the ratio is off
    // by up to one logical pixel: 1280 / 853 for 1.5. Scales come in eighths (120ths on the
    // wire, but desktops offer 1.25, 1.5, 1.75, 2...); the nearest eighth is the scale meant.
    const double scale = std::round(double(realWidth) / double(logicalWidth) * 8.0) / 8.0;
    const int ppi = Sensible(scale * kStandard);
    return ppi ? ppi : kStandard;
}

int DisplayDensity::OfX11Display()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return FromX11(nullptr, std::getenv("GDK_SCALE"));
    const int ppi = FromX11(XResourceManagerString(display), std::getenv("GDK_SCALE"));
    XCloseDisplay(display);
    return ppi;
}

} // namespace platform
