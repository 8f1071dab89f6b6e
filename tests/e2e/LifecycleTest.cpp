// How a session ends (the "Exit" button, a close request from the window manager, Alt+F4),
// what the program costs while it waits, and that it leaves no files behind.

#include "tests/e2e/Filter2Session.h"
#include "tests/e2e/MainWindowLayout.h"

#include <thread>

using namespace std::chrono_literals;
using Lifecycle = Filter2Session;

TEST_F(Lifecycle, ExitButtonEndsTheProgramWithCodeZero)
{
    ClickClient(layout::ExitButton.CentreX(), layout::ExitButton.CentreY());
    auto code = WaitForExit();
    if (!code)
        Shot("not-ended");
    ASSERT_TRUE(code.has_value()) << "filter2 did not end within 5 s of a click on Exit";
    EXPECT_EQ(*code, 0);
}

TEST_F(Lifecycle, CloseRequestFromTheWindowManagerEndsTheProgramWithCodeZero)
{
    // What the close box does: the window manager sends WM_DELETE_WINDOW.
    X().RequestClose(Window());
    auto code = WaitForExit();
    ASSERT_TRUE(code.has_value()) << "filter2 did not end within 5 s of a close request";
    EXPECT_EQ(*code, 0);
}

TEST_F(Lifecycle, AltF4EndsTheProgramWithCodeZero)
{
    PressKeys({"alt+F4"});
    auto code = WaitForExit();
    ASSERT_TRUE(code.has_value()) << "filter2 did not end within 5 s of Alt+F4";
    EXPECT_EQ(*code, 0);
}

TEST_F(Lifecycle, UsesNoProcessorTimeWhileIdle)
{
    // The program waits for events instead of polling: over 2 s without input its processor
    // time grows by less than 20 ms (two clock ticks at the usual 100 Hz), after start-up and
    // again once both charts hold a curve.
    auto idleFor2s = [&] {
        double before = CpuMilliseconds();
        std::this_thread::sleep_for(2s);
        return CpuMilliseconds() - before;
    };
    double atStart = idleFor2s();
    EXPECT_LT(atStart, 20.0) << "filter2 used " << atStart << " ms of processor time in 2 s idle after start-up";

    PressKeys({"Return"});
    auto drawn = ShotWhen("curves", [](const ClientShot& shot) {
        return shot.Count(layout::LowPassChart.Inset(4), IsRed) > 100 &&
               shot.Count(layout::HighPassChart.Inset(4), IsBlue) > 100;
    });
    ASSERT_TRUE(drawn.held) << "Enter drew no curves; see " << drawn.shot.Path();
    double afterCalculation = idleFor2s();
    EXPECT_LT(afterCalculation, 20.0) << "filter2 used " << afterCalculation
                                      << " ms of processor time in 2 s idle after a calculation";
    ASSERT_TRUE(Program().Running());
}

TEST_F(Lifecycle, WritesNothingToItsHomeOrWorkingDirectory)
{
    auto homeBefore = Home().Listing();
    auto workBefore = WorkDir().Listing();

    ReplaceText(layout::FrequencyField, "1000");
    PressKeys({"Return"});
    auto drawn = ShotWhen("curves", [](const ClientShot& shot) {
        return shot.Count(layout::LowPassChart.Inset(4), IsRed) > 100;
    });
    ASSERT_TRUE(drawn.held) << "the calculation drew no curve; see " << drawn.shot.Path();
    ClickClient(layout::ExitButton.CentreX(), layout::ExitButton.CentreY());
    auto code = WaitForExit();
    ASSERT_TRUE(code.has_value()) << "filter2 did not end after Exit";
    EXPECT_EQ(*code, 0);

    EXPECT_EQ(Home().Listing(), homeBefore);
    EXPECT_EQ(WorkDir().Listing(), workBefore);
}
