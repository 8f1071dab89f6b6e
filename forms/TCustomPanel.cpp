#include "forms/TCustomPanel.h"

#include "forms/ClassicLook.h"

F2_DEFINE_CLASS(TCustomPanel, TCustomControl, F2_NO_FACTORY)
{
    c.Property("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).Default(bvRaised);
    c.Property("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).Default(bvNone);
    c.Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1);
    c.Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0);
}

F2_DEFINE_CLASS(TPanel, TCustomPanel, F2_FACTORY(TPanel))
{
    c.Property("Caption", &TPanel::Caption, &TPanel::SetCaption);
    c.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter);
}

namespace {
BevelKind KindOf(TBevelCut cut)
{
    switch (cut) {
    case bvLowered: return BevelKind::Lowered;
    case bvRaised: return BevelKind::Raised;
    case bvSpace: return BevelKind::Space;
    default: return BevelKind::None;
    }
}
} // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    InitBounds(185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetBevelWidth(int value)
{
    if (value < 1)
        value = 1;
    if (value == bevelWidth_)
        return;
    bevelWidth_ = value;
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int value)
{
    if (value < 0)
        value = 0;
    if (value == borderWidth_)
        return;
    borderWidth_ = value;
    Invalidate();
}

void TCustomPanel::Paint()
{
    TCanvas& canvas = *Canvas();
    platform::DeviceContext& dc = canvas.Handle();
    ClassicLook look(dc);
    const platform::Pixel face = ColorToPixel(Color());
    platform::Rect r = ClientRect();
    if (bevelOuter_ != bvNone)
        r = look.DrawBevel(r, KindOf(bevelOuter_), bevelWidth_);
    if (borderWidth_ > 0)
        r = look.Frame3D(r, face, face, borderWidth_);
    if (bevelInner_ != bvNone)
        r = look.DrawBevel(r, KindOf(bevelInner_), bevelWidth_);
    dc.FillRect(r, platform::BrushSpec{face, platform::BrushStyle::Solid});
    const std::string text = Caption();
    if (text.empty())
        return;
    canvas.SetFont(Font());
    const platform::Size size = canvas.TextExtent(text);
    int x = r.left;
    if (alignment_ == taCenter)
        x = r.left + (r.Width() - size.cx) / 2;
    else if (alignment_ == taRightJustify)
        x = r.right - size.cx;
    platform::DeviceContext& text_dc = canvas.Handle();
    text_dc.SetBackMode(platform::BackgroundMode::Transparent);
    text_dc.SetTextAlign(platform::textalign::Left | platform::textalign::Top);
    text_dc.TextOut(x, r.top + (r.Height() - size.cy) / 2, text);
}
