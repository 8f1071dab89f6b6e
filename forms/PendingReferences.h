#pragma once
// Component references read from layouts ("Partner = Gadget2", "FocusControl = Form2.Edit1")
// that could not be resolved when their window was read, because the component named lives in
// a window not created yet. They stay pending for the whole process and are retried after
// every window is read. A reference never outlives the objects it involves: it is dropped, and
// never written, once the object whose property would receive it (a component, a collection
// item, any sub-object), the component whose description held it, or that component's root is
// destroyed. The list is locked: readers on other threads may add to it.

#include "forms/LifeToken.h"

#include <mutex>
#include <string>
#include <vector>

class TComponent;
class TPersistent;
struct TPropInfo;

struct TComponentReference {
    TComponent* root = nullptr;        // names are looked up from here
    TComponent* component = nullptr;   // the component whose description held the reference
    TPersistent* instance = nullptr;   // the object whose property receives it (may be a part of component)
    const TPropInfo* property = nullptr;
    std::string name;                  // as stored; may be dotted
};

class PendingReferences {
public:
    static PendingReferences& Global();

    void Add(const TComponentReference& reference);
    // Assigns every reference whose name now resolves and drops it.
    void Resolve();
    // Drops the references read into root (a failed read).
    void Discard(const TComponent* root);
    // The references still waiting (those of destroyed objects are not counted).
    size_t Count() const;

    // Looks name up from root: the first part among root's components (or, failing that, among
    // the windows registered process-wide), every further part among the previous one's.
    static TComponent* FindNested(const TComponent* root, const std::string& name);

private:
    struct Entry {
        TComponentReference reference;
        LifeToken::Watcher root, component, instance;
        bool Alive() const { return !root.expired() && !component.expired() && !instance.expired(); }
    };

    PendingReferences() = default;

    mutable std::recursive_mutex mutex_;
    std::vector<Entry> entries_;
};
