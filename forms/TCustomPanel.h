#pragma once
// A container with a bevelled frame: outer bevel, a border of BorderWidth in the panel colour,
// inner bevel, then the face with the caption centred. Paint is virtual so that a descendant
// (the chart) can replace the whole look.

#include "forms/TCustomControl.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
F2_ENUM_TYPE(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace");

class TCustomPanel : public TCustomControl {
    F2_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value) { Store(bevelOuter_, value); }
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value) { Store(bevelInner_, value); }
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { Store(alignment_, value); }

protected:
    void Paint() override;

private:
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
    F2_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};
