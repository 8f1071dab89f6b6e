#include "forms/TPopupMenu.h"

#include "forms/HandleRegistry.h"
#include "forms/TControl.h"
#include "forms/TCustomForm.h"
#include "forms/TMenuItem.h"
#include "forms/TPopupLayer.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

#include <algorithm>

F2_DEFINE_CLASS(TPopupMenu, TComponent, F2_FACTORY(TPopupMenu))
{
    c.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(1);
    c.Property("OnPopup", &TPopupMenu::OnPopup, &TPopupMenu::SetOnPopup);
}

TPopupMenu::~TPopupMenu()
{
    // An open menu must not call back into a menu that is gone.
    if (auto* form = dynamic_cast<TCustomForm*>(HandleRegistry::Find(openOn_)))
        form->PopupLayer().Forget(this);
    // Items owned elsewhere (by the window that read them) stay, outside any menu.
    for (TMenuItem* item : items_)
        item->menu_ = nullptr;
    items_.clear();
    shown_.clear();
    SetPopupComponent(nullptr);
}

TMenuItem* TPopupMenu::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return items_[size_t(index)];
}

TMenuItem* TPopupMenu::Add(const std::string& caption, const TNotifyEvent& onClick)
{
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    item->SetOnClick(onClick);
    Insert(item);
    return item;
}

void TPopupMenu::Insert(TMenuItem* item)
{
    if (!item || item->menu_ == this)
        return;
    if (item->menu_)
        item->menu_->Remove(item);
    items_.push_back(item);
    item->menu_ = this;
}

void TPopupMenu::Remove(TMenuItem* item)
{
    std::replace(shown_.begin(), shown_.end(), item, static_cast<TMenuItem*>(nullptr));
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->menu_ = nullptr;
}

int TPopupMenu::IndexOf(const TMenuItem* item) const
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

void TPopupMenu::SetPopupComponent(TControl* control)
{
    if (control == popupComponent_)
        return;
    if (popupComponent_)
        RemoveFreeNotification(popupComponent_);
    popupComponent_ = control;
    if (control)
        FreeNotification(control);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component && component == popupComponent_)
        popupComponent_ = nullptr;
}

bool TPopupMenu::Popup(TControl* control, platform::Point at)
{
    if (!control || !control->Showing() || !control->Enabled())
        return false;
    TCustomForm* form = control->ParentForm();
    if (!form)
        return false;
    SetPopupComponent(control);
    if (onPopup_)
        onPopup_(this);
    // The handler may have hidden or disabled the control, or emptied the menu.
    if (popupComponent_ != control || !control->Showing() || !control->Enabled())
        return false;
    PopupMenu shown;
    shown_.clear();
    for (TMenuItem* item : items_) {
        if (!item->Visible())
            continue;
        if (item->IsSeparator()) {
            shown.AddSeparator();
        } else {
            shown.AddItem(item->Caption(), int(shown_.size()), item->Enabled());
            shown_.push_back(item);
        }
    }
    if (shown.Count() == 0)
        return false;
    const platform::Point origin = control->ClientOrigin();
    form->PopupLayer().Open(std::move(shown), {origin.x + at.x, origin.y + at.y}, [this](int index) { Chosen(index); },
                            this);
    openOn_ = form->Handle();
    return true;
}

bool TPopupMenu::IsOpen() const
{
    auto* form = dynamic_cast<TCustomForm*>(HandleRegistry::Find(openOn_));
    return form && form->PopupLayer().IsMenuOpen() && form->PopupLayer().Owner() == this;
}

void TPopupMenu::Chosen(int id)
{
    openOn_ = 0;
    // Items may have gone (or been taken out of this menu) while it was open; such an item
    // is chosen no more.
    TMenuItem* item = id >= 0 && id < int(shown_.size()) ? shown_[size_t(id)] : nullptr;
    shown_.clear();
    if (item && IndexOf(item) >= 0)
        item->Click();
}
