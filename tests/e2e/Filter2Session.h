#pragma once
// Test fixture: one session of the real filter2 on an X display with a window manager.
// SetUp gets the display (given or private Xvfb), starts openbox, starts filter2 with a clean
// environment (fresh home and working directory), waits for its window, gives it the focus
// and waits until it has painted; TearDown ends and reaps everything it started, also after
// a failed test. Screenshots go to <build>/tests/e2e/shots, logs to <build>/tests/e2e/logs.

#include "tests/e2e/ChildProcess.h"
#include "tests/e2e/ClientShot.h"
#include "tests/e2e/Deadline.h"
#include "tests/e2e/TempDir.h"
#include "tests/e2e/WindowManager.h"
#include "tests/e2e/XDisplay.h"
#include "tests/e2e/XTools.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

class Filter2Session : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const XTools& X() const { return *tools_; }
    XWindow Window() const { return window_; }
    const WindowGeometry& Client() const { return client_; }
    const WindowGeometry& ScreenSize() const { return screen_; }
    ChildProcess& Program() { return *program_; }
    const TempDir& Home() const { return *home_; }
    const TempDir& WorkDir() const { return *workDir_; }

    // A screenshot saved as shots/<test>-<label>.png; its path is printed.
    ClientShot Shot(const std::string& label);
    // Takes screenshots until the condition holds for one or the time is up; the last shot is
    // kept under the label. The caller asserts on the result.
    struct Awaited {
        bool held;
        ClientShot shot;
    };
    Awaited ShotWhen(const std::string& label, const std::function<bool(const ClientShot&)>& condition,
                     std::chrono::milliseconds timeout = std::chrono::milliseconds(8000));

    void ClickClient(int x, int y);
    // Clicks into an edit box, selects its whole text with the keyboard and types over it.
    void ReplaceText(const ClientRect& field, const std::string& text);
    void PressKeys(const std::vector<std::string>& keys);
    // The process's exit code once it has ended within the timeout; nothing otherwise.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
    // User plus system processor time of the program so far, in milliseconds.
    double CpuMilliseconds() const;

private:
    void StartProgram();
    void WaitForWindow();
    void WaitForFocus();
    void WaitForFirstPaint();
    std::string ShotPath(const std::string& label) const;
    std::string LogPath(const std::string& what) const;

    std::string testName_;
    std::unique_ptr<XDisplay> display_;
    std::unique_ptr<XTools> tools_;
    std::unique_ptr<TempDir> wmHome_;
    std::unique_ptr<WindowManager> windowManager_;
    std::unique_ptr<TempDir> home_;
    std::unique_ptr<TempDir> workDir_;
    std::unique_ptr<ChildProcess> program_;
    WindowGeometry screen_;
    WindowGeometry client_;
    XWindow window_ = 0;
};
