#include "chart/TChartAxisTitle.h"

#include "chart/ChartExceptions.h"
#include "rtl/Format.h"

F2_DEFINE_CLASS(TChartAxisTitle, TChartFontObject, F2_NO_FACTORY)
{
    c.Property("Angle", &TChartAxisTitle::Angle, &TChartAxisTitle::SetAngle);
    c.Property("Caption", &TChartAxisTitle::Caption, &TChartAxisTitle::SetCaption);
}

void CheckChartAngle(int angle, const char* part)
{
    if (angle < 0 || angle > 359)
        throw ChartException(rtl::Format("%s Angle must be between 0 and 359 degrees", part));
}

void TChartAxisTitle::SetAngle(int value)
{
    CheckChartAngle(value, "Axis Title");
    if (value == angle_)
        return;
    angle_ = value;
    Changed();
}

void TChartAxisTitle::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TChartAxisTitle*>(source)) {
        SetCaption(other->caption_);
        SetAngle(other->angle_);
    }
    TChartFontObject::Assign(source);
}
