#include "forms/TGroupBox.h"

#include "forms/ClassicLook.h"
#include "platform/Desktop.h"

F2_DEFINE_CLASS(TGroupBox, TCustomControl, F2_FACTORY(TGroupBox))
{
    c.Property("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption);
}

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner)
{
    InitBounds(185, 105);
    SetParentColor(true);
}

void TGroupBox::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    const std::string text = Caption();
    const platform::Size size = text.empty() ? platform::Size{0, TextSize(*Font(), "0").cy} : canvas.TextExtent(text);
    platform::DeviceContext& dc = canvas.Handle();
    ClassicLook look(dc);
    const platform::Rect captionRect = look.DrawGroupFrame(ClientRect(), size.cx, size.cy);
    if (text.empty())
        return;
    dc.SetBackMode(platform::BackgroundMode::Transparent);
    dc.SetTextAlign(platform::textalign::Left | platform::textalign::Top);
    if (Enabled())
        dc.TextOut(captionRect.left, captionRect.top, text);
    else
        look.DrawDisabledText(captionRect.left, captionRect.top, text);
}
