#include "tests/e2e/XDisplay.h"

#include "tests/e2e/Deadline.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace {

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

XDisplay::XDisplay(const std::string& logFile, XDisplayOptions options)
{
    name_ = Variable("DISPLAY");
    xauthority_ = Variable("XAUTHORITY");
    if (name_.empty() || Variable("F2_E2E_PRIVATE_X") == "1" || options.privateServer) {
        xauthority_.clear();
        StartPrivateServer(logFile, options.resetWhenLastClientLeaves);
    }
    Connect(std::chrono::seconds(15));
}

void XDisplay::ReleaseConnection()
{
    if (connection_)
        XCloseDisplay(connection_);
    connection_ = nullptr;
}

void XDisplay::Reconnect()
{
    if (!connection_)
        Connect(std::chrono::seconds(15));
}

platform::Raster XDisplay::Grab(const platform::Rect& area) const
{
    if (!connection_)
        throw std::runtime_error("XDisplay::Grab: no connection");
    XImage* image = XGetImage(connection_, DefaultRootWindow(connection_), area.left, area.top,
                              unsigned(area.Width()), unsigned(area.Height()), AllPlanes, ZPixmap);
    if (!image)
        throw std::runtime_error("XGetImage failed on " + name_);
    // The 24-bit visual of the test servers: 8 bits per channel under the image's masks.
    auto channel = [](unsigned long pixel, unsigned long mask) {
        int shift = 0;
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        return uint8_t((pixel >> shift) & mask);
    };
    platform::Raster raster(area.Width(), area.Height());
    for (int y = 0; y < area.Height(); ++y)
        for (int x = 0; x < area.Width(); ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            raster.Set(x, y, platform::MakePixel(channel(pixel, image->red_mask), channel(pixel, image->green_mask),
                                                 channel(pixel, image->blue_mask)));
        }
    XDestroyImage(image);
    return raster;
}

XDisplay::~XDisplay()
{
    if (connection_)
        XCloseDisplay(connection_);
    if (server_)
        server_->Stop();
}

void XDisplay::Connect(std::chrono::seconds timeout)
{
    // The server may be resetting after the previous test's clients left: try again until
    // it accepts us. Xlib reads XAUTHORITY from the environment, which is ours already.
    Deadline deadline(timeout);
    deadline.PollUntil([&] {
        connection_ = XOpenDisplay(name_.c_str());
        return connection_ != nullptr;
    }, std::chrono::milliseconds(50));
    if (!connection_) {
        if (server_)
            server_->Stop();
        throw std::runtime_error("the X display " + name_ + " accepted no connection within " +
                                 std::to_string(timeout.count()) + " s");
    }
}

void XDisplay::StartPrivateServer(const std::string& logFile, bool resetWhenLastClientLeaves)
{
    // With -displayfd the server picks a free display number itself and writes it to the
    // descriptor once it accepts connections: no guessing of numbers, no race with other
    // servers, no fixed sleep.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("XDisplay: pipe failed");
    ChildOptions options;
    for (char** e = environ; *e; ++e)
        options.environment.emplace_back(*e);
    options.outputFile = logFile;
    options.inheritFd = fds[1];
    try {
        std::vector<std::string> argv{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp"};
        if (!resetWhenLastClientLeaves)
            argv.push_back("-noreset");
        server_ = std::make_unique<ChildProcess>(argv, options);
    } catch (...) {
        close(fds[0]);
        close(fds[1]);
        throw;
    }
    close(fds[1]);

    std::string number;
    Deadline deadline(std::chrono::seconds(15));
    while (number.find('\n') == std::string::npos && !deadline.Expired()) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, int(deadline.RemainingMs().count()) + 1) <= 0)
            continue;
        char buffer[32];
        ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n > 0)
            number.append(buffer, size_t(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        server_->Stop();
        server_.reset();
        throw std::runtime_error("Xvfb did not report a display number within 15 s (log: " + logFile + ")");
    }
    name_ = ":" + number.substr(0, number.find('\n'));
}

std::vector<std::string> XDisplay::ClientVariables() const
{
    std::vector<std::string> vars{"DISPLAY=" + name_};
    if (!xauthority_.empty())
        vars.push_back("XAUTHORITY=" + xauthority_);
    return vars;
}

std::vector<std::string> XDisplay::ToolEnvironment() const
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("XAUTHORITY=", 0) != 0)
            env.push_back(entry);
    }
    for (const auto& v : ClientVariables())
        env.push_back(v);
    return env;
}
