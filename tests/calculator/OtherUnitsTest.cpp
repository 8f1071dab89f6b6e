// fc in kHz and capacitors in uF, as the main window shows them: the lower limit of fc in
// kilohertz, and component values that cross from nanofarads into microfarads.

#include "CalculatorWindow.h"

#include "chart/TChartSeries.h"
#include "forms/TColor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class OtherUnits : public CalculatorWindow {
protected:
    // The points of a chart's curve, or a description of the first one that is no number.
    std::string CurveFault(const std::string& chart) const
    {
        const TChartSeries* series = app.SeriesOf(chart);
        for (int i = 0; i < series->PointCount(); ++i)
            if (!std::isfinite(series->PointX(i)) || !std::isfinite(series->PointY(i)))
                return chart + " point " + std::to_string(i) + ": " + std::to_string(series->PointX(i)) + ", " +
                       std::to_string(series->PointY(i));
        return "";
    }
};

} // namespace

TEST_F(OtherUnits, KilohertzBelowOneTenthAreClampedAndNothingIsComputed)
{
    app.Key("Enter");   // results and curves of the start values
    ASSERT_EQ(app.Points("Chart2"), 100);
    app.Click("RadioButton2");
    for (const char* low : {"0", "0,05", "0,0999"}) {
        SCOPED_TRACE(low);
        app.Enter("Edit1", low);
        app.Click("Button2");
        EXPECT_EQ(app.Text("Edit1"), "0,1");
        EXPECT_TRUE(app.Visible("Label19"));
        EXPECT_FALSE(app.Visible("Label20"));
        EXPECT_EQ(app.Color("Edit1"), clYellow);
        EXPECT_EQ(app.Focused(), "Edit1");
        // Typing fc reset the results, and nothing was computed since.
        EXPECT_EQ(LowPass(), "0 nF | 0 nF");
        EXPECT_EQ(HighPass(), "0 kOhm / кОм | 0 kOhm / кОм");
        for (const char* marker : {"Label12", "Label22", "Label25", "Label23"})
            EXPECT_FALSE(app.Visible(marker)) << marker;
        // The curves of the last good calculation stay, every point a number.
        EXPECT_EQ(app.Points("Chart2"), 100);
        EXPECT_EQ(app.Points("Chart3"), 100);
        EXPECT_EQ(CurveFault("Chart2"), "");
        EXPECT_EQ(CurveFault("Chart3"), "");
    }
    // The limit written into the field is accepted: 0,1 kHz is the start values' 100 Hz.
    app.Click("Button2");
    EXPECT_FALSE(app.Visible("Label19"));
    EXPECT_EQ(app.Color("Edit1"), clWindow);
    EXPECT_EQ(LowPass(), "67,5 nF | 34,4 nF");
    EXPECT_EQ(HighPass(), "113,7 kOhm / кОм | 222,8 kOhm / кОм");
    EXPECT_EQ(CurveFault("Chart2"), "");
    EXPECT_EQ(CurveFault("Chart3"), "");
}

TEST_F(OtherUnits, CapacitorsFromOneTenthOfAMicrofaradUpAreShownInMicrofarads)
{
    // The start values at a tenth of their frequency: ten times the capacitors.
    Go("10", "0,7", "33", "10");
    EXPECT_EQ(LowPass(), "0,7 uF | 0,3 uF");
    EXPECT_FALSE(app.Visible("Label12"));

    // The largest capacitors the inputs allow, both beyond the practical bound and marked.
    Go("1", "2,5", "0,1", "10");
    EXPECT_EQ(LowPass(), "7957,7 uF | 318,3 uF");
    EXPECT_TRUE(app.Visible("Label12"));
    EXPECT_TRUE(app.Visible("Label22"));

    // Either side of 0,1 uF (Q 0,5 makes C1 and C2 equal, 1 / (2 pi fc R)): just above it in
    // microfarads; just below it in nanofarads, where the rounding reaches 100.
    Go("159,15", "0,5", "10", "10");
    EXPECT_EQ(LowPass(), "0,1 uF | 0,1 uF");
    Go("159,16", "0,5", "10", "10");
    EXPECT_EQ(LowPass(), "100 nF | 100 nF");
}

TEST_F(OtherUnits, AMicrofaradGivesTheResistorsOfAThousandNanofarads)
{
    Go("100", "0,7", "33", "1000");
    const std::string inNanofarads = HighPass();
    EXPECT_EQ(inNanofarads, "1,1 kOhm / кОм | 2,2 kOhm / кОм");
    app.Click("RadioButton4");
    Go("100", "0,7", "33", "1");
    EXPECT_EQ(HighPass(), inNanofarads);
    EXPECT_FALSE(app.Visible("Label19"));
}
