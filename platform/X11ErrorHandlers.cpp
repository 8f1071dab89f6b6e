#include "platform/X11ErrorHandlers.h"

#include "platform/LostDisplay.h"

#include <X11/Xlib.h>

#include <errno.h>

#include <cstdio>

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
    EndForLostDisplay(display ? DisplayString(display) : nullptr);
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
