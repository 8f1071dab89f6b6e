#include "platform/SystemColors.h"

#include <array>

namespace platform {

namespace {

// The classic grey palette, by system colour index. Faces and menus are silver, bevels are
// white above and grey/dark grey below, selections are navy with white text.
constexpr std::array<Pixel, 31> kSystemColors = {
    MakePixel(0xC0, 0xC0, 0xC0),   //  0 scroll bar
    MakePixel(0x00, 0x80, 0x80),   //  1 desktop background
    MakePixel(0x00, 0x00, 0x80),   //  2 active caption
    MakePixel(0x80, 0x80, 0x80),   //  3 inactive caption
    MakePixel(0xC0, 0xC0, 0xC0),   //  4 menu
    MakePixel(0xFF, 0xFF, 0xFF),   //  5 window
    MakePixel(0x00, 0x00, 0x00),   //  6 window frame
    MakePixel(0x00, 0x00, 0x00),   //  7 menu text
    MakePixel(0x00, 0x00, 0x00),   //  8 window text
    MakePixel(0xFF, 0xFF, 0xFF),   //  9 caption text
    MakePixel(0xC0, 0xC0, 0xC0),   // 10 active border
    MakePixel(0xC0, 0xC0, 0xC0),   // 11 inactive border
    MakePixel(0x80, 0x80, 0x80),   // 12 application workspace
    MakePixel(0x00, 0x00, 0x80),   // 13 highlight
    MakePixel(0xFF, 0xFF, 0xFF),   // 14 highlight text
    MakePixel(0xC0, 0xC0, 0xC0),   // 15 button face
    MakePixel(0x80, 0x80, 0x80),   // 16 button shadow
    MakePixel(0x80, 0x80, 0x80),   // 17 grey (disabled) text
    MakePixel(0x00, 0x00, 0x00),   // 18 button text
    MakePixel(0xC0, 0xC0, 0xC0),   // 19 inactive caption text
    MakePixel(0xFF, 0xFF, 0xFF),   // 20 button highlight
    MakePixel(0x40, 0x40, 0x40),   // 21 3-D dark shadow
    MakePixel(0xDF, 0xDF, 0xDF),   // 22 3-D light
    MakePixel(0x00, 0x00, 0x00),   // 23 tooltip text
    MakePixel(0xFF, 0xFF, 0xE1),   // 24 tooltip background
    MakePixel(0xC0, 0xC0, 0xC0),   // 25 (unassigned; button face)
    MakePixel(0x00, 0x00, 0xFF),   // 26 hot-tracked item
    MakePixel(0x10, 0x84, 0xD0),   // 27 active caption gradient end
    MakePixel(0xB5, 0xB5, 0xB5),   // 28 inactive caption gradient end
    MakePixel(0x00, 0x00, 0x80),   // 29 menu highlight
    MakePixel(0xC0, 0xC0, 0xC0),   // 30 menu bar
};

} // namespace

Pixel SystemColor(int index)
{
    // As an unset colour would.
    if (index < 0 || index >= int(kSystemColors.size()))
        return MakePixel(0, 0, 0);
    return kSystemColors[size_t(index)];
}

} // namespace platform
