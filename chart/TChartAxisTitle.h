#pragma once
// The title of an axis: a caption drawn beside the axis at an angle, in its own font.

#include "chart/TChartFontObject.h"

#include <string>

class TChartAxisTitle : public TChartFontObject {
    F2_CLASS(TChartAxisTitle, TChartFontObject)
public:
    explicit TChartAxisTitle(TNotifyEvent onChange = {}) : TChartFontObject(std::move(onChange)) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { Store(caption_, value); }
    // Degrees, counter-clockwise. ChartException "Axis Title Angle must be between 0 and 359
    // degrees" outside 0..359; the angle then stays.
    int Angle() const { return angle_; }
    void SetAngle(int value);

    void Assign(TPersistent* source) override;

private:
    std::string caption_;
    int angle_ = 0;
};

// Raises the angle error for the named part ("Axis Title", "Axis Labels") unless 0..359.
void CheckChartAngle(int angle, const char* part);
