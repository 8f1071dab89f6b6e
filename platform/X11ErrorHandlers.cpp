#include "platform/X11ErrorHandlers.h"

#include <X11/Xlib.h>

#include <errno.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace platform {

namespace {

bool IsAboutAGoneResource(const XErrorEvent& error)
{
    return error.error_code == BadWindow || error.error_code == BadDrawable;
}

int OnError(Display* display, XErrorEvent* error)
{
    if (IsAboutAGoneResource(*error))
        return 0;
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "%s: X error: %s (request %d.%d)\n", program_invocation_short_name, text,
                 int(error->request_code), int(error->minor_code));
    return 0;
}

int OnConnectionLost(Display* display)
{
    // Only write(2) and _exit(2) here: the connection is gone, and whatever else the process
    // would do on its way out (exit handlers, destructors) may ask it for an answer.
    const char* name = display ? DisplayString(display) : nullptr;
    std::string line = std::string(program_invocation_short_name) + ": lost the display";
    if (name && *name)
        line += std::string(" ") + name;
    line += "\n";
    [[maybe_unused]] ssize_t written = write(STDERR_FILENO, line.data(), line.size());
    _exit(X11ErrorHandlers::kLostDisplayExitCode);
}

} // namespace

void X11ErrorHandlers::Install()
{
    static const bool installed = [] {
        XSetErrorHandler(OnError);
        XSetIOErrorHandler(OnConnectionLost);
        return true;
    }();
    (void)installed;
}

} // namespace platform
