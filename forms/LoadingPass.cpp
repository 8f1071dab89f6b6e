#include "forms/LoadingPass.h"

#include "forms/TComponent.h"

LoadingPass::~LoadingPass()
{
    Abandon();
}

void LoadingPass::Add(TComponent* component)
{
    if (!component || Contains(component))
        return;
    index_[component] = loaded_.size();
    loaded_.push_back({component, component->Lifetime()});
}

bool LoadingPass::Contains(const TComponent* component) const
{
    const auto it = index_.find(component);
    return it != index_.end() && !loaded_[it->second].alive.expired();
}

std::vector<TComponent*> LoadingPass::Components() const
{
    std::vector<TComponent*> result;
    for (const Entry& entry : loaded_)
        if (!entry.alive.expired())
            result.push_back(entry.component);
    return result;
}

void LoadingPass::Finish()
{
    try {
        // By index: a Loaded may free components further on, which are then skipped.
        for (size_t i = 0; i < loaded_.size(); ++i)
            if (!loaded_[i].alive.expired())
                loaded_[i].component->Loaded();
    } catch (...) {
        Abandon();
        throw;
    }
    Abandon();
}

void LoadingPass::Abandon()
{
    for (const Entry& entry : loaded_)
        if (!entry.alive.expired())
            entry.component->SetComponentStateFlag(csLoading, false);
    loaded_.clear();
    index_.clear();
}
