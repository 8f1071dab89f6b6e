#pragma once
// A persistent part whose owner wants to hear of every change (the pen, brush and font of a
// canvas or control, the parts of a chart): a setter that stores a new value calls Changed()
// once, which raises OnChange; a value equal to the stored one changes nothing and tells no one.

#include "forms/TNotifyEvent.h"
#include "forms/TPersistent.h"
#include "rtl/StoreProperty.h"

class TChangeNotifier : public TPersistent {
    F2_CLASS(TChangeNotifier, TPersistent)
public:
    explicit TChangeNotifier(TNotifyEvent onChange = {}) : onChange_(std::move(onChange)) {}

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

protected:
    virtual void Changed()
    {
        if (onChange_)
            onChange_(this);
    }
    template <class T>
    void Store(T& field, T value) { rtl::StoreProperty(field, value, [this] { Changed(); }); }

private:
    TNotifyEvent onChange_;
};
