#pragma once
// A control without a window of its own (labels, images): its parent paints it, in the
// parent's area, and passes it the mouse messages that fall on it.

#include "forms/TControl.h"
#include "forms/TControlCanvas.h"

#include <memory>

class TGraphicControl : public TControl {
    F2_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return canvas_.get(); }
    void Dispatch(TMessage& message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> canvas_;
};
