#pragma once
// Learns when watched components are destroyed, through the components' free notifications.
// The layout reader keeps lists of components across a loading pass (the loaded list, pending
// references); a component freed meanwhile, by a failing read or by a handler, must drop out
// of them instead of being called later.

#include "forms/TComponent.h"

#include <functional>

class TComponentWatch : public TComponent {
    F2_CLASS(TComponentWatch, TComponent)
public:
    explicit TComponentWatch(std::function<void(TComponent*)> onDestroyed);

    void Watch(TComponent* component) { FreeNotification(component); }
    void Unwatch(TComponent* component) { RemoveFreeNotification(component); }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::function<void(TComponent*)> onDestroyed_;
};
