#pragma once
// The X display the end-to-end tests run on. The test command gives one (xvfb-run sets
// DISPLAY); without DISPLAY, or with F2_E2E_PRIVATE_X=1, the tests start a private Xvfb with a
// 1280 x 1024 x 24 screen on a free display number and stop it afterwards.

#include "platform/Raster.h"
#include "tests/e2e/ChildProcess.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay;

struct XDisplayOptions {
    // A private server even when DISPLAY names one: for tests that end or reset the server.
    bool privateServer = false;
    // The private server resets itself whenever its last client leaves (Xvfb without
    // -noreset), as xvfb-run's does.
    bool resetWhenLastClientLeaves = false;
};

class XDisplay {
public:
    // Raises std::runtime_error when a private server cannot be started or the display does
    // not accept a connection within 15 s.
    explicit XDisplay(const std::string& logFile, XDisplayOptions options = {});
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    const std::string& Name() const { return name_; }
    bool IsPrivate() const { return server_ != nullptr; }
    // The private server's process; nothing for a display that was given.
    ChildProcess* Server() const { return server_.get(); }
    // Closes the held connection (a server that resets when its last client leaves may then
    // reset), or opens it again, retrying while the server resets.
    void ReleaseConnection();
    void Reconnect();
    // The screen's pixels in the rectangle (screen coordinates), read through the held
    // connection: far quicker than a screenshot tool.
    platform::Raster Grab(const platform::Rect& area) const;
    // The variables a client needs to reach this display: DISPLAY, and XAUTHORITY when the
    // server checks access (xvfb-run does).
    std::vector<std::string> ClientVariables() const;
    // The test process's own environment with this display's variables put in: for the tools.
    std::vector<std::string> ToolEnvironment() const;

private:
    void StartPrivateServer(const std::string& logFile, bool resetWhenLastClientLeaves);
    void Connect(std::chrono::seconds timeout);

    std::string name_;
    std::string xauthority_;
    std::unique_ptr<ChildProcess> server_;
    // A connection held for the whole test. An X server that was started without -noreset
    // (xvfb-run's) resets itself whenever its last client leaves and refuses connections
    // meanwhile; with this one open, the short-lived tools never meet a reset.
    _XDisplay* connection_ = nullptr;
};
