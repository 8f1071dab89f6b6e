#pragma once
// The size limits of a window: the smallest (and largest) client size it may be given, by code
// or by the user dragging its frame. 0 means no limit. A maximum below the minimum counts as
// no maximum. Setters return early when nothing changes and otherwise raise OnChange once.

#include "forms/TNotifyEvent.h"
#include "forms/TPersistent.h"

class TSizeConstraints : public TPersistent {
    F2_CLASS(TSizeConstraints, TPersistent)
public:
    TSizeConstraints() = default;

    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value) { Store(minWidth_, value); }
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value) { Store(minHeight_, value); }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value) { Store(maxWidth_, value); }
    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int value) { Store(maxHeight_, value); }

    // A width or height brought inside the limits.
    int ClampWidth(int width) const { return Clamp(width, minWidth_, maxWidth_); }
    int ClampHeight(int height) const { return Clamp(height, minHeight_, maxHeight_); }

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

    void Assign(TPersistent* source) override;

private:
    void Store(int& field, int value);
    static int Clamp(int value, int low, int high);

    int minWidth_ = 0;
    int minHeight_ = 0;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
    TNotifyEvent onChange_;
};
