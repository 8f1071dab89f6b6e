#include "forms/TComponent.h"

#include "forms/TReader.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/Text.h"

#include <algorithm>

F2_DEFINE_CLASS(TComponent, TPersistent, F2_FACTORY(TComponent))
{
    c.Property("Name", &TComponent::Name, &TComponent::SetName);
    c.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Tell everyone who asked that this component goes away.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        other->RemoveFreeNotification(this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= int(components_.size()))
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return components_[size_t(index)];
}

int TComponent::ComponentIndex() const
{
    if (!owner_)
        return -1;
    const auto& list = owner_->components_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (rtl::SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::SetComponentStateFlag(TComponentStateFlag flag, bool on)
{
    if (on)
        state_.Include(flag);
    else
        state_.Exclude(flag);
}

void TComponent::SetName(const std::string& name)
{
    if (name == name_)
        return;
    if (!name.empty() && !rtl::IsValidIdent(name))
        throw EComponentError(rtl::Format("''%s'' is not a valid component name", name));
    if (owner_)
        owner_->ValidateRename(this, name_, name);
    BindOwnerField(false);
    name_ = name;
    BindOwnerField(true);
}

void TComponent::ValidateRename(TComponent* component, const std::string& currentName,
                                const std::string& newName)
{
    if (component && !rtl::SameText(currentName, newName)) {
        TComponent* existing = FindComponent(newName);
        if (existing && existing != component)
            throw EComponentError(rtl::Format("A component named %s already exists", newName));
    }
}

void TComponent::BindOwnerField(bool bind)
{
    if (!owner_ || name_.empty())
        return;
    const TFieldInfo* field = owner_->ClassType().FindField(name_);
    if (!field)
        return;
    if (bind) {
        if (InheritsFrom(field->fieldClass()))
            field->set(owner_, this);
    } else if (field->get(owner_) == this) {
        field->set(owner_, nullptr);
    }
}

void TComponent::InsertComponent(TComponent* component)
{
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    // A name already taken in the new owner would break lookups; refuse it.
    if (!component->name_.empty())
        ValidateRename(component, std::string(), component->name_);
    components_.push_back(component);
    component->owner_ = this;
    component->BindOwnerField(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    Notification(component, opRemove);
    component->BindOwnerField(false);
    const auto it = std::find(components_.begin(), components_.end(), component);
    if (it != components_.end())
        components_.erase(it);
    component->owner_ = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* last = components_.back();
        RemoveComponent(last);
        delete last;
    }
}

void TComponent::Destroying()
{
    if (state_.Contains(csDestroying))
        return;
    state_.Include(csDestroying);
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
        freeNotifies_.push_back(component);
        component->FreeNotification(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    const auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), component);
    if (it != freeNotifies_.end()) {
        freeNotifies_.erase(it);
        component->RemoveFreeNotification(this);
    }
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component)
        RemoveFreeNotification(component);
    for (size_t i = components_.size(); i-- > 0;)
        if (i < components_.size())
            components_[i]->Notification(component, operation);
}

void TComponent::Loaded()
{
    state_.Exclude(csLoading);
}

void TComponent::ReadState(TReader& reader)
{
    reader.ReadData(this);
}

namespace {
std::vector<TComponent*>& GlobalComponents()
{
    static std::vector<TComponent*> list;
    return list;
}
} // namespace

void RegisterGlobalComponent(TComponent* component)
{
    GlobalComponents().push_back(component);
}

void UnregisterGlobalComponent(TComponent* component)
{
    auto& list = GlobalComponents();
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

TComponent* FindGlobalComponent(const std::string& name)
{
    for (TComponent* c : GlobalComponents())
        if (rtl::SameText(c->Name(), name))
            return c;
    return nullptr;
}
