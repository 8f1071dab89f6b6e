// The real filter2 on a Wayland compositor without X (sway, headless): its window is a native
// Wayland window with the desktop entry's app id and the caption, it is painted, takes keys,
// stays idle without input and ends with code 0 on the compositor's close request; on an
// output of scale 2 the window has twice the pixels each way.

#include "platform/PngFile.h"
#include "tests/e2e/ClientShot.h"
#include "tests/e2e/Deadline.h"
#include "tests/e2e/HeadlessCompositor.h"
#include "tests/e2e/MainWindowLayout.h"
#include "tests/e2e/ProgramUnderTest.h"
#include "tests/e2e/VirtualKeyboard.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <optional>
#include <utility>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr const char* kAppId = "org.example.filter2";
constexpr const char* kCaption = "2-nd filter / Фильтр 2-го порядка";

// A window of the tree: the node whose process is the program.
const JsonValue* FindWindowOf(const JsonValue& node, pid_t pid)
{
    if (node.Has("pid") && node["pid"].kind() == JsonValue::Kind::Number && pid_t(node["pid"].Number()) == pid)
        return &node;
    for (const char* children : {"nodes", "floating_nodes"})
        if (node.Has(children))
            for (const JsonValue& child : node[children].Items())
                if (const JsonValue* found = FindWindowOf(child, pid))
                    return found;
    return nullptr;
}

int Field(const JsonValue& rect, const char* name)
{
    return int(rect[name].Number());
}

bool IsFace(platform::Pixel p)
{
    return platform::PixelRed(p) == 192 && platform::PixelGreen(p) == 192 && platform::PixelBlue(p) == 192;
}

class WaylandSession : public ::testing::Test {
protected:
    // Starts the compositor and the program (with the extra variables), and waits for its
    // window unless told not to.
    void Start(const HeadlessCompositor::Options& output, const std::vector<std::string>& extra = {},
               bool awaitWindow = true)
    {
        const std::string unavailable = HeadlessCompositor::Unavailable();
        if (!unavailable.empty())
            GTEST_SKIP() << "no headless Wayland compositor: " << unavailable;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        name_ = std::string(info->test_suite_name()) + "." + info->name();
        scale_ = std::stod(output.scale);
        HeadlessCompositor::Options options = output;
        options.logFile = E2eLogPath(name_ + "-sway");
        fs::remove(options.logFile);
        compositor_ = std::make_unique<HeadlessCompositor>(options);
        // The keyboard is there before the program, as a real one would be: the compositor
        // announces a keyboard only once it has one, and keys sent before the program took
        // up the announcement would go nowhere.
        keyboard_ = std::make_unique<VirtualKeyboard>(compositor_->SocketPath());

        home_ = std::make_unique<TempDir>("filter2-home");
        workDir_ = std::make_unique<TempDir>("filter2-work");
        std::vector<std::string> variables = compositor_->ClientEnvironment();
        // Wayland even where an X display might also be reachable.
        variables.push_back("SDL_VIDEODRIVER=wayland");
        variables.insert(variables.end(), extra.begin(), extra.end());
        logFile_ = E2eLogPath(name_ + "-filter2");
        fs::remove(logFile_);
        program_ = StartProgramUnderTest(variables, home_->Path(), workDir_->Path(), logFile_);
        if (!awaitWindow)
            return;

        const bool found = Deadline(10s).PollUntil([&] { return Locate() || !program_->Running(); }, 50ms) &&
                           program_->Running();
        ASSERT_TRUE(found) << "no window of the program in the compositor's tree within 10 s; its log:\n"
                           << FileText(logFile_);
    }

    // Finds the program's window in the compositor's tree and where its pixels lie on the
    // screenshots; false while it is not there.
    bool Locate()
    {
        const JsonValue tree = compositor_->Tree();
        const JsonValue* window = FindWindowOf(tree, program_->Pid());
        if (!window)
            return false;
        window_ = *window;
        // The compositor centres a surface in its container's content area, which may be
        // larger (logical units; the screenshots have real pixels).
        const JsonValue& rect = window_["rect"];
        const JsonValue& content = window_["window_rect"];
        const JsonValue& surface = window_["geometry"];
        const double left = Field(rect, "x") + Field(content, "x") +
                            std::max(0, (Field(content, "width") - Field(surface, "width")) / 2);
        const double top = Field(rect, "y") + Field(content, "y") +
                           std::max(0, (Field(content, "height") - Field(surface, "height")) / 2);
        const auto real = [this](double logical) { return int(std::lround(logical * scale_)); };
        client_ = {real(left), real(top), real(left + Field(surface, "width")), real(top + Field(surface, "height"))};
        return true;
    }

    void TearDown() override
    {
        if (program_ && program_->Running()) {
            program_->Stop();
            std::cout << "filter2 log:\n" << FileText(logFile_);
        }
        program_.reset();
        keyboard_.reset();
        compositor_.reset();
    }

    // A layout rectangle at the output's scale.
    ClientRect Scaled(const ClientRect& r) const
    {
        const auto real = [this](int v) { return int(std::lround(v * scale_)); };
        return {real(r.left), real(r.top), real(r.width), real(r.height)};
    }

    std::string ShotPath(const std::string& label) const
    {
        const fs::path dir = fs::path(F2_E2E_OUTPUT_DIR) / "shots";
        fs::create_directories(dir);
        return (dir / (name_ + "-" + label + ".png")).string();
    }

    // Screenshots until the condition holds or 8 s are up; the last one is kept.
    std::pair<bool, ClientShot> ShotWhen(const std::string& label, const std::function<bool(const ClientShot&)>& condition)
    {
        const std::string path = ShotPath(label);
        Deadline deadline(8s);
        for (;;) {
            // The compositor may still be placing the window when it first shows.
            Locate();
            compositor_->Screenshot(path);
            ClientShot shot(platform::ReadPng(path), client_, path);
            const bool held = condition(shot);
            if (held || deadline.Expired()) {
                std::cout << "screenshot: " << path << "\n";
                return {held, std::move(shot)};
            }
            std::this_thread::sleep_for(100ms);
        }
    }

    // The main window's parts as a user sees them right after start-up.
    bool ShowsTheLayout(const ClientShot& shot) const
    {
        const ClientRect lowPlot = Scaled(layout::LowPassChart.Inset(4));
        const ClientRect highPlot = Scaled(layout::HighPassChart.Inset(4));
        return shot.Count(Scaled(layout::Title), IsMaroon) > 20 && shot.Share(lowPlot.Inset(2), IsWhite) > 0.8 &&
               shot.Share(highPlot.Inset(2), IsWhite) > 0.8 && IsFace(shot.At(2, 2)) &&
               IsFace(shot.At(shot.Width() - 3, shot.Height() - 3));
    }

    double scale_ = 1;
    std::string name_;
    std::string logFile_;
    std::unique_ptr<HeadlessCompositor> compositor_;
    std::unique_ptr<VirtualKeyboard> keyboard_;
    std::unique_ptr<TempDir> home_;
    std::unique_ptr<TempDir> workDir_;
    std::unique_ptr<ChildProcess> program_;
    JsonValue window_;
    platform::Rect client_;
};

} // namespace

TEST_F(WaylandSession, TheWindowAppearsTakesKeysStaysIdleAndClosesWithCodeZero)
{
    Start({});
    if (IsSkipped() || HasFatalFailure())
        return;
    EXPECT_EQ(window_["app_id"].String(), kAppId) << "the dock would not find the desktop entry's icon";
    EXPECT_EQ(window_["name"].String(), kCaption);
    EXPECT_EQ(Field(window_["geometry"], "width"), layout::ClientWidth);
    EXPECT_EQ(Field(window_["geometry"], "height"), layout::ClientHeight);
    // A window of fixed size floats at its own size instead of being stretched over a tile.
    EXPECT_EQ(window_["type"].String(), "floating_con");

    auto shown = ShotWhen("shown", [&](const ClientShot& shot) { return ShowsTheLayout(shot); });
    ASSERT_TRUE(shown.first) << "the window does not show the layout; see " << shown.second.Path();

    // Idle: no input, no processor time (the wait blocks on the compositor's connection).
    const double before = ProcessCpuMilliseconds(program_->Pid());
    std::this_thread::sleep_for(2s);
    EXPECT_LT(ProcessCpuMilliseconds(program_->Pid()) - before, 20.0) << "the idle program used the processor";

    // The frequency field has the focus at start-up; its text is replaced and Enter pressed.
    keyboard_->Keys({"End", "shift+Home"});
    keyboard_->Type("1000");
    keyboard_->Keys({"Return"});
    const ClientRect lowPlot = Scaled(layout::LowPassChart.Inset(4));
    const ClientRect highPlot = Scaled(layout::HighPassChart.Inset(4));
    auto curves = ShotWhen("curves", [&](const ClientShot& shot) {
        return shot.Count(lowPlot, IsRed) > 100 && shot.Count(highPlot, IsBlue) > 100;
    });
    EXPECT_TRUE(curves.first) << "typing 1000 and Enter drew no curves; see " << curves.second.Path();
    EXPECT_EQ(curves.second.Count(highPlot, IsRed), 0);
    EXPECT_EQ(curves.second.Count(lowPlot, IsBlue), 0);

    // The compositor's close request (as its close binding sends it) ends the program.
    ASSERT_TRUE(compositor_->Message({"[pid=" + std::to_string(program_->Pid()) + "]", "kill"}).Ok());
    const std::optional<int> status = program_->WaitFor(5s);
    ASSERT_TRUE(status) << "the program did not end within 5 s of the close request";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "wait status " << *status;
    EXPECT_EQ(FileText(logFile_), "") << "the program printed something";
}

TEST_F(WaylandSession, OnAnOutputOfScaleTwoTheWindowHasTwiceThePixelsEachWay)
{
    Start({2560, 1600, "2", {}});
    if (IsSkipped() || HasFatalFailure())
        return;
    // The compositor counts the window in logical units: the stored size.
    EXPECT_EQ(Field(window_["geometry"], "width"), layout::ClientWidth);
    EXPECT_EQ(Field(window_["geometry"], "height"), layout::ClientHeight);
    ASSERT_EQ(client_.Width(), 2 * layout::ClientWidth);
    ASSERT_EQ(client_.Height(), 2 * layout::ClientHeight);

    auto shown = ShotWhen("shown", [&](const ClientShot& shot) { return ShowsTheLayout(shot); });
    EXPECT_TRUE(shown.first) << "the window does not show the layout at twice the size; see " << shown.second.Path();
    // The window's own pixels fill the 1492 x 986 pixels exactly: face grey along the inside of
    // every edge, something else (the compositor's border) just outside.
    const ClientShot& shot = shown.second;
    int faceInside = 0, faceOutside = 0;
    for (int x = 0; x < shot.Width(); x += 7) {
        faceInside += IsFace(shot.At(x, 0)) + IsFace(shot.At(x, shot.Height() - 1));
        faceOutside += IsFace(shot.At(x, -1)) + IsFace(shot.At(x, shot.Height()));
    }
    for (int y = 0; y < shot.Height(); y += 7) {
        faceInside += IsFace(shot.At(0, y)) + IsFace(shot.At(shot.Width() - 1, y));
        faceOutside += IsFace(shot.At(-1, y)) + IsFace(shot.At(shot.Width(), y));
    }
    EXPECT_GT(faceInside, 500) << "the window's edges are not its face colour";
    EXPECT_EQ(faceOutside, 0) << "the window's face reaches past 1492 x 986";
}

TEST_F(WaylandSession, AWindowThatCannotBeShownEndsTheProgramWithOneLineAndCodeOne)
{
    // Without EGL a Wayland window has no way to show its frames.
    Start({}, {"SDL_VIDEO_EGL_DRIVER=/nonexistent/libEGL.so.1"}, false);
    if (IsSkipped() || HasFatalFailure())
        return;
    const std::optional<int> status = program_->WaitFor(5s);
    ASSERT_TRUE(status) << "the program runs on without a window";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 1) << "wait status " << *status;
    const std::string output = FileText(logFile_);
    EXPECT_EQ(output.rfind("filter2: cannot show a window: ", 0), 0u) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
    const JsonValue tree = compositor_->Tree();
    EXPECT_EQ(FindWindowOf(tree, program_->Pid()), nullptr);
}
