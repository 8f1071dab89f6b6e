#pragma once
// A push button. Enter presses the default button (when no other button has the focus) or
// the focused button; Escape presses a cancel button; Space presses the focused button.
//
// Interaction state (drawn pressed = pressed && pointer inside, or space held):
//   idle       left down                 -> tracking (capture, focus)
//   tracking   move                      -> tracking, inside updated
//   tracking   left up inside / outside  -> idle, Click / nothing
//   idle       Space down (focused)      -> space
//   space      Space up                  -> idle, Click
//   any        cancel mode, focus lost   -> idle

#include "forms/TCustomControl.h"

class TButton : public TCustomControl {
    F2_CLASS(TButton, TCustomControl)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // Enter presses this button now: it has the focus, or it is the default button and no
    // other button has the focus.
    bool IsActive() const;
    bool DrawnPressed() const { return (tracking_ && inside_) || spaceDown_; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CancelMode() override;
    void KeyDownDefault(uint16_t key, TShiftState shift) override;
    void KeyUpDefault(uint16_t key, TShiftState shift) override;
    intptr_t DialogCode() const override { return DLGC_BUTTON; }
    bool DialogKey(uint16_t key, TShiftState shift) override;
    void FocusGained() override;
    void FocusLost() override;

private:
    void Reset();

    bool default_ = false;
    bool cancel_ = false;
    bool tracking_ = false;
    bool inside_ = false;
    bool spaceDown_ = false;
};
