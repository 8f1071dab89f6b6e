#include "tests/support/ReaderComponents.h"

namespace readerkit {

int& Census::Alive()
{
    static int count = 0;
    return count;
}

std::vector<std::string>& Census::Loaded()
{
    static std::vector<std::string> names;
    return names;
}

std::function<void(TComponent*)>& Census::OnLoaded()
{
    static std::function<void(TComponent*)> hook;
    return hook;
}

void Census::Reset()
{
    Loaded().clear();
    OnLoaded() = nullptr;
}

namespace {

void Log(TComponent* loaded)
{
    Census::Loaded().push_back(loaded->Name());
    if (Census::OnLoaded())
        Census::OnLoaded()(loaded);
}

} // namespace

TKitWidget::TKitWidget(TComponent* owner)
    : TComponent(owner), entries_(std::make_unique<TCollection>([](TCollection* c) { return new TKitItem(c); }))
{
    ++Census::Alive();
    lines_->SetOnChange([this](TObject*) { ++lineChanges; });
}

TKitWidget::~TKitWidget()
{
    if (parent_)
        std::erase(parent_->children, this);
    for (TKitWidget* child : children)
        child->parent_ = nullptr;
    --Census::Alive();
}

void TKitWidget::SetParentComponent(TComponent* parent)
{
    if (parent_)
        std::erase(parent_->children, this);
    parent_ = dynamic_cast<TKitWidget*>(parent);
    if (parent_)
        parent_->children.push_back(this);
}

void TKitWidget::Loaded()
{
    loadingWhileRead = loadingWhileRead || IsLoading();
    TComponent::Loaded();
    Log(this);
}

void TKitWidget::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    partner_.Forget(component, operation);
}

TKitForm::TKitForm(TComponent* owner) : TComponent(owner)
{
    ++Census::Alive();
    RegisterGlobalComponent(this);
}

TKitForm::~TKitForm()
{
    UnregisterGlobalComponent(this);
    DestroyComponents();
    --Census::Alive();
}

void TKitForm::Loaded()
{
    TComponent::Loaded();
    Log(this);
}

// The descriptions stay inside the namespace: a member is defined where its class lives.
F2_DEFINE_CLASS(TKitItem, TCollectionItem, F2_NO_FACTORY)
{
    c.Property("Caption", &TKitItem::Caption, &TKitItem::SetCaption);
    c.Property("Width", &TKitItem::Width, &TKitItem::SetWidth);
    c.Property("Partner", &TKitItem::Partner, &TKitItem::SetPartner);
}

F2_DEFINE_CLASS(TKitWidget, TComponent, F2_NO_FACTORY)
{
    c.Property("Left", &TKitWidget::Left, &TKitWidget::SetLeft);
    c.Property("Caption", &TKitWidget::Caption, &TKitWidget::SetCaption);
    c.Property("Ratio", &TKitWidget::Ratio, &TKitWidget::SetRatio);
    c.Property("Precise", &TKitWidget::Precise, &TKitWidget::SetPrecise);
    c.Property("Big", &TKitWidget::Big, &TKitWidget::SetBig);
    c.Property("Letter", &TKitWidget::Letter, &TKitWidget::SetLetter);
    c.Property("Flag", &TKitWidget::Flag, &TKitWidget::SetFlag);
    c.Property("Shade", &TKitWidget::Shade, &TKitWidget::SetShade);
    c.Property("Traits", &TKitWidget::Traits, &TKitWidget::SetTraits);
    c.Property("Value", &TKitWidget::Value, &TKitWidget::SetValue);
    c.Property("Partner", &TKitWidget::Partner, &TKitWidget::SetPartner);
    c.Property("OnTick", &TKitWidget::OnTick, &TKitWidget::SetOnTick);
    c.Property("Lines", &TKitWidget::Lines);
    c.Property("Entries", &TKitWidget::Entries, &TKitWidget::SetEntries);
}

F2_DEFINE_CLASS(TKitForm, TComponent, F2_NO_FACTORY)
{
    c.Property("Left", &TKitForm::Left, &TKitForm::SetLeft);
    c.Property("Caption", &TKitForm::Caption, &TKitForm::SetCaption);
}

} // namespace readerkit
