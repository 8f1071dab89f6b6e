#include "forms/ClassicPalette.h"

#include "platform/SystemColors.h"

ClassicPalette ClassicPalette::System()
{
    using platform::SystemColor;
    namespace sc = platform::syscolor;
    ClassicPalette p;
    p.face = SystemColor(sc::BtnFace);
    p.shadow = SystemColor(sc::BtnShadow);
    p.highlight = SystemColor(sc::BtnHighlight);
    p.darkShadow = SystemColor(sc::DarkShadow);
    p.light = SystemColor(sc::Light);
    p.window = SystemColor(sc::Window);
    p.windowText = SystemColor(sc::WindowText);
    p.grayText = SystemColor(sc::GrayText);
    p.selection = SystemColor(sc::Highlight);
    p.selectionText = SystemColor(sc::HighlightText);
    p.menu = SystemColor(sc::Menu);
    p.menuText = SystemColor(sc::MenuText);
    p.frame = SystemColor(sc::WindowFrame);
    return p;
}
