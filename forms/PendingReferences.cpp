#include "forms/PendingReferences.h"

#include "forms/ClassInfo.h"

#include <algorithm>

PendingReferences::PendingReferences() : watch_([this](TComponent* c) { Forget(c); }) {}

PendingReferences& PendingReferences::Global()
{
    static PendingReferences instance;
    return instance;
}

void PendingReferences::Add(const TComponentReference& reference)
{
    std::lock_guard lock(mutex_);
    entries_.push_back(reference);
    watch_.Watch(reference.root);
    watch_.Watch(reference.component);
}

TComponent* PendingReferences::FindNested(const TComponent* root, const std::string& name)
{
    TComponent* current = nullptr;
    size_t start = 0;
    for (bool first = true;; first = false) {
        const size_t dot = name.find('.', start);
        const std::string part = name.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        TComponent* next = first ? (root ? root->FindComponent(part) : nullptr) : current->FindComponent(part);
        if (!next && first)
            next = FindGlobalComponent(part);
        if (!next)
            return nullptr;
        current = next;
        if (dot == std::string::npos)
            return current;
        start = dot + 1;
    }
}

void PendingReferences::Resolve()
{
    std::lock_guard lock(mutex_);
    // Setters may free components (and so change the list); take the entries one by one.
    for (size_t i = 0; i < entries_.size();) {
        const TComponentReference ref = entries_[i];
        TComponent* target = FindNested(ref.root, ref.name);
        if (!target) {
            ++i;
            continue;
        }
        entries_.erase(entries_.begin() + std::ptrdiff_t(i));
        UnwatchUnused(ref.root);
        UnwatchUnused(ref.component);
        ref.property->setObject(ref.instance, target);
    }
}

void PendingReferences::Discard(const TComponent* root)
{
    std::lock_guard lock(mutex_);
    std::vector<TComponent*> components;
    for (const TComponentReference& r : entries_)
        if (r.root == root)
            components.push_back(r.component);
    std::erase_if(entries_, [root](const TComponentReference& r) { return r.root == root; });
    for (TComponent* c : components)
        UnwatchUnused(c);
    UnwatchUnused(const_cast<TComponent*>(root));
}

void PendingReferences::UnwatchUnused(TComponent* component)
{
    const bool used = std::any_of(entries_.begin(), entries_.end(), [component](const TComponentReference& r) {
        return r.root == component || r.component == component;
    });
    if (!used)
        watch_.Unwatch(component);
}

size_t PendingReferences::Count() const
{
    std::lock_guard lock(mutex_);
    return entries_.size();
}

void PendingReferences::Forget(TComponent* component)
{
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [component](const TComponentReference& r) {
        return r.root == component || r.component == component;
    });
}
