#pragma once
// The background gradient of a chart panel: two colours and a direction. Hidden by default;
// any change of a setting to a different value calls the change handler, which repaints.

#include "chart/TGradientDirection.h"
#include "forms/TColor.h"
#include "forms/TChangeNotifier.h"

class TChartGradient : public TChangeNotifier {
    F2_CLASS(TChartGradient, TChangeNotifier)
public:
    explicit TChartGradient(TNotifyEvent onChange = {}) : TChangeNotifier(std::move(onChange)) {}

    TGradientDirection Direction() const { return direction_; }
    void SetDirection(TGradientDirection value) { Store(direction_, value); }
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor value) { Store(startColor_, value); }
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor value) { Store(endColor_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Store(visible_, value); }

    void Assign(TPersistent* source) override;

private:
    TGradientDirection direction_ = gdTopBottom;
    TColor startColor_ = clWhite;
    TColor endColor_ = clYellow;
    bool visible_ = false;
};
