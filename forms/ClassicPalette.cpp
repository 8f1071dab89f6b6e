#include "forms/ClassicPalette.h"

#include "platform/DeviceContext.h"

namespace {

// System colour indexes of the classic palette.
enum SystemColorIndex {
    kMenu = 4, kWindow = 5, kWindowFrame = 6, kMenuText = 7, kWindowText = 8, kHighlight = 13,
    kHighlightText = 14, kBtnFace = 15, kBtnShadow = 16, kGrayText = 17, kBtnHighlight = 20,
    kDarkShadow = 21, kLight = 22,
};

} // namespace

ClassicPalette ClassicPalette::System()
{
    using platform::SystemColor;
    ClassicPalette p;
    p.face = SystemColor(kBtnFace);
    p.shadow = SystemColor(kBtnShadow);
    p.highlight = SystemColor(kBtnHighlight);
    p.darkShadow = SystemColor(kDarkShadow);
    p.light = SystemColor(kLight);
    p.window = SystemColor(kWindow);
    p.windowText = SystemColor(kWindowText);
    p.grayText = SystemColor(kGrayText);
    p.selection = SystemColor(kHighlight);
    p.selectionText = SystemColor(kHighlightText);
    p.menu = SystemColor(kMenu);
    p.menuText = SystemColor(kMenuText);
    p.frame = SystemColor(kWindowFrame);
    return p;
}
