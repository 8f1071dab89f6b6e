// "windows", "use", "move" and the window-addressed input and queries: each window's input goes
// to its own native window, "use" alone returns to the main window, an unknown or hidden
// window changes nothing, and a window that has gone answers with an error.

#include "DriverSession.h"

#include "platform/PngFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(WindowCommands, ListsTheOpenWindowsWithTheirCaptions)
{
    const auto alone = RunSession("windows\ndump\n");
    ASSERT_EQ(alone.size(), 2u);
    const auto one = JsonLines(alone[0]);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0]["name"].String(), "Form1");
    EXPECT_EQ(one[0]["class"].String(), "TForm1");
    EXPECT_EQ(one[0]["caption"].String(), Described(alone[1], "Form1")["text"].String());
    EXPECT_TRUE(one[0]["active"].Bool());

    // The never-shown "Shelf" is no open window.
    const auto both = RunSession("windows\n", OpenProbeWindow);
    ASSERT_EQ(both.size(), 1u);
    const auto two = JsonLines(both[0]);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0]["name"].String(), "Form1");
    EXPECT_EQ(two[1]["name"].String(), "Probe");
    EXPECT_EQ(two[1]["class"].String(), "TForm");
    EXPECT_EQ(two[1]["caption"].String(), "Probe window");
    EXPECT_NE(two[0]["active"].Bool(), two[1]["active"].Bool()) << both[0];
}

TEST(WindowCommands, UseAddressesTheNamedWindowUntilUseAlone)
{
    const auto r = RunSession("dump\n"
                              "use probe\n"
                              "dump\n"
                              "click ProbeEdit\n"
                              "type abc\n"
                              "key Shift+Home\n"
                              "dump\n"
                              "state\n"
                              "use\n"
                              "dump\n"
                              "state\n"
                              "click ProbeEdit\n",
                              OpenProbeWindow);
    ASSERT_EQ(r.size(), 12u);
    EXPECT_EQ(r[1], "");   // the name's case does not matter
    EXPECT_EQ(JsonLines(r[2]).front()["name"].String(), "Probe");
    const JsonValue edit = Described(r[6], "ProbeEdit");
    EXPECT_EQ(edit["text"].String(), "abc");
    EXPECT_EQ(edit["selStart"].Number(), 0);
    EXPECT_EQ(edit["selLength"].Number(), 3);
    EXPECT_NE(r[7].find("\"focus\":\"ProbeEdit\""), std::string::npos) << r[7];

    // Back on the main window: its fields never saw the typing, its focus is its own.
    EXPECT_EQ(r[9], r[0]);
    EXPECT_EQ(r[10].find("ProbeEdit"), std::string::npos) << r[10];
    EXPECT_EQ(r[11], "error: no control named ProbeEdit\n");
}

TEST(WindowCommands, AClickActivatesItsWindow)
{
    const auto active = [](const std::string& windows) {
        std::string names;
        for (const JsonValue& window : JsonLines(windows))
            if (window["active"].Bool())
                names += window["name"].String() + " ";
        return names;
    };
    const auto r = RunSession("windows\n"
                              "use Probe\n"
                              "rclick ProbePad\n"
                              "windows\n"
                              "use\n"
                              "click Edit1\n"
                              "windows\n"
                              "use Probe\n"
                              "menu\n",
                              OpenProbeWindow);
    ASSERT_EQ(r.size(), 9u);
    EXPECT_EQ(active(r[0]), "Form1 ");
    EXPECT_EQ(active(r[3]), "Probe ");
    EXPECT_EQ(active(r[6]), "Form1 ");
    // Leaving the probe closed the menu its right-click had opened.
    EXPECT_EQ(r[8], "error: no popup menu is open\n");
}

TEST(WindowCommands, UnknownOrHiddenWindowsChangeNothing)
{
    const auto r = RunSession("use Nowhere\n"
                              "use Shelf\n"
                              "dump\n"
                              "use Probe\n"
                              "use Nowhere\n"
                              "dump\n"
                              "use Form1\n"
                              "dump\n",
                              OpenProbeWindow);
    ASSERT_EQ(r.size(), 8u);
    EXPECT_EQ(r[0], "error: no open window named Nowhere\n");
    EXPECT_EQ(r[1], "error: no open window named Shelf\n");
    EXPECT_EQ(JsonLines(r[2]).front()["name"].String(), "Form1");
    EXPECT_EQ(r[4], "error: no open window named Nowhere\n");
    EXPECT_EQ(JsonLines(r[5]).front()["name"].String(), "Probe");
    // The main window by its name is the same as "use" alone.
    EXPECT_EQ(r[6], "");
    EXPECT_EQ(r[7], r[2]);
}

TEST(WindowCommands, MoveHoversInTheAddressedWindowOnly)
{
    const auto r = RunSession("use Probe\n"
                              "move 30 75\n"
                              "dump\n"
                              "move 200 190\n"
                              "dump\n"
                              "use\n"
                              "move 30 75\n"
                              "use Probe\n"
                              "dump\n"
                              "move\n"
                              "move 5\n"
                              "move a b\n",
                              OpenProbeWindow);
    ASSERT_EQ(r.size(), 12u);
    EXPECT_EQ(r[1], "");
    // ProbePad lies at (10, 50): the pointer is at (20, 25) in it.
    EXPECT_EQ(Described(r[2], "ProbePad")["text"].String(), "inside");
    EXPECT_EQ(Described(r[2], "ProbeLabel")["text"].String(), "20,25");
    // Off the pad: it is left, and its move handler no longer runs.
    EXPECT_EQ(Described(r[4], "ProbePad")["text"].String(), "outside");
    EXPECT_EQ(Described(r[4], "ProbeLabel")["text"].String(), "20,25");
    // The same point in the main window is not over the probe's pad.
    EXPECT_EQ(Described(r[8], "ProbePad")["text"].String(), "outside");
    for (int i : {9, 10, 11})
        EXPECT_EQ(r[i], "error: move takes X Y\n");
}

TEST(WindowCommands, PngIsTheAddressedWindowsFrame)
{
    const std::filesystem::path dir = testing::TempDir();
    const std::string probe = (dir / "ui-driver-probe.png").string();
    const std::string main = (dir / "ui-driver-main.png").string();
    const auto r = RunSession("use Probe\npng " + probe + "\nuse\npng " + main + "\ndump\n", OpenProbeWindow);
    ASSERT_EQ(r.size(), 5u);
    ASSERT_EQ(r[1], "");
    ASSERT_EQ(r[3], "");
    const platform::Raster probeFrame = platform::ReadPng(probe);
    EXPECT_EQ(probeFrame.Width(), 300);
    EXPECT_EQ(probeFrame.Height(), 200);
    const platform::Raster mainFrame = platform::ReadPng(main);
    const JsonValue form = Described(r[4], "Form1");
    EXPECT_EQ(mainFrame.Width(), form["clientWidth"].Number());
    EXPECT_EQ(mainFrame.Height(), form["clientHeight"].Number());
    std::filesystem::remove(probe);
    std::filesystem::remove(main);
}

TEST(WindowCommands, AWindowThatHasGoneAnswersWithAnError)
{
    // The probe frees itself when closed; the program goes on with the main window.
    const auto r = RunSession("use Probe\n"
                              "close\n"
                              "windows\n"
                              "dump\n"
                              "key Enter\n"
                              "series ProbeChart\n"
                              "menu\n"
                              "state\n"
                              "use\n"
                              "dump\n",
                              OpenProbeWindow);
    ASSERT_EQ(r.size(), 10u);
    EXPECT_EQ(r[1], "");
    const auto open = JsonLines(r[2]);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0]["name"].String(), "Form1");
    for (int i : {3, 4, 5, 6})
        EXPECT_EQ(r[i], "error: no window named Probe\n");
    EXPECT_EQ(JsonValue::Parse(r[7])["running"].Bool(), true);
    EXPECT_EQ(JsonLines(r[9]).front()["name"].String(), "Form1");
}

} // namespace
