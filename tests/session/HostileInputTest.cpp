// Input no user should give but some will: enormous pasted numbers, exponents far beyond any
// range, text the key filter never lets through, and a field fixed after a comma fault.

#include "ProgramHarness.h"

#include "app/Unit1.h"
#include "forms/TApplication.h"
#include "forms/TColor.h"
#include "forms/TControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

class HostileInput : public ::testing::Test {
protected:
    ProgramHarness app;

    // Replaces the whole text of a field through the clipboard, as a user pasting would.
    void Paste(const std::string& field, const std::string& text)
    {
        app.Desktop().SetClipboardText(text);
        app.Click(field);
        app.Key("Home");
        app.Key("Shift+End");
        app.Key("Shift+Insert");
    }
    std::string Complaint(const std::string& text) const
    {
        return "'" + text + "' is not a valid floating point value.";
    }
    // The pixels of a control as the window last presented them.
    std::vector<platform::Pixel> Pixels(const std::string& name)
    {
        const TControl* control = app.Control(name);
        const platform::Point origin = control->ClientOrigin();
        const platform::Raster& frame = app.Desktop().FindWindow(Form1->NativeWindow().Id())->LastFrame();
        std::vector<platform::Pixel> pixels;
        for (int y = origin.y; y < origin.y + control->Height(); ++y)
            pixels.insert(pixels.end(), frame.Row(y) + origin.x, frame.Row(y) + origin.x + control->Width());
        return pixels;
    }
    std::vector<std::string> Results() const
    {
        return {app.Text("Label7"), app.Text("Label8"), app.Text("Label15"), app.Text("Label16")};
    }
};

} // namespace

TEST_F(HostileInput, TenThousandDigitsGiveTheConversionMessageAndKeepTheField)
{
    app.Click("Button2");
    const auto before = Results();
    ASSERT_NE(before[1], "0");
    const std::string digits(10000, '9');   // 1e10000: beyond the extended range
    Paste("Edit1", digits);
    ASSERT_EQ(app.Text("Edit1"), digits);
    app.Click("Button2");
    ASSERT_EQ(app.Desktop().Messages().size(), 1u);
    const auto& box = app.Desktop().Messages()[0];
    EXPECT_EQ(box.text, Complaint(digits));
    EXPECT_EQ(box.caption, Application->Title());
    EXPECT_EQ(box.icon, platform::MessageBoxIcon::Error);
    // Nothing was marked, clamped or computed; the text is still there to be corrected.
    EXPECT_EQ(app.Text("Edit1"), digits);
    EXPECT_EQ(app.Color("Edit1"), clWindow);
    EXPECT_FALSE(app.Visible("Label19"));
    EXPECT_FALSE(app.Visible("Label20"));
    EXPECT_EQ(Results(), before);   // a paste runs no key-press reset, and the error none either
    EXPECT_EQ(app.Points("Chart2"), 100);
}

TEST_F(HostileInput, ExponentsBeyondTheExtendedRangeAreConversionErrors)
{
    for (const char* text : {"1e5000", "-1e5000", "1e99999999999999999999"}) {
        Paste("Edit3", text);
        app.Click("Button2");
        ASSERT_FALSE(app.Desktop().Messages().empty()) << text;
        EXPECT_EQ(app.Desktop().Messages().back().text, Complaint(text));
        EXPECT_EQ(app.Text("Edit3"), text);
    }
    EXPECT_EQ(app.Desktop().Messages().size(), 3u);
}

TEST_F(HostileInput, NumbersBeyondDoubleButInsideExtendedAreClampedNotLost)
{
    // 1e4000 fits the extended format but no double: it is simply too large a frequency.
    Paste("Edit1", "1e4000");
    app.Click("Button2");
    EXPECT_TRUE(app.Desktop().Messages().empty());
    EXPECT_EQ(app.Text("Edit1"), "99999");
    EXPECT_TRUE(app.Visible("Label19"));
    EXPECT_EQ(app.Color("Edit1"), clYellow);

    Paste("Edit1", "-1e4000");
    app.Click("Button2");
    EXPECT_EQ(app.Text("Edit1"), "1");

    // Two thousand typed nines are 1e2000: the same clamp, reached by the keyboard.
    app.Enter("Edit1", std::string(2000, '9'));
    app.Click("Button2");
    EXPECT_TRUE(app.Desktop().Messages().empty());
    EXPECT_EQ(app.Text("Edit1"), "99999");

    // A value too small for any format reads as zero and is clamped to the lower limit.
    Paste("Edit3", "1e-5000");
    app.Click("Button2");
    EXPECT_TRUE(app.Desktop().Messages().empty());
    EXPECT_EQ(app.Text("Edit3"), "0,1");
}

TEST_F(HostileInput, LongButValidNumbersComputeLikeTheirShortForms)
{
    app.Click("Button2");
    const auto expected = Results();
    ASSERT_EQ(expected, std::vector<std::string>({"67,5", "34,4", "113,7", "222,8"}));
    Paste("Edit3", std::string(9998, '0') + "33");
    Paste("Edit2", "0,7" + std::string(9997, '0'));
    app.Click("Button2");
    EXPECT_TRUE(app.Desktop().Messages().empty());
    EXPECT_EQ(Results(), expected);
}

TEST_F(HostileInput, PastedTextTheFilterWouldRejectIsJudgedByGo)
{
    // Letters, Cyrillic, signs and a second line: the paste bypasses the key filter; only the
    // first line arrives, and "Go" reports the rest exactly as the field holds it.
    Paste("Edit4", "12абв€\nsecond line");
    EXPECT_EQ(app.Text("Edit4"), "12абв€");
    app.Click("Button2");
    ASSERT_EQ(app.Desktop().Messages().size(), 1u);
    EXPECT_EQ(app.Desktop().Messages()[0].text, Complaint("12абв€"));

    // Malformed UTF-8 never reaches the field as bytes: each bad byte is one replacement mark.
    Paste("Edit4", "7\xff");
    EXPECT_EQ(app.Text("Edit4"), "7\xEF\xBF\xBD");
    app.Click("Button2");
    EXPECT_EQ(app.Desktop().Messages().back().text, Complaint("7\xEF\xBF\xBD"));

    // A sign and spaces are part of the number grammar: "-5" is a range fault, not an error.
    Paste("Edit4", " -5 ");
    app.Click("Button2");
    EXPECT_EQ(app.Desktop().Messages().size(), 2u);
    EXPECT_EQ(app.Text("Edit4"), "0,1");
}

TEST_F(HostileInput, ACorrectedCommaFaultDoesNotBlockTheNextGo)
{
    // The leading-comma flag is worked out afresh for every field at every press of "Go":
    // once the text is fixed, the calculation runs.
    app.Enter("Edit2", ",7");
    app.Click("Button2");
    ASSERT_TRUE(app.Visible("Label20"));
    EXPECT_EQ(app.Text("Label8"), "0");
    app.Enter("Edit2", "0,7");
    app.Click("Button2");
    EXPECT_FALSE(app.Visible("Label20"));
    EXPECT_EQ(app.Text("Label8"), "34,4");
    EXPECT_FALSE(LeadingComma);
}

TEST_F(HostileInput, MessageBoxesArePerPressAndTheProgramGoesOn)
{
    Paste("Edit2", "x");
    for (int i = 0; i < 3; ++i)
        app.Key("Enter");   // "Go" by the default button, three times
    EXPECT_EQ(app.Desktop().Messages().size(), 3u);
    Paste("Edit2", "0,7");
    app.Key("Enter");
    EXPECT_EQ(app.Desktop().Messages().size(), 3u);
    EXPECT_EQ(app.Text("Label8"), "34,4");
    EXPECT_FALSE(app.Terminated());
}

TEST_F(HostileInput, AFieldWithTenThousandCharactersShowsWhatItsVisiblePartShows)
{
    // The field draws only the characters in view; what it shows must be exactly what the
    // same characters show when they are the whole text: at the end, at the start, selected.
    std::string longText, shortText;
    for (int i = 0; i < 1000; ++i)
        longText += "1234567890";
    for (int i = 0; i < 4; ++i)
        shortText += "1234567890";
    const auto look = [&](const std::string& text) {
        std::vector<std::vector<platform::Pixel>> views;
        Paste("Edit1", text);   // the caret ends after the pasted text
        views.push_back(Pixels("Edit1"));
        app.Key("Shift+Home");
        views.push_back(Pixels("Edit1"));
        app.Key("Left");
        views.push_back(Pixels("Edit1"));
        return views;
    };
    const auto longViews = look(longText);
    ASSERT_EQ(app.Text("Edit1"), longText);
    const auto shortViews = look(shortText);
    ASSERT_EQ(app.Text("Edit1"), shortText);
    for (size_t i = 0; i < longViews.size(); ++i)
        EXPECT_TRUE(longViews[i] == shortViews[i]) << "view " << i;
    // And the views differ from each other, or the comparison proves nothing.
    EXPECT_FALSE(longViews[0] == longViews[1]);
    EXPECT_FALSE(longViews[0] == longViews[2]);

    // A run of digits leaves no blank gap wider than a digit anywhere across the text area,
    // edges included: no character in view was left out, scrolled to the end or to the start.
    const int width = app.Control("Edit1")->Width(), height = app.Control("Edit1")->Height();
    for (size_t v : {size_t(0), size_t(2)}) {
        const auto& view = longViews[v];
        const platform::Pixel background = view[size_t(3 * width + 3)];
        int lastInk = 2, widestGap = 0;
        for (int x = 3; x < width - 3; ++x) {
            bool ink = false;
            for (int y = 3; y < height - 3; ++y)
                ink = ink || view[size_t(y * width + x)] != background;
            if (ink) {
                widestGap = std::max(widestGap, x - lastInk - 1);
                lastInk = x;
            }
        }
        widestGap = std::max(widestGap, width - 4 - lastInk);
        EXPECT_LT(widestGap, 6) << "view " << v;
    }
}
