#include "forms/TButton.h"

#include "forms/ClassicLook.h"
#include "platform/Desktop.h"
#include "forms/TCustomForm.h"

F2_DEFINE_CLASS(TButton, TButtonControl, F2_FACTORY(TButton))
{
    c.Property("Caption", &TButton::Caption, &TButton::SetCaption);
    c.Property("Default", &TButton::Default, &TButton::SetDefault).Default(0);
    c.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(0);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner)
{
    InitBounds(75, 25);
    SetTabStop(true);
    SetColor(clBtnFace);
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

void TButton::FocusGained()
{
    // The default button's frame depends on which button has the focus.
    if (TCustomForm* form = ParentForm())
        form->Invalidate();
}

void TButton::FocusLost()
{
    TButtonControl::FocusLost();
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
    DrawCaption([&face](platform::Size size) {
        return platform::Point{face.left + (face.Width() - size.cx) / 2, face.top + (face.Height() - size.cy) / 2};
    });
}
