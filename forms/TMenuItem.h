#pragma once
// One item of a popup menu: caption, enabled and visible state, and the handler that runs when
// the user chooses it (the item is the sender; MenuIndex tells which one it is, so one handler
// can serve every item). The caption "-" makes a separator line. In a layout, items are the
// child components of their menu; each is also a component of the window, so the window's
// field of the same name points at it.

#include "forms/TComponent.h"
#include "forms/TNotifyEvent.h"

#include <string>

class TPopupMenu;

class TMenuItem : public TComponent {
    F2_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner) : TComponent(owner) {}
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    bool IsSeparator() const { return caption_ == "-"; }

    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& handler) { onClick_ = handler; }
    // Runs OnClick when the item is enabled (what choosing it does).
    void Click();

    // The menu the item belongs to, and its place there (-1 outside a menu).
    TPopupMenu* Menu() const { return menu_; }
    int MenuIndex() const;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

private:
    friend class TPopupMenu;
    TPopupMenu* menu_ = nullptr;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    TNotifyEvent onClick_;
};
