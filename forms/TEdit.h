#pragma once
// A single-line edit box over an EditBuffer (text, caret, selection, undo, clipboard).
// The keystroke order is the framework's: OnKeyDown (pre-handling), then the edit's own key
// handling (navigation, Delete, Shift+Insert / Ctrl+Insert / Shift+Delete), then for a
// character OnKeyPress (a 0 discards it), then the edit changes and OnChange runs, only when
// the text really changed. Text set from code runs OnChange only, and only on a change.
// Focus by keyboard or code selects the whole text; a mouse click places the caret.
// A disabled edit keeps its background colour and shows its text in the grey of disabled text.
// A paste with nothing pasteable (an empty clipboard, an empty first line) changes nothing.
// The right button (released over the edit), the context-menu key and Shift+F10 open the
// classic edit menu in the form's popup layer; its choice comes back as WM_COMMAND and edits
// the buffer directly, so that OnKeyPress never sees it and OnChange runs on a real change only.

#include "forms/EditBuffer.h"
#include "forms/TCustomControl.h"

class TCustomEdit : public TCustomControl {
    F2_CLASS(TCustomEdit, TCustomControl)
public:
    explicit TCustomEdit(TComponent* owner);

    std::string GetText() const override { return buffer_.Text(); }
    void SetText(const std::string& text) override;
    int MaxLength() const { return buffer_.MaxLength(); }
    void SetMaxLength(int value) { buffer_.SetMaxLength(value); }
    bool ReadOnly() const { return buffer_.ReadOnly(); }
    void SetReadOnly(bool value) { buffer_.SetReadOnly(value); }
    int SelStart() const { return buffer_.SelStart(); }
    int SelLength() const { return buffer_.SelLength(); }
    std::string SelText() const { return buffer_.SelText(); }
    void Select(int start, int length);
    void SelectAll();
    const EditBuffer& Buffer() const { return buffer_; }
    // Opens the edit menu with its corner at a point of the edit's client area.
    void OpenContextMenu(platform::Point at);

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }

protected:
    virtual void Change();
    void Paint() override;
    void KeyDownDefault(uint16_t key, TShiftState shift) override;
    void KeyChar(uint32_t ch) override;
    intptr_t DialogCode() const override { return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void FocusGained() override;
    void FocusLost() override;
    void Dispatch(TMessage& message) override;

private:
    platform::Rect TextArea() const;   // inside the sunken edge
    TextMeasure Measure() const;
    void Edited(bool changed);

    EditBuffer buffer_;
    bool focusingByMouse_ = false;
    TNotifyEvent onChange_;
};

class TEdit : public TCustomEdit {
    F2_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};
