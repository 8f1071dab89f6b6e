// The running window must carry the class the menu entry claims (StartupWMClass), or the
// desktop shows it apart from its launcher with a generic icon. Needs DISPLAY (xvfb-run) and
// xprop.

#include "platform/SdlDesktop.h"
#include "platform/SdlWindow.h"
#include "tests/support/CommandOutput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace platform;

namespace {

std::string DesktopEntryValue(const std::string& key)
{
    std::ifstream entry(F2_SOURCE_DIR "/data/org.example.filter2.desktop");
    std::string line;
    while (std::getline(entry, line))
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    return {};
}

} // namespace

// The program names itself through the window's options only, as the calculator does; the
// class must still reach the window manager, although the desktop itself was made nameless.
TEST(WindowClass, FirstWindowCarriesTheMenuEntrysClass)
{
    if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY"))
        FAIL() << "DISPLAY is not set: run under xvfb-run -a";
    setenv("SDL_VIDEODRIVER", "x11", 1);
    unsetenv("SDL_VIDEO_X11_WMCLASS");
    const std::string appId = DesktopEntryValue("StartupWMClass");
    ASSERT_EQ(appId, "org.example.filter2");

    SdlDesktop desktop;
    WindowOptions options;
    options.caption = "Window class test";
    options.clientWidth = 120;
    options.clientHeight = 80;
    options.appId = appId;
    auto window = desktop.CreateWindow(options);
    window->Show();
    auto* sdl = dynamic_cast<SdlWindow*>(window.get());
    ASSERT_NE(sdl, nullptr);
    const std::string props =
        CommandOutput("xprop -id " + std::to_string(sdl->X11WindowId()) + " WM_CLASS");
    EXPECT_NE(props.find("= \"" + appId + "\", \"" + appId + "\""), std::string::npos) << props;
}
