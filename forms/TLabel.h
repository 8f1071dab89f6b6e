#pragma once
// A caption painted by its parent. Opaque unless Transparent: the background is filled in the
// label's colour (the parent's while ParentColor holds). With AutoSize the label fits its text
// whenever caption or font change, keeping its left edge; without it the text keeps the fixed
// width, aligned by Alignment and clipped at the edges.

#include "forms/TGraphicControl.h"

class TLabel : public TGraphicControl {
    F2_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { Store(alignment_, alignment); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { Store(transparent_, transparent); }
    void Loaded() override;

protected:
    void Paint() override;
    void AdjustSize() override;

private:
    TAlignment alignment_ = taLeftJustify;
    bool transparent_ = false;
};
