#include "forms/TButton.h"

#include "forms/ClassicLook.h"
#include "platform/Desktop.h"
#include "forms/TCustomForm.h"

F2_DEFINE_CLASS(TButton, TCustomControl, F2_FACTORY(TButton))
{
    c.Property("Caption", &TButton::Caption, &TButton::SetCaption);
    c.Property("Default", &TButton::Default, &TButton::SetDefault).Default(0);
    c.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(0);
}

TButton::TButton(TComponent* owner) : TCustomControl(owner)
{
    InitBounds(75, 25);
    SetTabStop(true);
    SetColor(clBtnFace);
    SetClickEvents(false);
}

void TButton::SetDefault(bool value)
{
    if (value == default_)
        return;
    default_ = value;
    Invalidate();
}

bool TButton::IsActive() const
{
    if (Focused())
        return true;
    if (!default_)
        return false;
    const TCustomForm* form = ParentForm();
    return !(form && dynamic_cast<TButton*>(form->FocusedControl()));
}

bool TButton::DialogKey(uint16_t key, TShiftState shift)
{
    const bool press = (key == platform::vk::Return && IsActive()) || (key == platform::vk::Escape && cancel_);
    if (press && shift.IsEmpty() && CanFocus()) {
        Click();
        return true;
    }
    return false;
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
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

void TButton::MouseMove(TShiftState shift, int x, int y)
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

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && tracking_) {
        const bool clicked = ClientRect().Contains({x, y});
        Reset();
        if (clicked)
            Click();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::CancelMode()
{
    Reset();
    TCustomControl::CancelMode();
}

void TButton::Reset()
{
    if (tracking_ || spaceDown_)
        Invalidate();
    tracking_ = inside_ = spaceDown_ = false;
}

void TButton::KeyDownDefault(uint16_t key, TShiftState)
{
    if (key == platform::vk::Space && !spaceDown_) {
        spaceDown_ = true;
        Invalidate();
    }
}

void TButton::KeyUpDefault(uint16_t key, TShiftState)
{
    if (key == platform::vk::Space && spaceDown_) {
        Reset();
        Click();
    }
}

void TButton::FocusGained()
{
    // The default button's frame depends on which button has the focus.
    if (TCustomForm* form = ParentForm())
        form->Invalidate();
}

void TButton::FocusLost()
{
    Reset();
    if (TCustomForm* form = ParentForm())
        form->Invalidate();
}

void TButton::Paint()
{
    TCanvas& canvas = *Canvas();
    platform::DeviceContext& dc = canvas.Handle();
    ClassicLook look(dc);
    ButtonLook state;
    state.pressed = DrawnPressed();
    state.isDefault = IsActive() && Enabled();
    state.focused = Focused();
    const platform::Rect face = look.DrawButtonFace(ClientRect(), state);
    const std::string text = Caption();
    if (text.empty())
        return;
    canvas.SetFont(Font());
    const platform::Size size = canvas.TextExtent(text);
    platform::DeviceContext& textDc = canvas.Handle();
    textDc.SetBackMode(platform::BackgroundMode::Transparent);
    textDc.SetTextAlign(platform::textalign::Left | platform::textalign::Top);
    const int x = face.left + (face.Width() - size.cx) / 2;
    const int y = face.top + (face.Height() - size.cy) / 2;
    if (Enabled())
        textDc.TextOut(x, y, text);
    else
        look.DrawDisabledText(x, y, text);
}
