#pragma once
// The layer of a form in which a popup (context) menu lives while it is open. It draws the menu
// over every control of the form and takes the form's mouse and keyboard input until the menu
// closes, so that no control sees a click or a keystroke meant for the menu.
//
//   input while open                    effect
//   ---------------------------------   ------------------------------------------------------
//   mouse move / button / key-down      handed to the PopupMenu state machine
//   key-up, character, wheel            swallowed
//   a choice                            WM_COMMAND (item id) to the control that opened it,
//                                       if it still exists and is enabled
//   button-down that closed the menu    its button-up is swallowed as well (the click that
//   (outside it), key-down that         dismisses a menu is nobody else's), and so is the
//   closed it                           key-up of that key
//
// Repainting: every change of the menu's look invalidates its rectangle on the form; the form
// paints its controls there, then the layer on top.

#include "forms/Messages.h"
#include "forms/PopupMenu.h"
#include "forms/TFont.h"
#include "platform/DeviceContext.h"

class TCustomForm;
class TWinControl;

class TPopupLayer {
public:
    explicit TPopupLayer(TCustomForm& form) : form_(form) {}
    TPopupLayer(const TPopupLayer&) = delete;
    TPopupLayer& operator=(const TPopupLayer&) = delete;

    // Opens menu with its top-left corner at `at` (form client coordinates), kept inside the
    // form. A menu that is already open is closed first.
    void Open(PopupMenu menu, platform::Point at, TWinControl* target);
    void Close();
    bool IsOpen() const { return menu_.IsOpen(); }
    const PopupMenu& Menu() const { return menu_; }
    // The font the menu is drawn in: the desktop's menu font, not the form's.
    const TFont& Font() const { return font_; }

    // Offers a queued input message of this form to the layer; true when the layer took it.
    bool HandleInput(const TMsg& msg);
    // Paints the open menu where it meets area (form coordinates).
    void Paint(platform::DeviceContext& dc, const platform::Rect& area) const;

private:
    void Apply(const PopupResult& result, const platform::Rect& before);
    bool TakeRelease(const TMsg& msg);

    TCustomForm& form_;
    PopupMenu menu_;
    HWND target_ = 0;
    TFont font_;
    // The release (button-up message, or key-up with its key) still owed to the layer.
    uint32_t pendingRelease_ = 0;
    uintptr_t pendingKey_ = 0;
};
