#pragma once
// A push button. Enter presses the default button (when no other button has the focus) or
// the focused button; Escape presses a cancel button; a completed press (mouse or Space, see
// TButtonControl) clicks.

#include "forms/TButtonControl.h"

class TButton : public TButtonControl {
    F2_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool value) { Store(default_, value); }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // Enter presses this button now: it has the focus, or it is the default button and no
    // other button has the focus.
    bool IsActive() const;

protected:
    void Paint() override;
    void Pressed() override { Click(); }
    intptr_t DialogCode() const override { return DLGC_BUTTON; }
    bool DialogKey(uint16_t key, TShiftState shift) override;
    void FocusGained() override;
    void FocusLost() override;

private:
    bool default_ = false;
    bool cancel_ = false;
};
