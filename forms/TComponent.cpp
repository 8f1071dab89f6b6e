#include "forms/TComponent.h"

#include "forms/TReader.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/Text.h"

#include <algorithm>
#include <iterator>

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
    const auto it = names_.find(rtl::UpperCase(name));
    return it == names_.end() ? nullptr : it->second;
}

void TComponent::IndexName(TComponent* component)
{
    if (!component->name_.empty())
        names_[rtl::UpperCase(component->name_)] = component;
}

void TComponent::UnindexName(TComponent* component)
{
    if (component->name_.empty())
        return;
    const auto it = names_.find(rtl::UpperCase(component->name_));
    if (it != names_.end() && it->second == component)
        names_.erase(it);
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
    if (owner_) {
        owner_->ValidateRename(this, name_, name);
        owner_->UnindexName(this);
    }
    BindOwnerField(false);
    name_ = name;
    if (owner_)
        owner_->IndexName(this);
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
    // A name already taken in the new owner would break lookups; refuse it, before the
    // component leaves its old owner (which keeps it, and frees it in time).
    if (!component->name_.empty())
        ValidateRename(component, std::string(), component->name_);
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    IndexName(component);
    component->BindOwnerField(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    Notification(component, opRemove);
    component->BindOwnerField(false);
    UnindexName(component);
    // Searched from the end: components mostly go last first.
    const auto it = std::find(components_.rbegin(), components_.rend(), component);
    if (it != components_.rend())
        components_.erase(std::next(it).base());
    component->owner_ = nullptr;
}

void TComponent::DestroyComponents()
{
    const bool wasFreeing = freeingComponents_;
    freeingComponents_ = true;
    try {
        while (!components_.empty()) {
            TComponent* last = components_.back();
            RemoveComponent(last);
            delete last;
        }
    } catch (...) {
        freeingComponents_ = wasFreeing;
        throw;
    }
    freeingComponents_ = wasFreeing;
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
    // Only a removal concerns the others: they may hold the component that goes. Telling each
    // of them about every arrival, or about every removal while all of them go, would make
    // building or freeing n siblings cost n * n.
    if (operation != opRemove || !component)
        return;
    RemoveFreeNotification(component);
    if (freeingComponents_)
        return;
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
    if (name.empty())
        return nullptr;
    for (TComponent* c : GlobalComponents())
        if (rtl::SameText(c->Name(), name))
            return c;
    return nullptr;
}
