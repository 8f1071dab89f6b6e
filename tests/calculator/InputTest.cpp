// Typing, field changes, unit and filter-family choices, the link and exiting, through the
// real main window on the headless desktop.

#include "ProgramHarness.h"

#include "app/Unit1.h"
#include "forms/TApplication.h"
#include "forms/TColor.h"

#include <gtest/gtest.h>

namespace {

class Input : public ::testing::Test {
protected:
    ProgramHarness app;

    void GoWithMarkers()
    {
        // Values that raise all four warning markers.
        app.Enter("Edit1", "99999");
        app.Enter("Edit2", "0,3");
        app.Enter("Edit3", "1000");
        app.Enter("Edit4", "1000");
        app.Click("Button2");
    }
    bool AllMarkers() const
    {
        return app.Visible("Label12") && app.Visible("Label22") && app.Visible("Label25") && app.Visible("Label23");
    }
    bool NoMarkers() const
    {
        return !app.Visible("Label12") && !app.Visible("Label22") && !app.Visible("Label25") && !app.Visible("Label23");
    }
};

} // namespace

TEST_F(Input, StartUpState)
{
    EXPECT_EQ(app.Focused(), "Edit1");
    EXPECT_TRUE(app.Checked("RadioButton1"));
    EXPECT_TRUE(app.Checked("RadioButton3"));
    EXPECT_TRUE(app.Checked("RadioButton9"));
    EXPECT_TRUE(app.Enabled("Edit2"));
    EXPECT_TRUE(app.Enabled("Button2"));
    EXPECT_EQ(FreqMultiplier, 1.0);
    EXPECT_EQ(CapMultiplier, 1e-9);
    for (const char* label : {"Label7", "Label8", "Label15", "Label16"})
        EXPECT_EQ(app.Text(label), "0") << label;
    EXPECT_EQ(app.Points("Chart2"), 0);
    // Typing replaces the selected start text.
    app.Type("250");
    EXPECT_EQ(app.Text("Edit1"), "250");
}

TEST_F(Input, TheKeyFilterLetsDigitsAndCommasThrough)
{
    app.Enter("Edit3", "1.5");
    EXPECT_EQ(app.Text("Edit3"), "1,5");   // a typed period becomes a comma
    for (const char* rejected : {"a", " ", "-", "+", "e"}) {
        app.Type(rejected);
        EXPECT_EQ(app.Text("Edit3"), "1,5") << rejected;
    }
    app.Key("Ctrl+H");    // a control character without the Backspace key
    EXPECT_EQ(app.Text("Edit3"), "1,5");
    app.Key("Escape");
    EXPECT_EQ(app.Text("Edit3"), "1,5");
    app.Key("Backspace");
    EXPECT_EQ(app.Text("Edit3"), "1,");
}

TEST_F(Input, RejectedKeysStillResetResultsAndBanners)
{
    GoWithMarkers();
    ASSERT_TRUE(AllMarkers());
    ASSERT_EQ(app.Text("Label8"), "3");   // C2 in pF (C1 is below the smallest unit)
    // A rejected key in Edit1 resets all four results and hides both banners, but the text
    // does not change, so no change handler hides the markers.
    app.Click("Edit1");
    app.Type("x");
    EXPECT_EQ(app.Text("Edit1"), "99999");
    for (const char* label : {"Label7", "Label8", "Label15", "Label16"})
        EXPECT_EQ(app.Text(label), "0") << label;
    EXPECT_TRUE(AllMarkers());
}

TEST_F(Input, BannersReactToKeysPerField)
{
    app.Enter("Edit2", ",7");
    app.Click("Button2");
    ASSERT_TRUE(app.Visible("Label20"));
    app.Type("x");   // rejected key in Edit2: Label20 stays
    EXPECT_TRUE(app.Visible("Label20"));
    app.Click("Edit1");
    app.Type("x");   // rejected key in Edit1: both banners go
    EXPECT_FALSE(app.Visible("Label20"));

    app.Enter("Edit2", "0,7");
    app.Enter("Edit3", "5000");
    app.Click("Button2");
    ASSERT_TRUE(app.Visible("Label19"));
    EXPECT_EQ(app.Color("Edit3"), clYellow);
    app.Key("Right");   // any key in a yellow field restores its colour
    EXPECT_EQ(app.Color("Edit3"), clWindow);
    app.Type("x");      // a rejected key in Edit3 hides Label19
    EXPECT_FALSE(app.Visible("Label19"));
}

TEST_F(Input, DeleteAndBackspaceDifferInTheirResets)
{
    GoWithMarkers();
    const std::string c2 = app.Text("Label8");
    ASSERT_NE(c2, "0");
    app.Click("Edit1");
    app.Key("End");
    app.Key("Left");
    app.Key("Delete");   // key-down and change only
    EXPECT_EQ(app.Text("Edit1"), "9999");
    EXPECT_EQ(app.Text("Label8"), c2);
    EXPECT_TRUE(NoMarkers());
    app.Key("Backspace");   // key-press resets, then change
    EXPECT_EQ(app.Text("Edit1"), "999");
    EXPECT_EQ(app.Text("Label8"), "0");
}

TEST_F(Input, ChangesResetOnlyWhatDependsOnThem)
{
    GoWithMarkers();
    const std::string r1 = app.Text("Label15");
    app.Click("Edit3");
    app.Key("End");
    app.Type("5");   // Edit3: low-pass results and markers only
    EXPECT_EQ(app.Text("Label8"), "0");
    EXPECT_EQ(app.Text("Label15"), r1);
    EXPECT_FALSE(app.Visible("Label12"));
    EXPECT_TRUE(app.Visible("Label25"));
    EXPECT_EQ(app.Points("Chart2"), 100);   // changing R keeps the curves

    GoWithMarkers();
    const std::string c2 = app.Text("Label8");
    ASSERT_NE(c2, "0");
    app.Click("Edit4");
    app.Key("End");
    app.Type("0");   // Edit4: high-pass only
    EXPECT_EQ(app.Text("Label15"), "0");
    EXPECT_EQ(app.Text("Label8"), c2);
    EXPECT_TRUE(app.Visible("Label12"));
    EXPECT_FALSE(app.Visible("Label25"));

    GoWithMarkers();
    app.Click("Edit2");
    app.Key("End");
    app.Type("1");   // changing Q empties both charts
    EXPECT_EQ(app.Points("Chart2"), 0);
    EXPECT_EQ(app.Points("Chart3"), 0);
    EXPECT_TRUE(NoMarkers());
}

TEST_F(Input, GoIsEnabledExactlyWhileAllFieldsHoldText)
{
    for (const char* field : {"Edit1", "Edit2", "Edit3", "Edit4"}) {
        const std::string before = app.Text(field);
        app.Enter(field, "");
        EXPECT_FALSE(app.Enabled("Button2")) << field;
        app.Key("Enter");   // the Enter character reaches the filter and is discarded
        EXPECT_EQ(app.Text(field), "") << field;
        app.Type(",");      // any one character enables "Go"
        EXPECT_TRUE(app.Enabled("Button2")) << field;
        app.Enter(field, before);
    }
}

TEST_F(Input, UnitButtonsSetTheMultipliersAndResetResults)
{
    GoWithMarkers();
    app.Click("RadioButton1");   // already checked: nothing runs
    EXPECT_EQ(app.Text("Label8"), "3");
    EXPECT_TRUE(AllMarkers());
    app.Click("RadioButton2");
    EXPECT_EQ(FreqMultiplier, 1000.0);
    EXPECT_EQ(app.Text("Edit1"), "99999");
    EXPECT_EQ(app.Text("Label8"), "0");
    EXPECT_TRUE(NoMarkers());

    GoWithMarkers();   // 99999 kHz is clamped
    EXPECT_EQ(app.Text("Edit1"), "500");
    app.Click("RadioButton4");
    EXPECT_EQ(CapMultiplier, 1e-6);
    app.Click("RadioButton3");
    EXPECT_EQ(CapMultiplier, 1e-9);

    // The capacitor unit concerns the high-pass section only: its results go back to "0" and
    // its markers go, while the low-pass results stay.
    const auto changeUnitAfterGo = [this](const char* button) {
        ASSERT_NE(app.Text("Label15"), "0") << button;
        ASSERT_TRUE(app.Visible("Label25") || app.Visible("Label23")) << button;
        const std::string lowPass = app.Text("Label7") + " " + app.Text("Label8");
        app.Click(button);
        EXPECT_EQ(app.Text("Label15"), "0") << button;
        EXPECT_EQ(app.Text("Label16"), "0") << button;
        EXPECT_FALSE(app.Visible("Label25") || app.Visible("Label23")) << button;
        EXPECT_EQ(app.Text("Label7") + " " + app.Text("Label8"), lowPass) << button;
    };
    app.Click("RadioButton1");   // Hz
    GoWithMarkers();             // in nF: R1 3 kOhm, marked
    changeUnitAfterGo("RadioButton4");
    app.Enter("Edit1", "1");
    app.Enter("Edit2", "0,3");
    app.Enter("Edit3", "0,1");
    app.Enter("Edit4", "0,01");   // uF: R1 26525,8 kOhm, marked
    app.Click("Button2");
    changeUnitAfterGo("RadioButton3");
}

TEST_F(Input, FilterFamiliesPresetQ)
{
    app.Key("Enter");
    ASSERT_EQ(app.Points("Chart2"), 100);
    const std::string c1 = app.Text("Label7");
    app.Click("RadioButton6");
    EXPECT_EQ(app.Text("Edit2"), "0,71");
    EXPECT_FALSE(app.Enabled("Edit2"));
    EXPECT_EQ(app.Points("Chart2"), 0);
    EXPECT_EQ(app.Text("Label7"), c1);   // no key-press runs for a preset
    for (auto [button, q] : {std::pair{"RadioButton5", "0,58"}, {"RadioButton7", "0,86"},
                             {"RadioButton10", "0,96"}, {"RadioButton8", "0,5"}}) {
        app.Click(button);
        EXPECT_EQ(app.Text("Edit2"), q) << button;
        EXPECT_TRUE(app.Checked(button)) << button;
    }
    app.Click("RadioButton9");
    EXPECT_EQ(app.Text("Edit2"), "");
    EXPECT_TRUE(app.Enabled("Edit2"));
    EXPECT_FALSE(app.Enabled("Button2"));
    EXPECT_EQ(app.Focused(), "Edit2");
    app.Type("0,9");
    EXPECT_TRUE(app.Enabled("Button2"));
}

TEST_F(Input, TheLinkOpensTheMakersPage)
{
    app.Click("Label24");
    ASSERT_EQ(app.Desktop().Urls().size(), 1u);
    EXPECT_EQ(app.Desktop().Urls()[0], MakerWebAddress);
}

TEST(Exit, ExitButtonCloseBoxAndAltF4EndTheLoop)
{
    {
        ProgramHarness app;
        app.Click("Button1");
        EXPECT_TRUE(app.Terminated());
    }
    {
        ProgramHarness app;
        app.CloseWindow();
        EXPECT_TRUE(app.Terminated());
    }
    {
        ProgramHarness app;
        app.Key("Alt+F4");
        EXPECT_TRUE(app.Terminated());
    }
}
