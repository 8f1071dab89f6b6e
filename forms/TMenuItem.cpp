#include "forms/TMenuItem.h"

#include "forms/TPopupMenu.h"

F2_DEFINE_CLASS(TMenuItem, TComponent, F2_FACTORY(TMenuItem))
{
    c.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    c.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(1);
    c.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(1);
    c.Property("OnClick", &TMenuItem::OnClick, &TMenuItem::SetOnClick);
}

TMenuItem::~TMenuItem()
{
    if (menu_)
        menu_->Remove(this);
}

void TMenuItem::Click()
{
    if (enabled_ && onClick_)
        onClick_(this);
}

int TMenuItem::MenuIndex() const
{
    return menu_ ? menu_->IndexOf(this) : -1;
}

TComponent* TMenuItem::GetParentComponent() const
{
    return menu_;
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* menu = dynamic_cast<TPopupMenu*>(parent))
        menu->Insert(this);
}
