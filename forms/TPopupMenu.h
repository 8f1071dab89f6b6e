#pragma once
// A popup (context) menu a program attaches to controls through their PopupMenu property. A
// right-click on such a control, or the context-menu key / Shift+F10 while it has the focus,
// opens it at that point: OnPopup runs first (to enable, disable, hide or rename items), then
// the visible items are shown in the form's popup layer, drawn and driven like every popup menu
// of the framework. Choosing an enabled item runs its OnClick. PopupComponent tells the
// handlers which control the menu was opened for.

#include "forms/TComponent.h"
#include "forms/TNotifyEvent.h"
#include "platform/Raster.h"

#include <string>
#include <vector>

class TControl;
class TMenuItem;

class TPopupMenu : public TComponent {
    F2_CLASS(TPopupMenu, TComponent)
public:
    explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}
    ~TPopupMenu() override;

    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const;   // EListError for a bad index
    // A new item owned by the menu, appended.
    TMenuItem* Add(const std::string& caption, const TNotifyEvent& onClick = {});
    // Appends an existing item (taken from the menu it was in); Remove takes one out.
    void Insert(TMenuItem* item);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;

    // Off: the menu opens only through Popup, never by itself.
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    TControl* PopupComponent() const { return popupComponent_; }
    const TNotifyEvent& OnPopup() const { return onPopup_; }
    void SetOnPopup(const TNotifyEvent& handler) { onPopup_ = handler; }

    // Opens the menu for control with its corner at a point of the control's client area.
    // False (and nothing opens) when the control is not shown or disabled, or no item is
    // visible after OnPopup.
    bool Popup(TControl* control, platform::Point at);
    // Whether this menu is open now.
    bool IsOpen() const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Chosen(int index);
    void SetPopupComponent(TControl* control);

    std::vector<TMenuItem*> items_;
    std::vector<TMenuItem*> shown_;   // the items of the open menu, by the ids it was given
    bool autoPopup_ = true;
    TControl* popupComponent_ = nullptr;
    uint32_t openOn_ = 0;   // handle of the form whose layer shows the menu
    TNotifyEvent onPopup_;
};
