#pragma once
// A small window manager on the test display, so that the program's window gets a frame,
// focus and close requests as on a desktop. Openbox runs with a minimal configuration of our
// own (focus new windows, Alt+F4 closes, the close button closes) and with its own home, so
// nothing of the developer's set-up takes part. A display that already has a window manager
// keeps it.

#include "tests/e2e/ChildProcess.h"
#include "tests/e2e/XTools.h"

#include <memory>
#include <string>
#include <vector>

class WindowManager {
public:
    // Raises std::runtime_error when openbox neither starts nor finds another manager.
    WindowManager(const XTools& tools, const std::vector<std::string>& clientVariables, const std::string& homeDir,
                  const std::string& logFile);
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // False when another window manager already ran on the display and was kept.
    bool IsOurs() const { return process_ != nullptr; }

private:
    std::unique_ptr<ChildProcess> process_;
};
