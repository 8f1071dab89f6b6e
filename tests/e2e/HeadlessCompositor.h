#pragma once
// A Wayland compositor without a screen for the end-to-end tests: sway with its headless
// backend and software rendering, one output of a given size and scale, no input devices (a
// VirtualKeyboard types). sway refuses to run as root; a test run as root starts it as an
// unprivileged user, created on first use. Everything of the compositor lives in a fresh
// runtime directory, removed with the object; the compositor is ended and reaped with it.

#include "tests/e2e/ChildProcess.h"
#include "tests/e2e/TempDir.h"
#include "tests/e2e/ToolCommand.h"
#include "tests/support/JsonValue.h"

#include <memory>
#include <string>
#include <vector>

class HeadlessCompositor {
public:
    struct Options {
        int width = 1280;          // the output's size in real pixels
        int height = 1024;
        std::string scale = "1";   // the output scale, as sway's configuration takes it
        std::string logFile;       // sway's output
    };

    // Why no compositor can be started here (a tool missing, no unprivileged user to be
    // had); empty when one can.
    static std::string Unavailable();

    // Starts the compositor and waits until it serves clients. Raises std::runtime_error when
    // it does not.
    explicit HeadlessCompositor(const Options& options);

    // WAYLAND_DISPLAY and XDG_RUNTIME_DIR for a client of this compositor.
    std::vector<std::string> ClientEnvironment() const;
    std::string SocketPath() const;

    // swaymsg with the given arguments, against this compositor.
    ToolResult Message(const std::vector<std::string>& arguments) const;
    // The compositor's tree of outputs, workspaces and windows (swaymsg -t get_tree).
    JsonValue Tree() const;
    // A screenshot of the whole output in real pixels (grim), written to path.
    void Screenshot(const std::string& path) const;

private:

    std::unique_ptr<TempDir> runtimeDir_;
    std::unique_ptr<ChildProcess> sway_;
    std::string socketName_;
    std::string ipcSocket_;
};
