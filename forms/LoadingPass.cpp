#include "forms/LoadingPass.h"

#include <algorithm>

LoadingPass::LoadingPass() : watch_([this](TComponent* c) { Forget(c); }) {}

LoadingPass::~LoadingPass()
{
    Abandon();
}

void LoadingPass::Add(TComponent* component)
{
    if (!component || Contains(component))
        return;
    loaded_.push_back(component);
    watch_.Watch(component);
}

bool LoadingPass::Contains(const TComponent* component) const
{
    return std::find(loaded_.begin(), loaded_.end(), component) != loaded_.end();
}

std::vector<TComponent*> LoadingPass::Components() const
{
    std::vector<TComponent*> result;
    for (TComponent* c : loaded_)
        if (c)
            result.push_back(c);
    return result;
}

void LoadingPass::Forget(TComponent* component)
{
    // Entries are blanked, not erased, so that Finish can go on with its index.
    std::replace(loaded_.begin(), loaded_.end(), component, static_cast<TComponent*>(nullptr));
}

void LoadingPass::Finish()
{
    try {
        for (size_t i = 0; i < loaded_.size(); ++i)
            if (TComponent* c = loaded_[i])
                c->Loaded();
    } catch (...) {
        Abandon();
        throw;
    }
    Abandon();
}

void LoadingPass::Abandon()
{
    for (TComponent* c : loaded_)
        if (c) {
            c->SetComponentStateFlag(csLoading, false);
            watch_.Unwatch(c);
        }
    loaded_.clear();
}
