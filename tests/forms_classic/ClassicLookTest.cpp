#include "forms/ClassicLook.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using platform::MakePixel;
using platform::Pixel;
using platform::Rect;

// Colours chosen to be told apart easily in failures.
ClassicPalette TestPalette()
{
    ClassicPalette p;
    p.face = MakePixel(0xC0, 0xC0, 0xC0);
    p.shadow = MakePixel(0x80, 0x80, 0x80);
    p.highlight = MakePixel(0xFF, 0xFF, 0xFF);
    p.darkShadow = MakePixel(0x40, 0x40, 0x40);
    p.light = MakePixel(0xDF, 0xDF, 0xDF);
    p.window = MakePixel(0xFE, 0xFE, 0xF0);
    p.windowText = MakePixel(0, 0, 0);
    p.grayText = MakePixel(0x81, 0x81, 0x81);
    p.selection = MakePixel(0, 0, 0x80);
    p.selectionText = MakePixel(0xFF, 0xFF, 0xFE);
    p.menu = MakePixel(0xC1, 0xC1, 0xC1);
    p.menuText = MakePixel(0, 0, 1);
    p.frame = MakePixel(1, 0, 0);
    return p;
}

constexpr Pixel kPaper = MakePixel(0x12, 0x34, 0x56);

struct Canvas {
    platform::Raster raster{40, 40, kPaper};
    platform::DeviceContext dc{raster};
    ClassicPalette palette = TestPalette();
    ClassicLook look{dc, palette};
    Pixel At(int x, int y) const { return raster.At(x, y); }
};

TEST(ClassicLookBevels, Frame3DCornersBelongToTheBottomRightColour)
{
    Canvas c;
    const Pixel tl = MakePixel(1, 1, 1), br = MakePixel(2, 2, 2);
    const Rect inner = c.look.Frame3D(Rect{5, 5, 15, 12}, tl, br, 2);
    EXPECT_EQ(inner, (Rect{7, 7, 13, 10}));
    EXPECT_EQ(c.At(5, 5), tl);
    EXPECT_EQ(c.At(13, 5), tl);     // top row up to its last pixel
    EXPECT_EQ(c.At(14, 5), br);     // top-right corner
    EXPECT_EQ(c.At(5, 10), tl);
    EXPECT_EQ(c.At(5, 11), br);     // bottom-left corner
    EXPECT_EQ(c.At(14, 11), br);
    EXPECT_EQ(c.At(6, 6), tl);      // second ring
    EXPECT_EQ(c.At(13, 6), br);
    EXPECT_EQ(c.At(6, 10), br);
    // Must stay: the interior and everything outside.
    for (int y = 7; y < 10; ++y)
        for (int x = 7; x < 13; ++x)
            EXPECT_EQ(c.At(x, y), kPaper) << x << "," << y;
    for (int x = 4; x <= 15; ++x) {
        EXPECT_EQ(c.At(x, 4), kPaper);
        EXPECT_EQ(c.At(x, 12), kPaper);
    }
    EXPECT_EQ(c.At(15, 8), kPaper);
    EXPECT_EQ(c.At(4, 8), kPaper);
}

TEST(ClassicLookBevels, PanelBevelsAndTheSunkenEditEdge)
{
    Canvas c;
    EXPECT_EQ(c.look.DrawBevel(Rect{0, 0, 10, 10}, BevelKind::Lowered, 1), (Rect{1, 1, 9, 9}));
    EXPECT_EQ(c.At(0, 0), c.palette.shadow);
    EXPECT_EQ(c.At(9, 9), c.palette.highlight);
    EXPECT_EQ(c.look.DrawBevel(Rect{20, 0, 30, 10}, BevelKind::Raised, 1), (Rect{21, 1, 29, 9}));
    EXPECT_EQ(c.At(20, 0), c.palette.highlight);
    EXPECT_EQ(c.At(29, 9), c.palette.shadow);
    EXPECT_EQ(c.look.DrawBevel(Rect{0, 20, 10, 30}, BevelKind::Space, 2), (Rect{2, 22, 8, 28}));
    EXPECT_EQ(c.At(0, 20), kPaper);

    // Edit box 57 x 21 as the main window's fields: outer shadow/highlight, inner dark/light.
    platform::Raster r(57, 21, kPaper);
    platform::DeviceContext dc(r);
    ClassicLook look(dc, TestPalette());
    const ClassicPalette p = TestPalette();
    EXPECT_EQ(look.DrawEdgeSunken(Rect{0, 0, 57, 21}), (Rect{2, 2, 55, 19}));
    EXPECT_EQ(r.At(0, 0), p.shadow);
    EXPECT_EQ(r.At(55, 0), p.shadow);
    EXPECT_EQ(r.At(56, 0), p.highlight);
    EXPECT_EQ(r.At(0, 20), p.highlight);
    EXPECT_EQ(r.At(56, 20), p.highlight);
    EXPECT_EQ(r.At(1, 1), p.darkShadow);
    EXPECT_EQ(r.At(1, 18), p.darkShadow);
    EXPECT_EQ(r.At(1, 19), p.light);
    EXPECT_EQ(r.At(55, 1), p.light);
    EXPECT_EQ(r.At(55, 19), p.light);
    EXPECT_EQ(r.At(2, 2), kPaper);    // the client area is the control's to paint
}

TEST(ClassicLookBevels, ButtonFaceRaisedPressedDefaultAndFocused)
{
    Canvas c;
    const Rect content = c.look.DrawButtonFace(Rect{0, 0, 20, 12}, ButtonLook{});
    EXPECT_EQ(content, (Rect{2, 2, 18, 10}));
    EXPECT_EQ(c.At(0, 0), c.palette.highlight);
    EXPECT_EQ(c.At(19, 0), c.palette.darkShadow);
    EXPECT_EQ(c.At(0, 11), c.palette.darkShadow);
    EXPECT_EQ(c.At(1, 1), c.palette.light);
    EXPECT_EQ(c.At(18, 1), c.palette.shadow);
    EXPECT_EQ(c.At(18, 10), c.palette.shadow);
    EXPECT_EQ(c.At(10, 6), c.palette.face);
    EXPECT_EQ(c.At(20, 6), kPaper);

    // Default and pressed: black frame, flat shadow frame, caption moved by one pixel.
    const Rect pressed = c.look.DrawButtonFace(Rect{0, 20, 20, 32}, ButtonLook{true, true, false});
    EXPECT_EQ(pressed, (Rect{3, 23, 19, 31}));
    EXPECT_EQ(c.At(0, 20), c.palette.frame);
    EXPECT_EQ(c.At(19, 31), c.palette.frame);
    EXPECT_EQ(c.At(1, 21), c.palette.shadow);
    EXPECT_EQ(c.At(18, 30), c.palette.shadow);
    EXPECT_EQ(c.At(2, 22), c.palette.face);

    // The focus frame is dotted, inset by 4, and inverts the face.
    Canvas f;
    f.look.DrawButtonFace(Rect{0, 0, 20, 14}, ButtonLook{false, true, true});
    EXPECT_EQ(f.At(1, 1), f.palette.highlight);   // bevel moved in by the default frame
    int inverted = 0;
    for (int x = 4; x < 16; ++x)
        inverted += f.At(x, 4) != f.palette.face;
    EXPECT_EQ(inverted, 6);                       // every other pixel
    EXPECT_EQ(f.At(3, 4), f.palette.face);
    EXPECT_EQ(f.At(5, 5), f.palette.face);
}

TEST(ClassicLookRadio, CircleIsSymmetricAndTheDotOnlyWhenChecked)
{
    Canvas c;
    c.look.DrawRadio(2, 2, false, true);
    c.look.DrawRadio(20, 2, true, true);
    c.look.DrawRadio(2, 20, true, false);

    const auto painted = [&](int ox, int oy, int x, int y) { return c.At(ox + x, oy + y) != kPaper; };
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            // Same shape mirrored either way and transposed; colours mirror about the diagonal.
            EXPECT_EQ(painted(2, 2, x, y), painted(2, 2, 11 - x, y)) << x << "," << y;
            EXPECT_EQ(painted(2, 2, x, y), painted(2, 2, x, 11 - y)) << x << "," << y;
            EXPECT_EQ(c.At(2 + x, 2 + y), c.At(2 + y, 2 + x)) << x << "," << y;
        }
    }
    // Corners stay, the 13th row and column stay, the ring is crisp palette colours only.
    EXPECT_EQ(c.At(2, 2), kPaper);
    EXPECT_EQ(c.At(13, 13), kPaper);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(c.At(2 + 12, 2 + i), kPaper);
        EXPECT_EQ(c.At(2 + i, 2 + 12), kPaper);
    }
    EXPECT_EQ(c.At(2 + 5, 2 + 0), c.palette.shadow);
    EXPECT_EQ(c.At(2 + 5, 2 + 11), c.palette.highlight);
    EXPECT_EQ(c.At(2 + 5, 2 + 1), c.palette.darkShadow);
    EXPECT_EQ(c.At(2 + 5, 2 + 10), c.palette.light);

    int dot = 0;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            EXPECT_NE(c.At(2 + x, 2 + y), c.palette.windowText);
            dot += c.At(20 + x, 2 + y) == c.palette.windowText;
            // The checked circle differs from the unchecked one only by the dot.
            if (c.At(20 + x, 2 + y) != c.palette.windowText) {
                EXPECT_EQ(c.At(20 + x, 2 + y), c.At(2 + x, 2 + y));
            }
        }
    }
    EXPECT_EQ(dot, 12);
    EXPECT_EQ(c.At(20 + 5, 2 + 5), c.palette.windowText);
    EXPECT_EQ(c.At(2 + 5, 2 + 5), c.palette.window);
    // Disabled: button-face inside, grey dot.
    EXPECT_EQ(c.At(2 + 3, 20 + 3), c.palette.face);
    EXPECT_EQ(c.At(2 + 5, 20 + 5), c.palette.shadow);
}

TEST(ClassicLookRadio, CheckBoxHasASunkenEdgeAndAMarkWhenChecked)
{
    Canvas c;
    c.look.DrawCheck(0, 0, false, true);
    c.look.DrawCheck(20, 0, true, true);
    EXPECT_EQ(c.At(0, 0), c.palette.shadow);
    EXPECT_EQ(c.At(12, 12), c.palette.highlight);
    EXPECT_EQ(c.At(1, 1), c.palette.darkShadow);
    int unchecked = 0, checked = 0;
    for (int y = 2; y < 11; ++y)
        for (int x = 2; x < 11; ++x) {
            unchecked += c.At(x, y) == c.palette.windowText;
            checked += c.At(20 + x, y) == c.palette.windowText;
        }
    EXPECT_EQ(unchecked, 0);
    EXPECT_EQ(checked, 21);
    EXPECT_EQ(c.At(20 + 9, 3), c.palette.windowText);   // the mark's upper right end
    EXPECT_EQ(c.At(20 + 5, 9), c.palette.windowText);   // its lowest point
    EXPECT_EQ(c.At(20 + 3, 3), c.palette.window);
    EXPECT_EQ(c.At(13, 5), kPaper);
}

TEST(ClassicLookGroup, EtchedFrameWithCaptionGap)
{
    Canvas c;
    const Rect caption = c.look.DrawGroupFrame(Rect{0, 0, 40, 30}, 10, 13);
    EXPECT_EQ(caption, (Rect{8, 0, 18, 13}));
    const int top = 6;   // half the caption height
    for (int x = 0; x < 39; ++x) {
        const bool gap = x >= 8 && x < 18;
        EXPECT_EQ(c.At(x, top), gap ? kPaper : c.palette.shadow) << x;
        if (x >= 1 && x < 38) {
            EXPECT_EQ(c.At(x, top + 1), gap ? kPaper : c.palette.highlight) << x;
        }
    }
    EXPECT_EQ(c.At(39, top), kPaper);      // the highlight frame starts one row lower
    EXPECT_EQ(c.At(39, top + 1), c.palette.highlight);
    EXPECT_EQ(c.At(0, top - 1), kPaper);   // nothing above the frame's top
    EXPECT_EQ(c.At(0, 28), c.palette.shadow);
    EXPECT_EQ(c.At(1, 28), c.palette.shadow);
    EXPECT_EQ(c.At(1, 29), c.palette.highlight);
    EXPECT_EQ(c.At(38, 15), c.palette.shadow);
    EXPECT_EQ(c.At(39, 15), c.palette.highlight);
    EXPECT_EQ(c.At(1, 15), c.palette.highlight);
    EXPECT_EQ(c.At(2, 15), kPaper);

    Canvas n;
    n.look.DrawGroupFrame(Rect{0, 0, 40, 30}, 0, 13);   // no caption: no gap
    EXPECT_EQ(n.At(12, 6), n.palette.shadow);
}

} // namespace

namespace {

TEST(ClassicLookText, DisabledTextIsEmbossedAndLeavesTheContextAsItWas)
{
    Canvas c;
    c.dc.SetTextColor(MakePixel(9, 9, 9));
    c.dc.SetBackMode(platform::BackgroundMode::Opaque);
    c.look.DrawDisabledText(2, 2, "HH");
    // Glyph edges are smoothed, so pixels are classed by their nearness to the two colours.
    const auto nearShadow = [&](Pixel p) { return std::abs(int(platform::PixelRed(p)) - 0x80) <= 0x10; };
    const auto nearHighlight = [&](Pixel p) { return platform::PixelRed(p) >= 0xD0; };
    int shadow = 0, highlight = 0, highlightLeftOfShadow = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 1; x < 40; ++x) {
            shadow += nearShadow(c.At(x, y));
            highlight += nearHighlight(c.At(x, y));
            // The highlight copy lies one pixel right and down, so it shows beside the shadow.
            highlightLeftOfShadow += nearHighlight(c.At(x, y)) && nearShadow(c.At(x - 1, y));
        }
    EXPECT_GT(shadow, 10);
    EXPECT_GT(highlight, 5);
    EXPECT_GT(highlightLeftOfShadow, 5);
    EXPECT_EQ(c.At(0, 0), kPaper);   // transparent: no background box
    EXPECT_EQ(c.dc.TextColor(), MakePixel(9, 9, 9));
    EXPECT_EQ(c.dc.BackMode(), platform::BackgroundMode::Opaque);
}

} // namespace
