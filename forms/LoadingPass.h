#pragma once
// One loading pass: the components read so far, in reading order (the root first), which all
// receive their after-load notification once the last layout of the pass has been read. A
// window whose class and ancestors each have a layout reads all of them in one pass.
// Entering a component and asking for it take constant time, so a layout with tens of
// thousands of components reads in time proportional to its size.

#include "forms/LifeToken.h"

#include <unordered_map>
#include <vector>

class TComponent;

class LoadingPass {
public:
    LoadingPass() = default;
    // A pass that was not finished (a read failed) ends the loading state without Loaded.
    ~LoadingPass();
    LoadingPass(const LoadingPass&) = delete;
    LoadingPass& operator=(const LoadingPass&) = delete;

    // Enters a component once; a component freed before the pass ends drops out.
    void Add(TComponent* component);
    bool Contains(const TComponent* component) const;
    std::vector<TComponent*> Components() const;

    // Calls Loaded on every component in order, then ends their loading state. When a Loaded
    // raises, the loading state of all of them still ends and the exception propagates.
    void Finish();
    // Ends the loading state without notifications.
    void Abandon();

private:
    struct Entry {
        TComponent* component;
        LifeToken::Watcher alive;
    };

    std::vector<Entry> loaded_;
    // Where each component stands in loaded_. A freed component's address may come back for a
    // new one, so an entry counts only while its component lives.
    std::unordered_map<const TComponent*, size_t> index_;
};
