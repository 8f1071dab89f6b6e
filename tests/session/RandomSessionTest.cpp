// A long random session through the real program on the headless desktop: after every action
// the window must still be consistent ("Go" enabled exactly while all fields hold text, one
// checked radio per group at most, whole curves or none, result labels that are numbers) and
// every message box must be the conversion complaint about one of the fields.
//
// F2_SESSION_SEED and F2_SESSION_EVENTS replace the fixed seed and the number of actions, to
// replay a failure or to run longer.

#include "ProgramHarness.h"
#include "RandomInput.h"

#include "app/Unit1.h"
#include "forms/TApplication.h"
#include "forms/TEdit.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t kSeed = 20240611;
constexpr int kEvents = 20000;

uint32_t FromEnvironment(const char* name, uint32_t fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? uint32_t(std::strtoul(value, nullptr, 10)) : fallback;
}

constexpr std::array kFields{"Edit1", "Edit2", "Edit3", "Edit4"};
constexpr std::array kResults{"Label7", "Label8", "Label15", "Label16"};

// "0", or digits with at most one decimal digit after a comma.
bool IsResultText(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == 0)
        return false;
    if (i == text.size())
        return true;
    return i + 2 == text.size() && text[i] == ',' && text[i + 1] >= '0' && text[i + 1] <= '9';
}

// Watches the desktop's message boxes: each one, as it opens, must be the conversion error
// about the text one of the fields holds at that moment, captioned with the program's title
// and shown with the error icon over the main window.
class MessageBoxWatch {
public:
    explicit MessageBoxWatch(ProgramHarness& app)
    {
        app.Desktop().onMessageBox = [this, &app](const platform::HeadlessDesktop::MessageRecord& box) {
            ++count_;
            if (box.caption != Application->Title())
                problems_.push_back("message box caption \"" + box.caption + "\", expected \"" +
                                    Application->Title() + "\"; text: " + Abbreviated(box.text));
            if (box.icon != platform::MessageBoxIcon::Error)
                problems_.push_back("message box without the error icon: " + Abbreviated(box.text));
            if (box.owner != Form1->NativeWindow().Id())
                problems_.push_back("message box not owned by the main window");
            bool known = false;
            for (const char* field : kFields)
                known = known || box.text == "'" + app.Text(field) + "' is not a valid floating point value.";
            if (!known)
                problems_.push_back("unexpected message box text: " + Abbreviated(box.text));
        };
    }

    int Count() const { return count_; }
    // Problems seen since the last call.
    std::vector<std::string> TakeProblems() { return std::exchange(problems_, {}); }

private:
    int count_ = 0;
    std::vector<std::string> problems_;
};

::testing::AssertionResult Consistent(ProgramHarness& app)
{
    if (app.Terminated())
        return ::testing::AssertionFailure() << "the program ended without being asked to";
    bool allHoldText = true;
    for (const char* field : kFields)
        allHoldText = allHoldText && !app.Text(field).empty();
    if (app.Enabled("Button2") != allHoldText)
        return ::testing::AssertionFailure() << "\"Go\" is " << (app.Enabled("Button2") ? "enabled" : "disabled")
                                             << " while " << (allHoldText ? "all fields hold text" : "a field is empty");
    const std::vector<std::vector<const char*>> groups{
        {"RadioButton1", "RadioButton2"},
        {"RadioButton3", "RadioButton4"},
        {"RadioButton5", "RadioButton6", "RadioButton7", "RadioButton8", "RadioButton9", "RadioButton10"}};
    for (const auto& group : groups) {
        int checked = 0;
        for (const char* radio : group)
            checked += app.Checked(radio) ? 1 : 0;
        if (checked > 1)
            return ::testing::AssertionFailure() << checked << " radio buttons checked in the group of " << group[0];
    }
    for (const char* chart : {"Chart2", "Chart3"}) {
        const int points = app.Points(chart);
        if (points != 0 && points != 100)
            return ::testing::AssertionFailure() << chart << " holds " << points << " points";
    }
    for (const char* label : kResults)
        if (!IsResultText(app.Text(label)))
            return ::testing::AssertionFailure() << label << " reads \"" << app.Text(label) << "\"";
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(RandomSession, TwentyThousandEventsKeepTheWindowConsistent)
{
    const uint32_t seed = FromEnvironment("F2_SESSION_SEED", kSeed);
    const int events = int(FromEnvironment("F2_SESSION_EVENTS", kEvents));
    ProgramHarness app;
    MessageBoxWatch boxes(app);
    RandomInput input(app, seed);
    ASSERT_TRUE(Consistent(app));

    int computed = 0;
    size_t longestField = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < events; ++i) {
        RandomAction action = input.Next();
        SCOPED_TRACE(::testing::Message() << "seed " << seed << ", event " << i << ": " << action.description);
        ASSERT_NO_THROW(action.perform());
        for (const std::string& problem : boxes.TakeProblems())
            ADD_FAILURE() << problem;
        ASSERT_TRUE(Consistent(app));
        if (HasFailure())
            return;
        if (app.Points("Chart2") == 100 && app.Text("Label8") != "0")
            ++computed;
        for (const char* field : kFields)
            longestField = std::max(longestField, app.Text(field).size());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The run must have met the interesting states, or it proves little.
    EXPECT_GT(boxes.Count(), 0) << "no conversion error was provoked";
    EXPECT_GT(computed, 0) << "no calculation ran";
    EXPECT_GE(longestField, 10000u) << "no 10,000-character text reached a field";
    std::cout << "seed " << seed << ": " << events << " events in " << seconds << " s, " << boxes.Count()
              << " message boxes, " << computed << " events with results shown, longest field text "
              << longestField << " bytes\n";
}
