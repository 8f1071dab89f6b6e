#pragma once
// One loading pass: the components read so far, in reading order (the root first), which all
// receive their after-load notification once the last layout of the pass has been read. A
// window whose class and ancestors each have a layout reads all of them in one pass.

#include "forms/TComponentWatch.h"

#include <vector>

class LoadingPass {
public:
    LoadingPass();
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
    void Forget(TComponent* component);

    std::vector<TComponent*> loaded_;
    TComponentWatch watch_;
};
