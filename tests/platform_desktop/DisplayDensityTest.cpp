// The density a scaled desktop asks for: from X11's resource database and GDK_SCALE, and from
// a Wayland output's real and logical sizes.

#include "platform/DisplayDensity.h"

#include <gtest/gtest.h>

using platform::DisplayDensity;

TEST(DisplayDensity, X11TakesXftDpiOrGdkScaleWhicheverIsLarger)
{
    // An unscaled desktop, with or without a resource database.
    EXPECT_EQ(DisplayDensity::FromX11(nullptr, nullptr), 96);
    EXPECT_EQ(DisplayDensity::FromX11("", nullptr), 96);
    EXPECT_EQ(DisplayDensity::FromX11("Xcursor.size:\t24\n", nullptr), 96);
    // Xft.dpi as xrdb writes it, among other settings; fractional values round.
    EXPECT_EQ(DisplayDensity::FromX11("Xcursor.size:\t48\nXft.dpi:\t192\nXft.hinting:\t1\n", nullptr), 192);
    EXPECT_EQ(DisplayDensity::FromX11("Xft.dpi: 143.6", nullptr), 144);
    // GDK_SCALE: whole factors only.
    EXPECT_EQ(DisplayDensity::FromX11(nullptr, "2"), 192);
    EXPECT_EQ(DisplayDensity::FromX11("Xft.dpi:\t96\n", "2"), 192);
    EXPECT_EQ(DisplayDensity::FromX11("Xft.dpi:\t192\n", "2"), 192) << "the two name the same scale";
    EXPECT_EQ(DisplayDensity::FromX11("Xft.dpi:\t120\n", "1"), 120);
}

TEST(DisplayDensity, X11IgnoresSettingsThatAreNoDensity)
{
    for (const char* resources : {"Xft.dpi:\tabc\n", "Xft.dpi:\t0\n", "Xft.dpi:\t-192\n", "Xft.dpi:\t100000\n",
                                  "Xft.dpi:\tnan\n", "Xft.dpix:\t192\n", "xXft.dpi:\t192\n"})
        EXPECT_EQ(DisplayDensity::FromX11(resources, nullptr), 96) << resources;
    for (const char* scale : {"", "0", "-2", "1.5", "2x", "99"})
        EXPECT_EQ(DisplayDensity::FromX11(nullptr, scale), 96) << "GDK_SCALE '" << scale << "'";
}

TEST(DisplayDensity, WaylandTakesTheOutputScaleToTheNearestEighth)
{
    EXPECT_EQ(DisplayDensity::FromWayland(1280, 1280), 96);
    EXPECT_EQ(DisplayDensity::FromWayland(2560, 1280), 192);
    // The logical size is rounded: 1280 / 1.5 = 853.3, 3840 / 1.25 = 3072, 1366 / 1.75 = 780.6.
    EXPECT_EQ(DisplayDensity::FromWayland(1280, 853), 144);
    EXPECT_EQ(DisplayDensity::FromWayland(3840, 3072), 120);
    EXPECT_EQ(DisplayDensity::FromWayland(1366, 781), 168);
    // Nothing known, or a logical size larger than the real one (no scale below 1 is offered).
    EXPECT_EQ(DisplayDensity::FromWayland(0, 0), 96);
    EXPECT_EQ(DisplayDensity::FromWayland(1280, 0), 96);
    EXPECT_EQ(DisplayDensity::FromWayland(1280, 2560), 96);
}
