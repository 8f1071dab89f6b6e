// The built ui-driver program, fed a script on its standard input as outside checks use it,
// against the real details window: the charts' menu before and after the first "Go", the
// window opened from the menu and by F2, listed and addressed by name, its series, the
// readout and the cursor under the pointer, Escape, and a later "Go" reaching it.

#include "DriverSession.h"
#include "RunProgram.h"

#include "platform/PngFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

const char* const kMenuCaptions[] = {
    "Details... / Подробно...",
    "Copy results / Копировать результаты",
    "Copy SPICE netlist (low-pass) / Копировать SPICE-схему ФНЧ",
    "Copy SPICE netlist (high-pass) / Копировать SPICE-схему ФВЧ",
    "Copy response (CSV) / Копировать АЧХ (CSV)",
};
constexpr const char* kMainCaption = "2-nd filter / Фильтр 2-го порядка";
constexpr const char* kDetailsCaption = "Design details / Подробности расчёта";
constexpr uint32_t kCursorColor = 0x404040;

struct Point {
    double x, y;
};

// A "series" reply: the count line, then one "x y" line per point.
std::vector<Point> SeriesPoints(const std::string& reply)
{
    std::istringstream in(reply);
    size_t count = 0;
    std::vector<Point> points;
    if (!(in >> count))
        ADD_FAILURE() << "no series: " << reply;
    Point p{};
    while (in >> p.x >> p.y)
        points.push_back(p);
    EXPECT_EQ(points.size(), count) << reply.substr(0, 200);
    return points;
}

// The frequency a readout starts with ("f 21,35 Hz (LP / HP): ..."), in Hz; NaN without one.
double ReadoutHertz(const std::string& readout)
{
    std::string number;
    size_t i = 2;
    if (readout.rfind("f ", 0) != 0)
        return NAN;
    for (; i < readout.size() && readout[i] != ' '; ++i)
        number += readout[i] == ',' ? '.' : readout[i];
    const std::string unit = readout.substr(i + 1, readout.find(' ', i + 1) - i - 1);
    const double scale = unit == "Hz" ? 1 : unit == "kHz" ? 1e3 : unit == "MHz" ? 1e6 : NAN;
    return std::strtod(number.c_str(), nullptr) * scale;
}

// How many pixels of column x between rows top and bottom have the cursor's colour.
int CursorPixels(const platform::Raster& frame, int x, int top, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        count += (frame.At(x, y) & 0xFFFFFF) == kCursorColor;
    return count;
}

class DetailsScenario : public ::testing::Test {
protected:
    std::filesystem::path dir;

    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "details-scenario-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Shot(const std::string& name) const { return (dir / (name + ".png")).string(); }

    // Runs the driver on the script; every command answers, and the driver ends with 0.
    std::vector<std::string> Run(const std::vector<std::string>& commands) const
    {
        std::string script;
        for (const std::string& command : commands)
            script += command + "\n";
        const ProgramResult run = RunProgram({F2_UI_DRIVER_PATH}, EnvironmentWithout({"DISPLAY"}), script);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const auto replies = SplitReplies(run.out);
        EXPECT_EQ(replies.size(), commands.size()) << run.out.substr(0, 2000);
        return replies;
    }
};

TEST_F(DetailsScenario, MenuWindowSeriesReadoutCursorEscapeAndF2)
{
    std::vector<std::string> script = {
        "rclick Chart2", "menu", "key Escape",
        // fc 1000 Hz, Q 0,71, R 10 kOhm, C 22 nF, then "Go" from the keyboard.
        "click Edit1", "key Home", "key Shift+End", "type 1000",
        "click Edit2", "key Home", "key Shift+End", "type 0,71",
        "click Edit3", "key Home", "key Shift+End", "type 10",
        "click Edit4", "key Home", "key Shift+End", "type 22", "key Enter",
        "rclick Chart2", "menu", "menu 0",   // 22
        "windows", "use DetailsForm", "dump", "png " + Shot("before"),   // 23
    };
    const size_t menuBefore = 1, menuAfter = 21, opened = 22, windows = 23, dump = 25;
    const size_t firstSeries = script.size();
    for (int i = 0; i < 10; ++i)
        script.push_back("series ChartMagnitude " + std::to_string(i));
    script.push_back("series ChartMagnitude 10");
    script.push_back("series ChartStep 0");
    const size_t afterSeries = script.size();
    ASSERT_EQ(afterSeries, firstSeries + 12);

    // The chart's place comes from the first run's dump; the script is the same up to there.
    const auto first = Run(script);
    ASSERT_EQ(first.size(), script.size());
    const JsonValue chart = Described(first[dump], "ChartMagnitude");
    const int left = int(chart["left"].Number()), top = int(chart["top"].Number());
    const int width = int(chart["width"].Number()), height = int(chart["height"].Number());
    const int x1 = left + width / 2, x2 = left + width * 3 / 4, y = top + height / 2;
    const JsonValue table = Described(first[dump], "ComponentsTable");
    const std::vector<std::string> rest = {
        "move " + std::to_string(x1) + " " + std::to_string(y), "dump", "png " + Shot("hover"),
        "move " + std::to_string(x2) + " " + std::to_string(y), "dump",
        "move " + std::to_string(int(table["left"].Number()) + 20) + " " + std::to_string(int(table["top"].Number()) + 20),
        "dump", "png " + Shot("left"),
        "key Escape", "windows",
        "use", "key F2", "windows",
        // A later "Go" reaches the window again.
        "click Edit1", "key Home", "key Shift+End", "type 2000", "key Enter",
        "use DetailsForm", "series ChartMagnitude 0",
    };
    script.insert(script.end(), rest.begin(), rest.end());
    const auto r = Run(script);
    ASSERT_EQ(r.size(), script.size());
    for (size_t i = 0; i < firstSeries; ++i)
        if (i != menuBefore && i != menuAfter && i != windows && i != dump) {
            EXPECT_EQ(r[i], "") << script[i];
        }

    // The menu: five bilingual items, disabled before the first "Go", enabled after it.
    for (const size_t at : {menuBefore, menuAfter}) {
        const auto items = JsonLines(r[at]);
        ASSERT_EQ(items.size(), 5u) << r[at];
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(items[i]["caption"].String(), kMenuCaptions[i]);
            EXPECT_EQ(items[i]["enabled"].Bool(), at == menuAfter) << i;
            EXPECT_FALSE(items[i]["separator"].Bool());
        }
    }
    EXPECT_EQ(r[opened], "");

    // Both windows listed with their captions; the new one has the keyboard.
    const auto listed = JsonLines(r[windows]);
    ASSERT_EQ(listed.size(), 2u) << r[windows];
    EXPECT_EQ(listed[0]["name"].String(), "Form1");
    EXPECT_EQ(listed[0]["caption"].String(), kMainCaption);
    EXPECT_FALSE(listed[0]["active"].Bool());
    EXPECT_EQ(listed[1]["name"].String(), "DetailsForm");
    EXPECT_EQ(listed[1]["class"].String(), "TDetailsForm");
    EXPECT_EQ(listed[1]["caption"].String(), kDetailsCaption);
    EXPECT_TRUE(listed[1]["active"].Bool());
    EXPECT_EQ(Described(r[dump], "HeadingLabel")["text"].String(), "fc 1000 Hz,  Q 0,71,  R 10 kOhm,  C 22 nF");
    EXPECT_EQ(Described(r[dump], "ReadoutLabel")["text"].String(), "");

    // Ten magnitude series of 400 points from fc/100 to 100 fc, and no eleventh.
    for (size_t i = 0; i < 10; ++i) {
        const auto points = SeriesPoints(r[firstSeries + i]);
        ASSERT_EQ(points.size(), 400u) << "series " << i;
        EXPECT_NEAR(points.front().x, 10, 1e-9) << "series " << i;
        EXPECT_NEAR(points.back().x, 100000, 1e-6) << "series " << i;
    }
    EXPECT_EQ(r[firstSeries + 10], "error: ChartMagnitude has no series 10\n");
    // The low-pass step response starts at 0 V and settles at 1 V.
    const auto step = SeriesPoints(r[firstSeries + 11]);
    ASSERT_EQ(step.size(), 400u);
    EXPECT_EQ(step.front().x, 0);
    EXPECT_NEAR(step.front().y, 0, 1e-9);
    EXPECT_NEAR(step.back().y, 1, 0.01);

    // The pointer over the magnitude chart: a readout at its frequency and the cursor drawn at
    // its column; further right, a higher frequency; over the table, neither.
    size_t at = afterSeries;
    EXPECT_EQ(r[at], "");
    const std::string readout1 = Described(r[at + 1], "ReadoutLabel")["text"].String();
    const std::string readout2 = Described(r[at + 4], "ReadoutLabel")["text"].String();
    const double f1 = ReadoutHertz(readout1), f2 = ReadoutHertz(readout2);
    EXPECT_GT(f1, 10) << readout1;
    EXPECT_LT(f1, f2) << readout1 << "\n" << readout2;
    EXPECT_LT(f2, 100000) << readout2;
    EXPECT_NE(readout1.find(" dB"), std::string::npos) << readout1;
    EXPECT_EQ(Described(r[at + 6], "ReadoutLabel")["text"].String(), "");

    const platform::Raster before = platform::ReadPng(Shot("before"));
    const platform::Raster hover = platform::ReadPng(Shot("hover"));
    const platform::Raster away = platform::ReadPng(Shot("left"));
    EXPECT_EQ(CursorPixels(before, x1, top, top + height), 0);
    EXPECT_GT(CursorPixels(hover, x1, top, top + height), height / 2);
    EXPECT_EQ(CursorPixels(away, x1, top, top + height), 0);

    // Escape closes the window; F2 in the main window opens it again, in front.
    at += 8;
    EXPECT_EQ(r[at], "");
    const auto afterEscape = JsonLines(r[at + 1]);
    ASSERT_EQ(afterEscape.size(), 1u) << r[at + 1];
    EXPECT_EQ(afterEscape[0]["name"].String(), "Form1");
    const auto reopened = JsonLines(r[at + 4]);
    ASSERT_EQ(reopened.size(), 2u) << r[at + 4];
    EXPECT_EQ(reopened[1]["name"].String(), "DetailsForm");
    EXPECT_TRUE(reopened[1]["active"].Bool());

    const auto followed = SeriesPoints(r.back());
    ASSERT_EQ(followed.size(), 400u);
    EXPECT_NEAR(followed.front().x, 20, 1e-9);
}

} // namespace
