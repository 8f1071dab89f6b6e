// "Go": validation of the four fields, clamping, component values and their markers, run
// through the real main window on the headless desktop.

#include "CalculatorWindow.h"

#include "app/Unit1.h"
#include "forms/TApplication.h"
#include "chart/TChartSeries.h"
#include "forms/TColor.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

class Calculation : public CalculatorWindow {
protected:
    bool AnyMarker() const
    {
        return app.Visible("Label12") || app.Visible("Label22") || app.Visible("Label25") || app.Visible("Label23");
    }
};

} // namespace

TEST_F(Calculation, TheStartValuesGiveTheWorkedExampleWithoutMarkers)
{
    EXPECT_EQ(app.Text("Edit1"), "100");
    EXPECT_EQ(app.Text("Edit2"), "0,7");
    app.Key("Enter");   // the focus starts in Edit1; Enter presses the default button
    EXPECT_EQ(LowPass(), "67,5 nF | 34,4 nF");
    EXPECT_EQ(HighPass(), "113,7 kOhm / кОм | 222,8 kOhm / кОм");
    EXPECT_FALSE(AnyMarker());
    EXPECT_FALSE(app.Visible("Label19"));
    EXPECT_FALSE(app.Visible("Label20"));
    EXPECT_EQ(app.Points("Chart2"), 100);
    EXPECT_EQ(app.Points("Chart3"), 100);
}

TEST_F(Calculation, OtherWorkedExamples)
{
    Go("1000", "0,71", "10", "22");
    EXPECT_EQ(LowPass(), "22,6 nF | 11,2 nF");
    EXPECT_EQ(HighPass(), "5,1 kOhm / кОм | 10,3 kOhm / кОм");

    // C1 below the smallest unit keeps its labels ("0" from the key-press reset, "nF").
    Go("99999", "0,3", "1000", "0,1");
    EXPECT_EQ(LowPass(), "0 nF | 3 pF");
    EXPECT_TRUE(app.Visible("Label12"));
    EXPECT_TRUE(app.Visible("Label22"));
    EXPECT_EQ(HighPass(), "26,5 kOhm / кОм | 9,5 kOhm / кОм");

    // 500 kHz and 10 uF: R1, R2 below one ohm keep their labels and are marked.
    app.Click("RadioButton2");
    app.Click("RadioButton4");
    Go("500", "2,5", "0,1", "10");
    EXPECT_EQ(LowPass(), "15,9 nF | 637 pF");
    EXPECT_EQ(app.Text("Label15"), "0");
    EXPECT_EQ(app.Text("Label17"), "kOhm / кОм");
    EXPECT_TRUE(app.Visible("Label25"));
    EXPECT_TRUE(app.Visible("Label23"));
}

TEST_F(Calculation, CommaFaultsShowTheInputErrorBanner)
{
    for (const char* bad : {",5", "1,2,3"}) {
        Go("100", bad, "33", "10");
        EXPECT_TRUE(app.Visible("Label20")) << bad;
        EXPECT_EQ(app.Color("Edit2"), clYellow) << bad;
        EXPECT_EQ(app.Focused(), "Edit2") << bad;
        EXPECT_EQ(app.Points("Chart2"), 0) << bad;   // typing Q emptied the charts
    }
    Go("100", "0,7", "5,", "10");
    EXPECT_FALSE(app.Visible("Label20"));
    EXPECT_EQ(app.Color("Edit3"), clWindow);
    EXPECT_EQ(app.Points("Chart2"), 100);
}

TEST_F(Calculation, OutOfRangeValuesAreClampedAndMarked)
{
    Go("0,5", "0,7", "33", "10");
    EXPECT_EQ(app.Text("Edit1"), "1");
    EXPECT_TRUE(app.Visible("Label19"));
    EXPECT_EQ(app.Color("Edit1"), clYellow);
    EXPECT_EQ(app.Focused(), "Edit1");

    Go("600", "0,7", "33", "10");
    EXPECT_EQ(app.Text("Edit1"), "600");   // fine in Hz
    EXPECT_FALSE(app.Visible("Label19"));
    app.Click("RadioButton2");
    app.Click("Button2");
    EXPECT_EQ(app.Text("Edit1"), "500");   // too much in kHz
    app.Enter("Edit1", "0,5");
    app.Click("Button2");
    EXPECT_EQ(app.Text("Edit1"), "0,5");   // fine in kHz
    EXPECT_FALSE(app.Visible("Label19"));

    Go("100", "0,2", "33", "10");
    EXPECT_EQ(app.Text("Edit2"), "0,3");
    Go("100", "3", "33", "10");
    EXPECT_EQ(app.Text("Edit2"), "2,5");
    EXPECT_EQ(app.Points("Chart2"), 0);   // the clamp's change handler emptied the charts
    EXPECT_EQ(app.Points("Chart3"), 0);
    app.Click("Button2");
    EXPECT_EQ(app.Points("Chart2"), 100);

    Go("100", "0,7", "0,05", "10");
    EXPECT_EQ(app.Text("Edit3"), "0,1");
    Go("100", "0,7", "2000", "10");
    EXPECT_EQ(app.Text("Edit3"), "1000");

    Go("100", "0,7", "33", "0,05");
    EXPECT_EQ(app.Text("Edit4"), "0,1");   // nF
    app.Click("RadioButton4");
    Go("100", "0,7", "33", "0,05");
    EXPECT_EQ(app.Text("Edit4"), "0,05");  // uF
    Go("100", "0,7", "33", "20");
    EXPECT_EQ(app.Text("Edit4"), "10");
    app.Click("RadioButton3");
    Go("100", "0,7", "33", "20");
    EXPECT_EQ(app.Text("Edit4"), "20");
    EXPECT_FALSE(app.Visible("Label19"));
}

TEST_F(Calculation, EveryLimitIsAccepted)
{
    auto accepted = [&](const std::string& fc, const std::string& q, const std::string& r, const std::string& c) {
        Go(fc, q, r, c);
        return !app.Visible("Label19") && !app.Visible("Label20") && app.Text("Edit1") == fc &&
               app.Text("Edit2") == q && app.Text("Edit3") == r && app.Text("Edit4") == c;
    };
    EXPECT_TRUE(accepted("1", "2,5", "0,1", "0,1"));
    EXPECT_TRUE(accepted("99999", "0,29999", "1000", "1000"));
    EXPECT_TRUE(accepted("1", "0,3", "1000", "1000"));
    app.Click("RadioButton2");
    app.Click("RadioButton4");
    EXPECT_TRUE(accepted("0,1", "2,5", "0,1", "0,01"));
    EXPECT_TRUE(accepted("500", "0,5", "0,1", "10"));
}

TEST_F(Calculation, OnlyTheFirstFaultyFieldIsReported)
{
    Go("0", ",7", "33", "10");
    EXPECT_EQ(app.Text("Edit1"), "1");
    EXPECT_EQ(app.Color("Edit1"), clYellow);
    EXPECT_EQ(app.Color("Edit2"), clWindow);
    EXPECT_FALSE(app.Visible("Label20"));
    EXPECT_TRUE(app.Visible("Label19"));
}

TEST_F(Calculation, MarkersStayOnASecondGoAndResultsRepeat)
{
    Go("99999", "0,3", "1000", "0,1");
    const std::string low = LowPass(), high = HighPass();
    app.Click("Button2");
    EXPECT_EQ(LowPass(), low);
    EXPECT_EQ(HighPass(), high);
    EXPECT_TRUE(app.Visible("Label12"));
    EXPECT_TRUE(app.Visible("Label22"));
}

TEST_F(Calculation, PastedTextThatIsNoNumberShowsTheConversionError)
{
    app.Desktop().SetClipboardText("abc");
    app.Click("Edit1");
    app.Key("Home");
    app.Key("Shift+End");
    app.Key("Shift+Insert");
    EXPECT_EQ(app.Text("Edit1"), "abc");
    app.Click("Button2");
    ASSERT_EQ(app.Desktop().Messages().size(), 1u);
    const auto& box = app.Desktop().Messages()[0];
    EXPECT_EQ(box.text, "'abc' is not a valid floating point value.");
    EXPECT_EQ(box.caption, Application->Title());
    EXPECT_EQ(box.icon, platform::MessageBoxIcon::Error);
    EXPECT_EQ(app.Color("Edit1"), clWindow);
    EXPECT_FALSE(app.Visible("Label20"));
    // The program goes on.
    app.Enter("Edit1", "100");
    app.Click("Button2");
    EXPECT_EQ(app.Points("Chart2"), 100);
}

TEST_F(Calculation, TheSweepWorksInTheUnitAsEnteredAndReplacesItsPoints)
{
    app.Key("Enter");
    auto points = [&](const char* chart) {
        std::vector<std::pair<double, double>> result;
        TChartSeries* series = app.SeriesOf(chart);
        for (int i = 0; i < series->PointCount(); ++i)
            result.emplace_back(series->PointX(i), series->PointY(i));
        return result;
    };
    const auto lowHz = points("Chart2"), highHz = points("Chart3");
    ASSERT_EQ(lowHz.size(), 100u);
    app.Click("Button2");   // a second run leaves 100 points, not 200
    EXPECT_EQ(points("Chart2"), lowHz);
    app.Click("RadioButton2");
    app.Click("Button2");   // "100" kHz: the same X values and gains
    EXPECT_EQ(points("Chart2"), lowHz);
    EXPECT_EQ(points("Chart3"), highHz);
    EXPECT_EQ(app.Text("Label7"), "68");     // but the components follow the unit
    EXPECT_EQ(app.Text("Label9"), "pF");
    // Changing fc alone keeps the curves until the next "Go".
    app.Enter("Edit1", "200");
    EXPECT_EQ(points("Chart3"), highHz);
}
