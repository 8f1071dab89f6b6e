#pragma once
// A control with a window handle: it can hold the keyboard focus, contain other controls and
// take part in the tab order. Handles live in the HandleRegistry, so queued messages name
// their target by handle. Painting of a whole subtree (the control, then its graphic children,
// then its windowed children) is PaintTree, driven by the form.
//
// Keyboard pre-handling (CN_KEYDOWN, before translation into characters):
//   OnKeyDown runs (a handler that sets the key to 0 takes the keystroke);
//   then, unless the control wants the key itself (WM_GETDLGCODE), the form gets CM_DIALOGKEY
//   (Tab, arrows, Enter for the default button, Escape for a cancel button).
// A character (WM_CHAR) then runs OnKeyPress; a key set to 0 there discards the character,
// otherwise KeyChar() lets the control act on it.

#include "forms/TControl.h"

#include <functional>
#include <vector>

namespace platform {
class DeviceContext;
}

class TWinControl : public TControl {
    F2_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle() const { return handle_; }

    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const;   // EListError for a bad index
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Moves a child control to the given place in the child list (z-order), clamped.
    void SetChildOrder(TComponent* child, int order) override;
    // The control at a client point: the topmost visible child (windowed ones above graphic
    // ones, later ones above earlier ones), nullptr when none.
    TControl* ControlAtPos(platform::Point client, bool allowDisabled, bool allowWinControls = true) const;

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // The windowed children in tab order.
    const std::vector<TWinControl*>& TabList() const { return tabList_; }
    // Every windowed descendant in tab order (each child followed by its own children).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;

    bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const;
    // The next (or previous) control in tab order after current, among this control's
    // descendants, wrapping around; checkTabStop skips controls whose TabStop is off.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
    // The next (or previous) of this control's own children after current in tab order,
    // wrapping around, that can take the focus and that accept takes; nullptr when none.
    TWinControl* FindNextChild(const TWinControl* current, bool forward,
                               const std::function<bool(const TWinControl&)>& accept) const;
    // Whether an arrow key on a sibling may leave the focus here. A control holding others
    // passes: its children are not siblings of the control the arrow was pressed on.
    virtual bool ArrowStop() const { return controls_.empty(); }

    const TNotifyEvent& OnEnter() const { return onEnter_; }
    void SetOnEnter(const TNotifyEvent& handler) { onEnter_ = handler; }
    const TNotifyEvent& OnExit() const { return onExit_; }
    void SetOnExit(const TNotifyEvent& handler) { onExit_ = handler; }
    const TKeyEvent& OnKeyDown() const { return onKeyDown_; }
    void SetOnKeyDown(const TKeyEvent& handler) { onKeyDown_ = handler; }
    const TKeyEvent& OnKeyUp() const { return onKeyUp_; }
    void SetOnKeyUp(const TKeyEvent& handler) { onKeyUp_ = handler; }
    const TKeyPressEvent& OnKeyPress() const { return onKeyPress_; }
    void SetOnKeyPress(const TKeyPressEvent& handler) { onKeyPress_ = handler; }

    // Places the docked and anchored children for the current client size (see ChildLayout).
    // Does nothing while the control is being read from a layout; Loaded places them.
    void Realign();

    // Paints this control and its children where they meet area (form coordinates).
    void PaintTree(platform::DeviceContext& dc, const platform::Rect& area);

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void Loaded() override;
    void ChangeScale(int m, int d) override;

protected:
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // The character after OnKeyPress let it through (code point, possibly replaced).
    virtual void KeyChar(uint32_t) {}
    // The key after pre-handling, as the control's own window procedure sees it.
    virtual void KeyDownDefault(uint16_t key, TShiftState shift);
    virtual void KeyUpDefault(uint16_t, TShiftState) {}
    virtual intptr_t DialogCode() const { return 0; }
    virtual void DoEnter();
    virtual void DoExit();
    virtual void FocusGained() { Invalidate(); }
    virtual void FocusLost() { Invalidate(); }
    // Answers CM_DIALOGKEY: true when the key was used. The default offers it to the children.
    virtual bool DialogKey(uint16_t key, TShiftState shift);
    virtual bool DialogChar(uint32_t ch);
    // The erase-background step of painting: fills the client area with Color.
    virtual void EraseBackground(platform::DeviceContext& dc);
    // Paints the control itself (children follow); dc has this control's origin and clip.
    virtual void PaintWindow(platform::DeviceContext&) {}
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void ArrangeChildren() override { Realign(); }

private:
    friend class TCustomForm;
    void FixupTabList();
    void UpdateTabOrder(int order);
    void PaintSelf(platform::DeviceContext& dc, const platform::Rect& area);
    bool DoKeyDown(TMessage& message);
    bool ForwardToGraphicChild(TMessage& message);
    bool DoKeyPress(TMessage& message);
    // The form that sees this control's keys first (KeyPreview), if any.
    TWinControl* PreviewForm() const;

    HWND handle_ = 0;
    std::vector<TControl*> controls_;     // z-order: later on top
    std::vector<TWinControl*> tabList_;   // windowed children in tab order
    int pendingTabOrder_ = -1;            // TabOrder read from a layout, applied in Loaded
    bool tabStop_ = false;
    bool aligning_ = false;
    TNotifyEvent onEnter_;
    TNotifyEvent onExit_;
    TKeyEvent onKeyDown_;
    TKeyEvent onKeyUp_;
    TKeyPressEvent onKeyPress_;
};

