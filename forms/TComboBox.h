#pragma once
// A drop-down box: a sunken field with a button that opens a list of items over the window.
// Style csDropDownList lets the user only choose an item; csDropDown also lets them type any
// text in the field (a value such as "2.2M"), with the list as a help.
//
// The list lives in the form's popup layer, like a popup menu: it opens on a click on the
// button (anywhere on a csDropDownList box), on F4 and on Alt+Down or Alt+Up, and closes on a
// choice, Escape, Enter, a click outside it, or when the box loses the focus.
//
// Keyboard on the closed box: Up / Down (and Page Up / Page Down) move to the previous / next
// item without opening the list, stopping at the ends; so do Home / End in a csDropDownList
// box (in a csDropDown box they move the caret, as in any edit field); typing a letter in a
// csDropDownList box moves to the next item that starts with it, wrapping. The wheel moves
// like Up / Down. Tab, Enter and Escape are left to the window (focus, default and cancel
// buttons).
//
// Events: OnChange whenever the user changes the text or the item (never for changes made by
// code: setting Text, ItemIndex or Items raises nothing, as classic drop-down boxes behave);
// OnSelect after the user chose an item from the list (even the one already shown) or moved to
// another item by keyboard or wheel; OnDropDown just before the list opens (it may fill Items).
//
// Reading a layout: Items, ItemIndex and Text may come in any order; the item and text are
// settled once the whole layout has been read.

#include "forms/EditBuffer.h"
#include "forms/TCustomControl.h"

#include <memory>

struct ClassicPalette;
class TStringList;
class TStrings;

enum TComboBoxStyle { csDropDown, csDropDownList };
F2_ENUM_TYPE(TComboBoxStyle, "csDropDown", "csDropDownList");

class TCustomComboBox : public TCustomControl {
    F2_CLASS(TCustomComboBox, TCustomControl)
public:
    static constexpr int kButtonWidth = 16;   // the classic width of a scroll arrow button

    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    TStrings* Items() const;
    void SetItems(TStrings* items);
    // -1 when no item is chosen (or, in a csDropDown box, the text matches none).
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    std::string GetText() const override { return buffer_.Text(); }
    // csDropDown: the field shows the text and ItemIndex becomes the item equal to it (without
    // regard to ASCII case), else -1. csDropDownList: the item equal to it is chosen; a text
    // that is no item changes nothing.
    void SetText(const std::string& text) override;
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count);
    int MaxLength() const { return buffer_.MaxLength(); }
    void SetMaxLength(int value) { buffer_.SetMaxLength(value); }
    const EditBuffer& Buffer() const { return buffer_; }

    // Whether the list is open; setting it opens or closes the list.
    bool DroppedDown() const;
    void SetDroppedDown(bool value);

    // The button and the field inside the sunken edge (client coordinates).
    platform::Rect ButtonRect() const;
    platform::Rect FieldRect() const;

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }
    const TNotifyEvent& OnSelect() const { return onSelect_; }
    void SetOnSelect(const TNotifyEvent& handler) { onSelect_ = handler; }
    const TNotifyEvent& OnDropDown() const { return onDropDown_; }
    void SetOnDropDown(const TNotifyEvent& handler) { onDropDown_ = handler; }

    void Loaded() override;

protected:
    virtual void Change();
    virtual void Select();
    void Paint() override;
    void KeyDownDefault(uint16_t key, TShiftState shift) override;
    void KeyChar(uint32_t ch) override;
    intptr_t DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL; }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void FocusGained() override;
    void FocusLost() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void Resized() override;
    void Dispatch(TMessage& message) override;

private:
    // The item chosen by code or user, the text following it; no events.
    void ApplyIndex(int index);
    // An item the user moved to; OnChange when it changed, OnSelect when it changed or came
    // from the list.
    void SelectByUser(int index, bool fromList);
    void Edited(bool changed);
    void ItemsChanged();
    int MatchIndex(const std::string& text) const;
    int FindByInitial(char32_t ch) const;
    void DropDown();
    void CloseList();
    void ScrollCaret();
    platform::Rect TextArea() const;
    TextMeasure Measure() const;
    void PaintEditText(platform::DeviceContext& dc);
    void PaintListText(platform::DeviceContext& dc, const ClassicPalette& palette);

    std::unique_ptr<TStringList> items_;
    EditBuffer buffer_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
    int storedIndex_ = -1;          // ItemIndex read from a layout, settled in Loaded
    bool indexStored_ = false;
    bool focusingByMouse_ = false;
    TNotifyEvent onChange_;
    TNotifyEvent onSelect_;
    TNotifyEvent onDropDown_;
};

class TComboBox : public TCustomComboBox {
    F2_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};
