#pragma once
// A radio button. The radio buttons with the same parent form one exclusive group: checking
// one unchecks the others. OnClick runs only when a button turns from unchecked to checked
// (mouse, Space or arrows, or Checked set from code); clicking the checked one does nothing.
// Only the checked button of a group is a tab stop; arrow keys move within the group and check.
// A completed press (mouse or Space, see TButtonControl) checks the button.
// The arrows of other controls stop only at a checked one.

#include "forms/TButtonControl.h"

class TRadioButton : public TButtonControl {
    F2_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    void SetChecked(bool value);

protected:
    void Paint() override;
    void Pressed() override { SetChecked(true); }
    void KeyDownDefault(uint16_t key, TShiftState shift) override;
    intptr_t DialogCode() const override { return DLGC_BUTTON | DLGC_WANTARROWS; }
    // An arrow on another control passes an unchecked radio button: only the arrows of its own
    // group may move the focus onto it, and they check it as they do.
    bool ArrowStop() const override { return checked_; }

private:
    TRadioButton* NextInGroup(bool forward) const;

    bool checked_ = false;
};
