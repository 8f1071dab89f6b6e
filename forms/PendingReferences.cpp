#include "forms/PendingReferences.h"

#include "forms/ClassInfo.h"
#include "forms/TComponent.h"

#include <algorithm>
#include <iterator>

PendingReferences& PendingReferences::Global()
{
    static PendingReferences instance;
    return instance;
}

void PendingReferences::Add(const TComponentReference& reference)
{
    std::lock_guard lock(mutex_);
    entries_.push_back({reference, reference.root->Lifetime(), reference.component->Lifetime(),
                        reference.instance->Lifetime()});
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
    // The entries are taken out of the list while setters run: a setter may free objects (whose
    // entries further on are then skipped) or read another window (which adds entries).
    std::vector<Entry> waiting;
    waiting.swap(entries_);
    std::vector<Entry> unresolved;
    for (Entry& entry : waiting) {
        if (!entry.Alive())
            continue;
        const TComponentReference& ref = entry.reference;
        if (TComponent* target = FindNested(ref.root, ref.name))
            ref.property->setObject(ref.instance, target);
        else
            unresolved.push_back(std::move(entry));
    }
    unresolved.insert(unresolved.end(), std::make_move_iterator(entries_.begin()),
                      std::make_move_iterator(entries_.end()));
    entries_ = std::move(unresolved);
}

void PendingReferences::Discard(const TComponent* root)
{
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [root](const Entry& e) { return !e.Alive() || e.reference.root == root; });
}

size_t PendingReferences::Count() const
{
    std::lock_guard lock(mutex_);
    return size_t(std::count_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.Alive(); }));
}
