#include "forms/TComponentWatch.h"

F2_DEFINE_CLASS(TComponentWatch, TComponent, F2_NO_FACTORY) {}

TComponentWatch::TComponentWatch(std::function<void(TComponent*)> onDestroyed)
    : TComponent(nullptr), onDestroyed_(std::move(onDestroyed))
{
}

void TComponentWatch::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component && onDestroyed_)
        onDestroyed_(component);
}
