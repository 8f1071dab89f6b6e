#pragma once
// Colours. A colour is a 32-bit value: low byte red, then green, then blue. 0xFF in the top byte
// selects a desktop system colour by index (clBtnFace = 0xFF00000F), resolved through the
// platform palette when drawing. clNone and clDefault are markers, not colours: callers decide
// what they stand for before converting (see ColorToRGB).

#include "forms/TypeInfo.h"
#include "platform/Raster.h"

#include <cstdint>
#include <string>
#include <string_view>

enum TColor : int32_t {
    clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
    clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
    clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
    clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,

    clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0,

    clScrollBar = int32_t(0xFF000000), clBackground = int32_t(0xFF000001),
    clActiveCaption = int32_t(0xFF000002), clInactiveCaption = int32_t(0xFF000003),
    clMenu = int32_t(0xFF000004), clWindow = int32_t(0xFF000005),
    clWindowFrame = int32_t(0xFF000006), clMenuText = int32_t(0xFF000007),
    clWindowText = int32_t(0xFF000008), clCaptionText = int32_t(0xFF000009),
    clActiveBorder = int32_t(0xFF00000A), clInactiveBorder = int32_t(0xFF00000B),
    clAppWorkSpace = int32_t(0xFF00000C), clHighlight = int32_t(0xFF00000D),
    clHighlightText = int32_t(0xFF00000E), clBtnFace = int32_t(0xFF00000F),
    clBtnShadow = int32_t(0xFF000010), clGrayText = int32_t(0xFF000011),
    clBtnText = int32_t(0xFF000012), clInactiveCaptionText = int32_t(0xFF000013),
    clBtnHighlight = int32_t(0xFF000014), cl3DDkShadow = int32_t(0xFF000015),
    cl3DLight = int32_t(0xFF000016), clInfoText = int32_t(0xFF000017),
    clInfoBk = int32_t(0xFF000018), clHotLight = int32_t(0xFF00001A),
    clGradientActiveCaption = int32_t(0xFF00001B), clGradientInactiveCaption = int32_t(0xFF00001C),
    clMenuHighlight = int32_t(0xFF00001D),

    clNone = 0x1FFFFFFF,
    clDefault = 0x20000000,
};

// The 51 colour names, shared by the layout reader, the layout compiler and the ui-driver.
const TIdentMap& ColorIdents();
F2_INTEGER_TYPE(TColor, &ColorIdents());

// True for 0xFF...-style system colour references.
constexpr bool IsSystemColor(TColor color) { return (uint32_t(color) & 0xFF000000u) == 0xFF000000u; }

constexpr TColor MakeColor(uint8_t red, uint8_t green, uint8_t blue)
{
    return TColor(int32_t(red) | (int32_t(green) << 8) | (int32_t(blue) << 16));
}
constexpr uint8_t ColorRed(TColor rgb) { return uint8_t(uint32_t(rgb)); }
constexpr uint8_t ColorGreen(TColor rgb) { return uint8_t(uint32_t(rgb) >> 8); }
constexpr uint8_t ColorBlue(TColor rgb) { return uint8_t(uint32_t(rgb) >> 16); }

// Resolves a system colour to its RGB value through the platform palette. Every other value,
// clNone and clDefault included, is returned unchanged, so callers can still tell the markers
// apart; a caller that draws with one must first decide what it stands for.
TColor ColorToRGB(TColor color);
// The pixel a colour paints with: system colours resolved, then the low 24 bits taken as RGB
// (so clNone paints white and clDefault black, should a caller pass them through).
platform::Pixel ColorToPixel(TColor color);
// The colour of a pixel (alpha dropped).
TColor PixelToColor(platform::Pixel pixel);

// Name <-> value through the identifier map; names compare without regard to case.
bool ColorToIdent(TColor color, std::string& ident);
bool IdentToColor(std::string_view ident, TColor& color);
// The name, or the value as "$00BBGGRR"-style hex text when the colour has no name.
std::string ColorToString(TColor color);
