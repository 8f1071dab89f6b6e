// What the main window's controls do as classic controls, beyond the calculator's handlers:
// pasting into a field, the look of a field that a preset disabled, and the arrow keys on a
// button. Run through the real main window on the headless desktop.

#include "ProgramHarness.h"

#include "app/Unit1.h"
#include "forms/TColor.h"
#include "forms/TCustomForm.h"
#include "forms/TEdit.h"
#include "forms/TPopupLayer.h"
#include "forms/TRadioButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

class MainWindowControls : public ::testing::Test {
protected:
    ProgramHarness app;

    const TCustomEdit& Edit(const std::string& name) const
    {
        return dynamic_cast<const TCustomEdit&>(*app.Control(name));
    }
    static platform::Pixel Px(TColor color) { return ColorToPixel(color) | 0xFF000000u; }
    platform::Pixel At(int x, int y) const { return app.Frame().At(x, y) | 0xFF000000u; }

    // Pixels of the given colour inside a field's sunken edge, as presented.
    int CountInField(const std::string& name, TColor color) const
    {
        int count = 0;
        ForEachInField(name, [&](platform::Pixel p) { count += p == Px(color); });
        return count;
    }
    // The text of a field as drawn over its background: how many pixels differ from the
    // background, and the darkest of them (sum of red, green and blue; text is smoothed, so
    // only the darkest pixels reach the text colour).
    struct Ink {
        int pixels = 0;
        int darkest = 3 * 255;
    };
    Ink InkInField(const std::string& name, TColor background) const
    {
        Ink ink;
        ForEachInField(name, [&](platform::Pixel p) {
            if (p == Px(background))
                return;
            ++ink.pixels;
            ink.darkest = std::min(ink.darkest, int(p & 0xFF) + int((p >> 8) & 0xFF) + int((p >> 16) & 0xFF));
        });
        return ink;
    }
    template <class F>
    void ForEachInField(const std::string& name, F&& visit) const
    {
        const TControl& field = *app.Control(name);
        const platform::Point origin = field.ClientOrigin();
        for (int y = 2; y < field.Height() - 2; ++y)
            for (int x = 2; x < field.Width() - 2; ++x)
                visit(At(origin.x + x, origin.y + y));
    }
    // Grey text: some ink, none of it darker than the grey of disabled text.
    static void ExpectGreyText(const Ink& ink)
    {
        EXPECT_GT(ink.pixels, 10);
        EXPECT_GE(ink.darkest, 3 * 0x80);
    }

    // The row just inside a field's sunken edge (above the text) is all background.
    bool BackgroundRowIs(const std::string& name, TColor color) const
    {
        const TControl& field = *app.Control(name);
        const platform::Point origin = field.ClientOrigin();
        for (int x = 2; x < field.Width() - 2; ++x)
            if (At(origin.x + x, origin.y + 2) != Px(color))
                return false;
        return true;
    }

    // Where the focus may rest after an arrow key on a button of the window: a control of the
    // window itself (not inside a group box), never a group box, and a radio button only when
    // it is checked.
    void ExpectArrowStop(const std::string& from, const std::string& key)
    {
        const std::string focused = app.Focused();
        SCOPED_TRACE(key + " from " + from + " went to " + focused);
        ASSERT_FALSE(focused.empty());
        const TControl* control = app.Control(focused);
        EXPECT_EQ(control->Parent(), Form1);
        EXPECT_EQ(dynamic_cast<const TWinControl&>(*control).ControlCount(), 0);
        if (auto* radio = dynamic_cast<const TRadioButton*>(control)) {
            EXPECT_TRUE(radio->Checked());
        }
    }
};

// Menu rows: 0 Undo, 1 separator, 2 Cut, 3 Copy, 4 Paste, 5 Delete, 6 separator, 7 Select All.
constexpr int kPasteRow = 4;

} // namespace

TEST_F(MainWindowControls, PastingWithNothingPasteableChangesNothing)
{
    app.Key("Enter");   // results and curves from the start values
    const std::string c1 = app.Text("Label7");
    ASSERT_NE(c1, "0");
    ASSERT_EQ(app.Focused(), "Edit1");
    ASSERT_EQ(Edit("Edit1").SelLength(), 3);   // "100", selected since start-up

    // An empty clipboard, and one whose first line is empty (a single-line field keeps only
    // the first line of what it is given).
    for (const char* clipboard : {"", "\r\n250"}) {
        SCOPED_TRACE(std::string("clipboard \"") + clipboard + "\"");
        app.Desktop().SetClipboardText(clipboard);
        // The edit menu offers no Paste in this state ...
        app.Key("Shift+F10");
        ASSERT_TRUE(Form1->PopupLayer().IsOpen());
        EXPECT_EQ(Form1->PopupLayer().Menu().Item(kPasteRow).caption, "Paste");
        EXPECT_FALSE(Form1->PopupLayer().Menu().Item(kPasteRow).enabled);
        app.Key("Escape");
        ASSERT_FALSE(Form1->PopupLayer().IsOpen());
        // ... and the paste key does nothing either: the selected text stays, and with it
        // "Go", the results and the curves.
        app.Key("Shift+Insert");
        EXPECT_EQ(app.Text("Edit1"), "100");
        EXPECT_EQ(Edit("Edit1").SelLength(), 3);
        EXPECT_TRUE(app.Enabled("Button2"));
        EXPECT_EQ(app.Text("Label7"), c1);
        EXPECT_EQ(app.Points("Chart2"), 100);
    }

    // Something pasteable replaces the selection as before.
    app.Desktop().SetClipboardText("250\r\nsecond line");
    app.Key("Shift+Insert");
    EXPECT_EQ(app.Text("Edit1"), "250");
    EXPECT_TRUE(app.Enabled("Button2"));
}

TEST_F(MainWindowControls, AFieldDisabledByAPresetKeepsItsColourAndGreysItsText)
{
    app.Enter("Edit2", "3");
    app.Click("Button2");   // Q above its range: clamped to "2,5" and coloured yellow
    ASSERT_EQ(app.Text("Edit2"), "2,5");
    ASSERT_EQ(app.Color("Edit2"), clYellow);
    EXPECT_TRUE(BackgroundRowIs("Edit2", clYellow));

    app.Click("RadioButton6");   // a preset disables the field
    ASSERT_FALSE(app.Enabled("Edit2"));
    ASSERT_EQ(app.Text("Edit2"), "0,71");
    EXPECT_EQ(app.Color("Edit2"), clYellow);
    // Yellow on screen until the next "Go", with the text in the grey of disabled text.
    EXPECT_TRUE(BackgroundRowIs("Edit2", clYellow));
    EXPECT_GT(CountInField("Edit2", clYellow), 53 * 17 / 2);
    ExpectGreyText(InkInField("Edit2", clYellow));

    app.Click("Button2");   // "Go" gives every field its normal colour back
    EXPECT_EQ(app.Color("Edit2"), clWindow);
    EXPECT_FALSE(app.Enabled("Edit2"));
    EXPECT_TRUE(BackgroundRowIs("Edit2", clWindow));
    EXPECT_GT(CountInField("Edit2", clWindow), 53 * 17 / 2);
    ExpectGreyText(InkInField("Edit2", clWindow));

    // An enabled field draws its text in the (black) window text colour.
    EXPECT_LT(InkInField("Edit3", clWindow).darkest, 3 * 0x40);
}

TEST_F(MainWindowControls, ArrowsOnAButtonMoveAmongTheWindowsOwnControlsOntoNoUncheckedRadioButton)
{
    // "Go" (calculating, and taking the focus): Up goes back past the group box of the
    // high-pass section to the Q field, Down to "Exit", and on from there to the fc field.
    app.Click("Button2");
    const std::string c1 = app.Text("Label7");
    ASSERT_NE(c1, "0");
    ASSERT_EQ(app.Focused(), "Button2");
    app.Key("Up");
    EXPECT_EQ(app.Focused(), "Edit2");
    app.Click("Button2");
    app.Key("Down");
    EXPECT_EQ(app.Focused(), "Button1");
    app.Key("Up");
    EXPECT_EQ(app.Focused(), "Button2");
    app.Key("Down");
    app.Key("Down");
    EXPECT_EQ(app.Focused(), "Edit1");

    // With Q preset the Q field cannot take the focus; before it comes the unchecked "kHz",
    // which the arrow passes for the checked "Hz". No unit changes, no result is reset.
    app.Click("RadioButton6");
    app.Click("Button2");
    const std::string c1Preset = app.Text("Label7");
    app.Key("Up");
    EXPECT_EQ(app.Focused(), "RadioButton1");
    EXPECT_TRUE(app.Checked("RadioButton1"));
    EXPECT_FALSE(app.Checked("RadioButton2"));
    EXPECT_EQ(FreqMultiplier, 1.0);
    EXPECT_EQ(app.Text("Label7"), c1Preset);

    // The radio group's own arrows check as they move; from "Go", Up then finds "kHz" checked
    // and stops there.
    app.Key("Down");
    ASSERT_TRUE(app.Checked("RadioButton2"));
    app.Click("Button2");
    app.Key("Up");
    EXPECT_EQ(app.Focused(), "RadioButton2");

    // Every arrow from either button, with the Q field enabled and with it disabled.
    for (const bool presetQ : {false, true}) {
        if (presetQ) {
            app.Click("RadioButton5");
        } else {
            app.Click("RadioButton9");
            app.Type("0,7");
        }
        ASSERT_EQ(app.Enabled("Edit2"), !presetQ);
        ASSERT_TRUE(app.Enabled("Button2"));
        for (const char* button : {"Button1", "Button2"})
            for (const char* key : {"Up", "Down", "Left", "Right"}) {
                dynamic_cast<TWinControl&>(*app.Control(button)).SetFocus();
                app.Pump();
                ASSERT_EQ(app.Focused(), button);
                app.Key(key);
                ExpectArrowStop(button, key);
            }
    }
}
