#include "forms/TButtonControl.h"

#include "forms/ClassicLook.h"
#include "platform/Desktop.h"

F2_DEFINE_CLASS(TButtonControl, TCustomControl, F2_NO_FACTORY) {}

TButtonControl::TButtonControl(TComponent* owner) : TCustomControl(owner)
{
    // A release over the control is not a click by itself: the press rules decide.
    SetClickEvents(false);
}

void TButtonControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        if (CanFocus() && !Focused())
            SetFocus();
        tracking_ = true;
        inside_ = true;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButtonControl::MouseMove(TShiftState shift, int x, int y)
{
    if (tracking_) {
        const bool inside = ClientRect().Contains({x, y});
        if (inside != inside_) {
            inside_ = inside;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TButtonControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && tracking_) {
        const bool completed = ClientRect().Contains({x, y});
        Reset();
        if (completed)
            Pressed();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TButtonControl::CancelMode()
{
    Reset();
    TCustomControl::CancelMode();
}

void TButtonControl::KeyDownDefault(uint16_t key, TShiftState)
{
    if (key == platform::vk::Space && !spaceDown_) {
        spaceDown_ = true;
        Invalidate();
    }
}

void TButtonControl::KeyUpDefault(uint16_t key, TShiftState)
{
    if (key == platform::vk::Space && spaceDown_) {
        Reset();
        Pressed();
    }
}

void TButtonControl::FocusLost()
{
    Reset();
    TCustomControl::FocusLost();
}

void TButtonControl::Reset()
{
    if (tracking_ || spaceDown_)
        Invalidate();
    tracking_ = inside_ = spaceDown_ = false;
}

std::optional<platform::Rect> TButtonControl::DrawCaption(const std::function<platform::Point(platform::Size)>& place)
{
    const std::string text = Caption();
    if (text.empty())
        return std::nullopt;
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    const platform::Size size = canvas.TextExtent(text);
    platform::DeviceContext& dc = canvas.Handle();
    dc.SetBackMode(platform::BackgroundMode::Transparent);
    dc.SetTextAlign(platform::textalign::Left | platform::textalign::Top);
    const platform::Point at = place(size);
    if (Enabled())
        dc.TextOut(at.x, at.y, text);
    else
        ClassicLook(dc).DrawDisabledText(at.x, at.y, text);
    return platform::Rect{at.x, at.y, at.x + size.cx, at.y + size.cy};
}
