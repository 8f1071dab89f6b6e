#pragma once
// The concrete text list: lines held in memory, with change events. Every change raises
// OnChanging before and OnChange after it; inside BeginUpdate/EndUpdate the whole batch
// raises each once, OnChange when the batch ends, and nothing when nothing changed.

#include "forms/TNotifyEvent.h"
#include "forms/TStrings.h"

#include <vector>

class TStringList : public TStrings {
    F2_CLASS(TStringList, TStrings)
public:
    TStringList() = default;

    int Count() const override { return int(lines_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }
    const TNotifyEvent& OnChanging() const { return onChanging_; }
    void SetOnChanging(TNotifyEvent handler) { onChanging_ = std::move(handler); }

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changing();
    virtual void Changed();

private:
    void CheckIndex(int index, int limit) const;

    std::vector<std::string> lines_;
    TNotifyEvent onChange_;
    TNotifyEvent onChanging_;
    bool changingInBatch_ = false;
    bool changedInBatch_ = false;
};
