#pragma once
// The layer of a form in which a popup lives while it is open: a popup (context) menu or the
// list of a drop-down box, one at a time. It draws the popup over every control of the form and
// takes the form's mouse and keyboard input until the popup closes, so that no control sees a
// click or a keystroke meant for it.
//
//   input while open                    effect
//   ---------------------------------   ------------------------------------------------------
//   mouse move / button / key-down      handed to the popup's state machine
//   wheel                               handed to the popup (a list scrolls)
//   key-up, character                   swallowed
//   a choice                            WM_COMMAND (item id) to the control that opened it,
//                                       if it still exists and is enabled; or, for a menu
//                                       opened with a handler, that handler
//   button-down that closed the menu    its button-up is swallowed as well (the click that
//   (outside it), key-down that         dismisses a menu is nobody else's), and so is the
//   closed it                           key-up of that key
//
// Repainting: every change of the menu's look invalidates its rectangle on the form; the form
// paints its controls there, then the layer on top.

#include "forms/DropDownList.h"
#include "forms/Messages.h"
#include "forms/PopupMenu.h"
#include "forms/TFont.h"
#include "platform/DeviceContext.h"

#include <functional>

class TCustomForm;
class TWinControl;

class TPopupLayer {
public:
    explicit TPopupLayer(TCustomForm& form) : form_(form) {}
    TPopupLayer(const TPopupLayer&) = delete;
    TPopupLayer& operator=(const TPopupLayer&) = delete;

    // Opens menu with its top-left corner at `at` (form client coordinates), kept inside the
    // form. A popup that is already open is closed first.
    void Open(PopupMenu menu, platform::Point at, TWinControl* target);
    // The same, with the choice going to `chosen` instead of a control. `owner` names who
    // gave the handler, so that it can take it back (Forget) before it goes away.
    void Open(PopupMenu menu, platform::Point at, std::function<void(int)> chosen, const void* owner);
    // Opens a drop-down list that the caller has placed (DropDownList::Open); the chosen
    // index comes back to target as WM_COMMAND.
    void OpenList(DropDownList list, TWinControl* target);
    void Close();
    // Closes the popup if owner opened it, and drops its handler.
    void Forget(const void* owner);
    bool IsOpen() const { return Content().IsOpen(); }
    bool IsMenuOpen() const { return showing_ == &menu_ && menu_.IsOpen(); }
    bool IsListOpen() const { return showing_ == &list_ && list_.IsOpen(); }
    // Who gave the handler of the open menu (nullptr when a control gets the choice).
    const void* Owner() const { return owner_; }
    // Whether the open popup was opened for this control.
    bool IsOpenFor(const TWinControl* control) const;
    const PopupMenu& Menu() const { return menu_; }
    const DropDownList& List() const { return list_; }
    // The font the menu is drawn in: the desktop's menu font, not the form's.
    const TFont& Font() const { return font_; }

    // Offers a queued input message of this form to the layer; true when the layer took it.
    bool HandleInput(const TMsg& msg);
    // Paints the open menu where it meets area (form coordinates).
    void Paint(platform::DeviceContext& dc, const platform::Rect& area) const;

private:
    // Makes content (just opened) the one shown, for target; no chosen callback yet.
    void Show(PopupContent& content, TWinControl* target);
    void Apply(const PopupResult& result, const platform::Rect& before);
    bool TakeRelease(const TMsg& msg);
    PopupContent& Content() { return *showing_; }
    const PopupContent& Content() const { return *showing_; }

    TCustomForm& form_;
    PopupMenu menu_;
    DropDownList list_;
    PopupContent* showing_ = &menu_;   // the kind opened last
    HWND target_ = 0;
    std::function<void(int)> chosen_;
    const void* owner_ = nullptr;
    TFont font_;
    // The release (button-up message, or key-up with its key) still owed to the layer.
    uint32_t pendingRelease_ = 0;
    uintptr_t pendingKey_ = 0;
};
