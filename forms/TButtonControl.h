#pragma once
// The press tracking that push buttons and radio buttons share: a press by the left mouse
// button or by the Space key, and the action a completed press carries out (Pressed: a push
// button clicks, a radio button checks itself). While the left button is held the control has
// the mouse capture (TControl takes it), so the release is seen wherever it happens. Drawing
// stays with the subclass, which reads DrawnPressed.
//
//   state      input                              next state, effect
//   ---------  ---------------------------------  ------------------------------------------
//   idle       left down                          tracking, inside (focus taken)
//   tracking   move                               tracking, inside updated
//   tracking   left up inside / outside           idle, Pressed / nothing
//   any        Space down (focused, not yet held) space held
//   space      Space up                           idle, Pressed
//   any        cancel mode, focus lost            idle
//
// Drawn pressed: tracking with the pointer inside, or the Space key held. Every change of
// that look repaints the control.

#include "forms/TCustomControl.h"

#include <functional>
#include <optional>

class TButtonControl : public TCustomControl {
    F2_CLASS(TButtonControl, TCustomControl)
public:
    bool DrawnPressed() const { return (tracking_ && inside_) || spaceDown_; }

protected:
    explicit TButtonControl(TComponent* owner);

    // What a completed press does.
    virtual void Pressed() = 0;
    // Draws the caption in the control's font over what is already there, with its top-left
    // corner where place puts it for the caption's size: in the text colour, or in the
    // embossed grey of disabled text. Returns the caption's rectangle; nothing without one.
    std::optional<platform::Rect> DrawCaption(const std::function<platform::Point(platform::Size)>& place);

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CancelMode() override;
    void KeyDownDefault(uint16_t key, TShiftState shift) override;
    void KeyUpDefault(uint16_t key, TShiftState shift) override;
    void FocusLost() override;

private:
    void Reset();

    bool tracking_ = false;
    bool inside_ = false;
    bool spaceDown_ = false;
};
