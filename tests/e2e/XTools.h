#pragma once
// The X command-line tools as the tests use them: find, inspect and activate windows
// (xdotool, xprop, xwininfo), send input (xdotool), take screenshots (ImageMagick's import)
// and ask the window manager to close a window (wmctrl). Every call is bounded in time; a
// tool that fails or hangs raises std::runtime_error with its command line and its errors.

#include "tests/e2e/ToolCommand.h"

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

using XWindow = unsigned long;

struct WindowGeometry {
    int left = 0;   // absolute position of the client area on the screen
    int top = 0;
    int width = 0;  // size of the client area
    int height = 0;
};

class XTools {
public:
    explicit XTools(std::vector<std::string> environment) : environment_(std::move(environment)) {}

    ToolResult Try(const std::vector<std::string>& argv,
                   std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) const;
    // Like Try, but a failure raises.
    std::string Output(const std::vector<std::string>& argv,
                       std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) const;

    // Screen size in pixels.
    WindowGeometry Screen() const;
    // Viewable top-level windows whose _NET_WM_PID is pid.
    std::vector<XWindow> VisibleWindowsOf(pid_t pid) const;
    WindowGeometry Geometry(XWindow window) const;
    // One property as xprop prints it, without the "NAME(TYPE) = " prefix; empty when unset.
    std::string Property(XWindow window, const std::string& name) const;
    std::string RootProperty(const std::string& name) const;
    // A string property decoded to UTF-8 (xprop escapes bytes it cannot print).
    std::string TextProperty(XWindow window, const std::string& name) const;
    // A list of numbers (CARDINAL) or atoms, split at the commas.
    std::vector<std::string> ListProperty(XWindow window, const std::string& name) const;
    // The whole xprop printout of one property, for multi-line ones (WM_NORMAL_HINTS, icons).
    std::string PropertyDump(XWindow window, const std::string& name) const;

    void Activate(XWindow window) const;
    XWindow ActiveWindow() const;
    XWindow FocusWindow() const;

    void MovePointer(int x, int y) const;
    void Click(int x, int y) const;
    // The pointer to (x, y), then the left button pressed and released at once, in one call
    // of the tool: about ten times quicker than Click, for tests that click many times.
    void QuickClick(int x, int y) const;
    // Key names as xdotool knows them ("Return", "ctrl+a", "alt+F4").
    void Keys(const std::vector<std::string>& keys) const;
    void Type(const std::string& text) const;

    // The whole screen into a PNG file.
    void Screenshot(const std::string& path) const;
    // Asks the window manager to close the window, as its close box does: wmctrl sends
    // _NET_CLOSE_WINDOW, and the window manager sends WM_DELETE_WINDOW to the program.
    void RequestClose(XWindow window) const;

    static std::string Hex(XWindow window);

private:
    std::vector<std::string> environment_;
};
