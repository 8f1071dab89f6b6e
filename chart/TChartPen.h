#pragma once
// A framework pen with two more published settings: Visible (a hidden pen draws nothing) and
// SmallDots (a cosmetic pen that sets every other pixel). Every chart pen is made with a
// change handler that repaints its chart.

#include "forms/TPen.h"

class TChartPen : public TPen {
    F2_CLASS(TChartPen, TPen)
public:
    explicit TChartPen(TNotifyEvent onChange = {});

    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Store(visible_, value); }
    bool SmallDots() const { return smallDots_; }
    void SetSmallDots(bool value) { Store(smallDots_, value); }

    // Also copies Visible and SmallDots from another chart pen.
    void Assign(TPersistent* source) override;

private:
    bool visible_ = true;
    bool smallDots_ = false;
};
