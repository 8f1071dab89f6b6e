#include "tests/fuzz/targets/FuzzComponents.h"

#include <algorithm>

namespace fuzz {

int& FuzzCounters::Alive()
{
    static int count = 0;
    return count;
}

int& FuzzCounters::LoadedCalls()
{
    static int count = 0;
    return count;
}

TFuzzWidget::TFuzzWidget(TComponent* owner)
    : TComponent(owner), entries_(std::make_unique<TCollection>([](TCollection* c) { return new TFuzzItem(c); }))
{
    ++FuzzCounters::Alive();
}

TFuzzWidget::~TFuzzWidget()
{
    if (parent_)
        std::erase(parent_->children_, this);
    for (TFuzzWidget* child : children_)
        child->parent_ = nullptr;
    --FuzzCounters::Alive();
}

void TFuzzWidget::SetPartner(TFuzzWidget* v)
{
    // The partner may live elsewhere (another root): hear of its end.
    if (partner_)
        partner_->RemoveFreeNotification(this);
    partner_ = v;
    if (partner_)
        partner_->FreeNotification(this);
}

void TFuzzWidget::SetParentComponent(TComponent* parent)
{
    if (parent_)
        std::erase(parent_->children_, this);
    parent_ = dynamic_cast<TFuzzWidget*>(parent);
    if (parent_)
        parent_->children_.push_back(this);
}

void TFuzzWidget::Loaded()
{
    TComponent::Loaded();
    ++FuzzCounters::LoadedCalls();
}

void TFuzzWidget::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == partner_)
        partner_ = nullptr;
}

TFuzzForm::TFuzzForm(TComponent* owner) : TComponent(owner)
{
    ++FuzzCounters::Alive();
    RegisterGlobalComponent(this);
}

TFuzzForm::~TFuzzForm()
{
    UnregisterGlobalComponent(this);
    DestroyComponents();
    --FuzzCounters::Alive();
}

void TFuzzForm::SetActiveControl(TFuzzWidget* v)
{
    if (activeControl_)
        activeControl_->RemoveFreeNotification(this);
    activeControl_ = v;
    if (activeControl_)
        activeControl_->FreeNotification(this);
}

void TFuzzForm::Loaded()
{
    TComponent::Loaded();
    ++FuzzCounters::LoadedCalls();
}

void TFuzzForm::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == activeControl_)
        activeControl_ = nullptr;
}

// The descriptions stay inside the namespace: a member is defined where its class lives.
F2_DEFINE_CLASS(TFuzzItem, TCollectionItem, F2_NO_FACTORY)
{
    c.Property("Caption", &TFuzzItem::Caption, &TFuzzItem::SetCaption);
    c.Property("Width", &TFuzzItem::Width, &TFuzzItem::SetWidth);
    c.Property("Partner", &TFuzzItem::Partner, &TFuzzItem::SetPartner);
}

F2_DEFINE_CLASS(TFuzzWidget, TComponent, F2_FACTORY(TFuzzWidget))
{
    c.Property("Left", &TFuzzWidget::Left, &TFuzzWidget::SetLeft);
    c.Property("Caption", &TFuzzWidget::Caption, &TFuzzWidget::SetCaption);
    c.Property("Shade", &TFuzzWidget::Shade, &TFuzzWidget::SetShade);
    c.Property("Traits", &TFuzzWidget::Traits, &TFuzzWidget::SetTraits);
    c.Property("Ratio", &TFuzzWidget::Ratio, &TFuzzWidget::SetRatio);
    c.Property("Precise", &TFuzzWidget::Precise, &TFuzzWidget::SetPrecise);
    c.Property("Big", &TFuzzWidget::Big, &TFuzzWidget::SetBig);
    c.Property("Letter", &TFuzzWidget::Letter, &TFuzzWidget::SetLetter);
    c.Property("Flag", &TFuzzWidget::Flag, &TFuzzWidget::SetFlag);
    c.Property("Color", &TFuzzWidget::Color, &TFuzzWidget::SetColor);
    c.Property("Cursor", &TFuzzWidget::Cursor, &TFuzzWidget::SetCursor);
    c.Property("Value", &TFuzzWidget::Value, &TFuzzWidget::SetValue);
    c.Property("Partner", &TFuzzWidget::Partner, &TFuzzWidget::SetPartner);
    c.Property("OnClick", &TFuzzWidget::OnClick, &TFuzzWidget::SetOnClick);
    c.Property("OnTick", &TFuzzWidget::OnTick, &TFuzzWidget::SetOnTick);
    c.Property("Font", &TFuzzWidget::Font);
    c.Property("Lines", &TFuzzWidget::Lines);
    c.Property("Picture", &TFuzzWidget::Picture);
    c.Property("Entries", &TFuzzWidget::Entries, &TFuzzWidget::SetEntries);
    c.Property("ReadOnly", &TFuzzWidget::Left);
}

F2_DEFINE_CLASS(TFuzzPanel, TFuzzWidget, F2_FACTORY(TFuzzPanel)) {}

F2_DEFINE_CLASS(TFuzzForm, TComponent, F2_FACTORY(TFuzzForm))
{
    c.Property("Left", &TFuzzForm::Left, &TFuzzForm::SetLeft);
    c.Property("Caption", &TFuzzForm::Caption, &TFuzzForm::SetCaption);
    c.Property("Color", &TFuzzForm::Color, &TFuzzForm::SetColor);
    c.Property("Font", &TFuzzForm::Font);
    c.Property("ActiveControl", &TFuzzForm::ActiveControl, &TFuzzForm::SetActiveControl);
    c.Property("OnShow", &TFuzzForm::OnShow, &TFuzzForm::SetOnShow);
    c.Field("Widget1", &TFuzzForm::Widget1);
    c.Field("Widget2", &TFuzzForm::Widget2);
    c.Field("Edit1", &TFuzzForm::Edit1);
    c.Method("FormShow", &TFuzzForm::FormShow);
    c.Method("WidgetClick", &TFuzzForm::WidgetClick);
    c.Method("WidgetTick", &TFuzzForm::WidgetTick);
}

} // namespace fuzz
