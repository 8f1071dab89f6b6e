#include "forms/TRadioButton.h"

#include "forms/ClassicLook.h"
#include "platform/Desktop.h"

#include <algorithm>

F2_DEFINE_CLASS(TRadioButton, TButtonControl, F2_FACTORY(TRadioButton))
{
    c.Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
    c.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(0);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner)
{
    InitBounds(113, 17);
    SetParentColor(true);
}

void TRadioButton::SetChecked(bool value)
{
    if (value == checked_)
        return;
    checked_ = value;
    SetTabStop(value);
    Invalidate();
    if (!value)
        return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
                sibling->SetChecked(false);
    Click();
}

TRadioButton* TRadioButton::NextInGroup(bool forward) const
{
    TWinControl* parent = Parent();
    if (!parent)
        return nullptr;
    const auto isRadio = [](const TWinControl& sibling) {
        return dynamic_cast<const TRadioButton*>(&sibling) != nullptr;
    };
    return static_cast<TRadioButton*>(parent->FindNextChild(this, forward, isRadio));
}

void TRadioButton::KeyDownDefault(uint16_t key, TShiftState shift)
{
    namespace vk = platform::vk;
    if (key == vk::Left || key == vk::Up || key == vk::Right || key == vk::Down) {
        if (TRadioButton* next = NextInGroup(key == vk::Right || key == vk::Down)) {
            next->SetFocus();
            next->SetChecked(true);
        }
        return;
    }
    TButtonControl::KeyDownDefault(key, shift);
}

void TRadioButton::Paint()
{
    TCanvas& canvas = *Canvas();
    platform::DeviceContext& dc = canvas.Handle();
    const platform::Rect client = ClientRect();
    dc.FillRect(client, platform::BrushSpec{ColorToPixel(Color()), platform::BrushStyle::Solid});
    ClassicLook look(dc);
    const int zoom = PixelZoom();
    const int cell = ClassicLook::kRadioSize * zoom;
    look.DrawRadio(0, (client.Height() - cell) / 2, checked_, Enabled(), zoom);
    const std::optional<platform::Rect> text = DrawCaption([&](platform::Size size) {
        return platform::Point{cell + 4 * zoom, (client.Height() - size.cy) / 2};
    });
    if (text && Focused())
        look.DrawFocusRect({text->left - 1, text->top, std::min(text->right + 1, client.right),
                            std::min(text->bottom, client.bottom)});
}
