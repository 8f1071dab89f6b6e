#include "forms/TColor.h"

#include "platform/SystemColors.h"
#include "rtl/Format.h"

const TIdentMap& ColorIdents()
{
    static const TIdentMap map{
        {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
        {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
        {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
        {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
        {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
        {clMedGray, "clMedGray"},
        {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
        {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"},
        {clBtnFace, "clBtnFace"}, {clBtnHighlight, "clBtnHighlight"},
        {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"}, {clCaptionText, "clCaptionText"},
        {clDefault, "clDefault"}, {clGradientActiveCaption, "clGradientActiveCaption"},
        {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
        {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
        {clHotLight, "clHotLight"}, {clInactiveBorder, "clInactiveBorder"},
        {clInactiveCaption, "clInactiveCaption"}, {clInactiveCaptionText, "clInactiveCaptionText"},
        {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"}, {clMenu, "clMenu"},
        {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"}, {clNone, "clNone"},
        {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
        {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"},
    };
    return map;
}

TColor ColorToRGB(TColor color)
{
    if (!IsSystemColor(color))
        return color;
    const platform::Pixel p = platform::SystemColor(int(uint32_t(color) & 0xFF));
    return MakeColor(platform::PixelRed(p), platform::PixelGreen(p), platform::PixelBlue(p));
}

platform::Pixel ColorToPixel(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return platform::MakePixel(ColorRed(rgb), ColorGreen(rgb), ColorBlue(rgb));
}

TColor PixelToColor(platform::Pixel pixel)
{
    return MakeColor(platform::PixelRed(pixel), platform::PixelGreen(pixel), platform::PixelBlue(pixel));
}

bool ColorToIdent(TColor color, std::string& ident)
{
    return ColorIdents().IntToIdent(color, ident);
}

bool IdentToColor(std::string_view ident, TColor& color)
{
    int64_t value = 0;
    if (!ColorIdents().IdentToInt(ident, value))
        return false;
    color = TColor(int32_t(value));
    return true;
}

std::string ColorToString(TColor color)
{
    std::string ident;
    if (ColorToIdent(color, ident))
        return ident;
    return rtl::Format("$%.8X", unsigned(uint32_t(color)));
}
