// The program and its display. Without a display it does not start; when the X server ends or
// resets under it, while it starts or while it runs, it ends at once with one line on standard
// error and a non-zero exit code. It never goes on without its window, never spins, and SIGTERM
// ends it. Every test runs its own Xvfb, since it ends or resets the server.

#include "tests/e2e/Deadline.h"
#include "tests/e2e/ProgramUnderTest.h"
#include "tests/e2e/TempDir.h"
#include "tests/e2e/WindowManager.h"
#include "tests/e2e/XDisplay.h"
#include "tests/e2e/XTools.h"
#include "tests/support/TextLines.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <iostream>
#include <sstream>
#include <thread>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// The program notices a lost connection as soon as the server closes it; the limit leaves room
// for a machine busy with other tests.
constexpr auto kEndsWithin = 2000ms;

struct Ending {
    bool ended = false;
    int exitCode = -1;   // -1: ended by a signal
    long milliseconds = 0;
    std::string output;  // standard output and error
};

Ending AwaitEnd(ChildProcess& program, Clock::time_point since, std::chrono::milliseconds timeout,
                const std::string& logFile)
{
    Ending ending;
    const auto status = program.WaitFor(timeout);
    ending.milliseconds = long(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
    if (status) {
        ending.ended = true;
        ending.exitCode = WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
    }
    ending.output = FileText(logFile);
    return ending;
}

// Ended with a non-zero code and exactly one line "filter2: ...<what>...".
void ExpectEndedWithOneLine(const Ending& ending, const std::string& what, const std::string& context)
{
    ASSERT_TRUE(ending.ended) << context << ": still running " << ending.milliseconds << " ms later";
    EXPECT_GT(ending.exitCode, 0) << context << " (-1: killed by a signal)";
    const auto lines = Lines(ending.output);
    ASSERT_EQ(lines.size(), 1u) << context << ": the output was:\n" << ending.output;
    EXPECT_EQ(lines[0].rfind("filter2: ", 0), 0u) << context << ": " << lines[0];
    EXPECT_NE(lines[0].find(what), std::string::npos) << context << ": " << lines[0];
}

class DisplayLoss : public ::testing::Test {
protected:
    std::string Log(const std::string& what) const
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        return E2eLogPath(std::string(info->test_suite_name()) + "." + info->name() + "-" + what);
    }

    std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& displayVariables, const std::string& log)
    {
        std::remove(log.c_str());
        return StartProgramUnderTest(displayVariables, home_.Path(), work_.Path(), log);
    }

    TempDir home_{"f2-e2e-home"};
    TempDir work_{"f2-e2e-work"};
};

TEST_F(DisplayLoss, WithoutADisplayTheProgramEndsAtOnceWithOneLine)
{
    // As in a text console or an ssh session: no DISPLAY, no WAYLAND_DISPLAY (and no
    // XDG_RUNTIME_DIR either).
    {
        const std::string log = Log("none");
        auto program = Start({}, log);
        const Ending ending = AwaitEnd(*program, Clock::now(), kEndsWithin, log);
        std::cout << "no display: ended after " << ending.milliseconds << " ms: " << ending.output;
        ExpectEndedWithOneLine(ending, "cannot open the display", "without any display");
    }
    // A display that is named but has no server behind it: a socket path where none exists
    // (a display number could be taken by another server meanwhile).
    {
        const std::string name = work_.Path() + "/no-server:0";
        const std::string log = Log("gone");
        auto program = Start({"DISPLAY=" + name}, log);
        const Ending ending = AwaitEnd(*program, Clock::now(), kEndsWithin, log);
        std::cout << "display " << name << " without a server: ended after " << ending.milliseconds
                  << " ms: " << ending.output;
        ExpectEndedWithOneLine(ending, "cannot open the display " + name, "a display without a server");
    }
}

TEST_F(DisplayLoss, WhenTheServerEndsUnderTheRunningProgramItEndsWithOneLine)
{
    // Ended politely (SIGTERM) and killed (SIGKILL), each time under a window manager, which
    // is where the program used to hang in its exit handlers.
    for (int signal : {SIGTERM, SIGKILL}) {
        const std::string round = signal == SIGTERM ? "sigterm" : "sigkill";
        XDisplay display(Log(round + "-xvfb"), {.privateServer = true});
        XTools tools(display.ToolEnvironment());
        TempDir wmHome("f2-e2e-wm");
        WindowManager windowManager(tools, display.ClientVariables(), wmHome.Path(), Log(round + "-openbox"));
        const std::string log = Log(round);
        auto program = Start(display.ClientVariables(), log);
        const bool shown = Deadline(15s).PollUntil(
            [&] { return !program->Running() || !tools.VisibleWindowsOf(program->Pid()).empty(); }, 50ms);
        ASSERT_TRUE(shown && program->Running()) << round << ": the program showed no window; output:\n"
                                                 << FileText(log);

        // Our own connection must not be open when the server goes.
        display.ReleaseConnection();
        const auto lost = Clock::now();
        ASSERT_EQ(kill(display.Server()->Pid(), signal), 0);
        const Ending ending = AwaitEnd(*program, lost, kEndsWithin, log);
        std::cout << "server ended by " << round << ": the program ended after " << ending.milliseconds
                  << " ms: " << ending.output;
        ExpectEndedWithOneLine(ending, "lost the display " + display.Name(), round);
    }
}

TEST_F(DisplayLoss, AServerThatResetsWhileTheProgramStartsEndsItOrLetsItRunWithItsWindow)
{
    // An Xvfb without -noreset resets whenever its last client leaves, and a reset closes every
    // connection, including one that is still being set up. The program either connects after
    // the reset and runs with its window, or loses its connection while it starts and ends at
    // once with one line. Rounds: our own connection (the last other client) leaves a few
    // milliseconds after the program was started; then resets forced with SIGHUP, the same
    // reset, at several moments of the start, the last once the program's window exists.
    struct Round {
        std::string name;
        bool byHangUp;
        int delayMs;   // -1: once the window exists
    };
    const std::vector<Round> rounds{{"leave-0", false, 0},   {"leave-5", false, 5},   {"leave-20", false, 20},
                                    {"leave-60", false, 60}, {"hup-0", true, 0},      {"hup-30", true, 30},
                                    {"hup-100", true, 100},  {"hup-window", true, -1}};
    int cut = 0;
    int ranOn = 0;
    for (const Round& round : rounds) {
        SCOPED_TRACE(round.name);
        XDisplay display(Log(round.name + "-xvfb"), {.privateServer = true, .resetWhenLastClientLeaves = true});
        XTools tools(display.ToolEnvironment());
        const std::string log = Log(round.name);
        auto program = Start(display.ClientVariables(), log);
        if (round.delayMs >= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(round.delayMs));
        } else {
            // Any window of the program, shown or not: it is connected and on its way.
            const bool created = Deadline(15s).PollUntil([&] {
                return !program->Running() ||
                       tools.Try({"xdotool", "search", "--pid", std::to_string(program->Pid())}).Ok();
            }, 10ms);
            ASSERT_TRUE(created && program->Running()) << "no window was created; output:\n" << FileText(log);
        }
        // Our connection goes first in every round: a reset would break it under us.
        const auto reset = Clock::now();
        display.ReleaseConnection();
        if (round.byHangUp) {
            ASSERT_EQ(kill(display.Server()->Pid(), SIGHUP), 0);
        }

        // Either it ends, or its window appears; nothing in between lasts.
        const bool settled = Deadline(10s).PollUntil(
            [&] { return !program->Running() || !tools.VisibleWindowsOf(program->Pid()).empty(); }, 20ms);
        if (!program->Running()) {
            const Ending ending = AwaitEnd(*program, reset, kEndsWithin, log);
            std::cout << round.name << ": the program ended after " << ending.milliseconds << " ms: " << ending.output;
            EXPECT_LT(ending.milliseconds, kEndsWithin.count());
            ExpectEndedWithOneLine(ending, "the display", round.name);
            ++cut;
            continue;
        }
        ASSERT_TRUE(settled) << "the program runs without its window; output:\n" << FileText(log);
        ++ranOn;
        // SIGTERM ends it normally.
        ASSERT_EQ(kill(program->Pid(), SIGTERM), 0);
        const Ending ending = AwaitEnd(*program, Clock::now(), kEndsWithin, log);
        std::cout << round.name << ": the program connected after the reset and ran; SIGTERM ended it after "
                  << ending.milliseconds << " ms\n";
        ASSERT_TRUE(ending.ended) << "SIGTERM did not end the program";
        EXPECT_EQ(ending.exitCode, 0);
        EXPECT_EQ(ending.output, "");
    }
    std::cout << cut << " rounds lost the connection while starting, " << ranOn << " connected after the reset\n";
    // The last round resets a connected program: the test cannot pass without the loss itself.
    EXPECT_GE(cut, 1);
}

} // namespace
