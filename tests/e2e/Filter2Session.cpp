#include "tests/e2e/Filter2Session.h"

#include "platform/PngFile.h"
#include "tests/e2e/ProgramUnderTest.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

std::string OutputDir(const std::string& sub)
{
    fs::path dir = fs::path(F2_E2E_OUTPUT_DIR) / sub;
    fs::create_directories(dir);
    return dir.string();
}

} // namespace

void Filter2Session::SetUp()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    testName_ = std::string(info->test_suite_name()) + "." + info->name();
    // Logs and shots of an earlier run of this test would only mislead.
    for (const char* log : {"xvfb", "openbox", "filter2"})
        fs::remove(LogPath(log));
    for (const auto& entry : fs::directory_iterator(OutputDir("shots")))
        if (entry.path().filename().string().rfind(testName_ + "-", 0) == 0)
            fs::remove(entry.path());

    display_ = std::make_unique<XDisplay>(LogPath("xvfb"));
    tools_ = std::make_unique<XTools>(display_->ToolEnvironment());
    screen_ = tools_->Screen();
    wmHome_ = std::make_unique<TempDir>("f2-e2e-wm");
    windowManager_ = std::make_unique<WindowManager>(*tools_, display_->ClientVariables(), wmHome_->Path(),
                                                     LogPath("openbox"));
    if (!windowManager_->IsOurs())
        std::cout << "note: display " << display_->Name() << " already has a window manager; keeping it\n";

    StartProgram();
    ASSERT_NO_FATAL_FAILURE(WaitForWindow());
    ASSERT_NO_FATAL_FAILURE(WaitForFocus());
    client_ = tools_->Geometry(window_);
    ASSERT_NO_FATAL_FAILURE(WaitForFirstPaint());
}

void Filter2Session::TearDown()
{
    if (program_) {
        bool wasRunning = program_->Running();
        int status = program_->Stop();
        if (HasFailure()) {
            std::cout << "filter2 " << (wasRunning ? "was still running" : "had ended") << ", wait status "
                      << status << "; its output (" << LogPath("filter2") << "):\n"
                      << FileText(LogPath("filter2")) << "\n";
        }
        program_.reset();
    }
    windowManager_.reset();
    display_.reset();
    tools_.reset();
    home_.reset();
    workDir_.reset();
    wmHome_.reset();
}

void Filter2Session::StartProgram()
{
    home_ = std::make_unique<TempDir>("f2-e2e-home");
    workDir_ = std::make_unique<TempDir>("f2-e2e-work");
    program_ = StartProgramUnderTest(display_->ClientVariables(), home_->Path(), workDir_->Path(), LogPath("filter2"));
}

void Filter2Session::WaitForWindow()
{
    Deadline deadline(15s);
    std::vector<XWindow> windows;
    bool found = deadline.PollUntil([&] {
        if (!program_->Running())
            return true;
        windows = tools_->VisibleWindowsOf(program_->Pid());
        return !windows.empty();
    }, 50ms);
    ASSERT_TRUE(program_->Running()) << "filter2 ended before showing a window; wait status "
                                     << program_->Status().value_or(-1);
    ASSERT_TRUE(found) << "filter2 (pid " << program_->Pid() << ") showed no window within 15 s";
    ASSERT_EQ(windows.size(), 1u) << "filter2 shows more than one window";
    window_ = windows.front();
}

void Filter2Session::WaitForFocus()
{
    tools_->Activate(window_);
    Deadline deadline(5s);
    bool focused = deadline.PollUntil(
        [&] { return tools_->ActiveWindow() == window_ && tools_->FocusWindow() == window_; }, 50ms);
    ASSERT_TRUE(focused) << "the window " << XTools::Hex(window_) << " did not get the focus within 5 s (active "
                         << XTools::Hex(tools_->ActiveWindow()) << ", focus " << XTools::Hex(tools_->FocusWindow())
                         << ")";
}

void Filter2Session::WaitForFirstPaint()
{
    // Painted means: not the black of a fresh window any more, and two screenshots in a row
    // agree, so no paint is half done.
    std::optional<ClientShot> previous;
    auto result = ShotWhen("start", [&](const ClientShot& shot) {
        ClientRect all{0, 0, shot.Width(), shot.Height()};
        bool settled = previous && shot.SameAs(*previous, all) && shot.Share(all, IsBlack) < 0.5;
        previous = shot;
        return settled;
    });
    ASSERT_TRUE(result.held) << "the window did not finish painting within 8 s; see " << result.shot.Path();
}

std::string Filter2Session::ShotPath(const std::string& label) const
{
    return OutputDir("shots") + "/" + testName_ + "-" + label + ".png";
}

std::string Filter2Session::LogPath(const std::string& what) const
{
    return OutputDir("logs") + "/" + testName_ + "-" + what + ".log";
}

ClientShot Filter2Session::Shot(const std::string& label)
{
    std::string path = ShotPath(label);
    tools_->Screenshot(path);
    std::cout << "screenshot: " << path << "\n";
    return ClientShot(platform::ReadPng(path), {client_.left, client_.top, client_.left + client_.width,
                                                client_.top + client_.height},
                      path);
}

Filter2Session::Awaited Filter2Session::ShotWhen(const std::string& label,
                                                 const std::function<bool(const ClientShot&)>& condition,
                                                 std::chrono::milliseconds timeout)
{
    std::string path = ShotPath(label);
    platform::Rect client{client_.left, client_.top, client_.left + client_.width, client_.top + client_.height};
    Deadline deadline(timeout);
    for (;;) {
        tools_->Screenshot(path);
        ClientShot shot(platform::ReadPng(path), client, path);
        bool held = condition(shot);
        if (held || deadline.Expired()) {
            std::cout << "screenshot: " << path << "\n";
            return {held, std::move(shot)};
        }
        std::this_thread::sleep_for(std::min<Deadline::Clock::duration>(50ms, deadline.Remaining()));
    }
}

void Filter2Session::ClickClient(int x, int y)
{
    tools_->Click(client_.left + x, client_.top + y);
}

void Filter2Session::ReplaceText(const ClientRect& field, const std::string& text)
{
    ClickClient(field.CentreX(), field.CentreY());
    // A click places the caret; End, then Shift+Home selects the whole text, which typing
    // then replaces.
    tools_->Keys({"End", "shift+Home"});
    tools_->Type(text);
}

void Filter2Session::PressKeys(const std::vector<std::string>& keys)
{
    tools_->Keys(keys);
}

std::optional<int> Filter2Session::WaitForExit(std::chrono::milliseconds timeout)
{
    auto status = program_->WaitFor(timeout);
    if (!status || !WIFEXITED(*status))
        return std::nullopt;
    return WEXITSTATUS(*status);
}

double Filter2Session::CpuMilliseconds() const
{
    return ProcessCpuMilliseconds(program_->Pid());
}
