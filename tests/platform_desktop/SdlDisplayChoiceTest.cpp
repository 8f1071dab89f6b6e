// The SDL desktop refuses to run without a screen: with no display named, with a display that
// nobody serves, and with a video driver that has no screen, the first use of the display
// raises EDisplayError ("cannot open the display ...") instead of starting a driver that shows
// nothing. No display is needed: each case fails before one would be reached.

#include "platform/SdlDesktop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

using namespace platform;

namespace {

// Sets or clears environment variables for one test and puts the old values back afterwards.
class Environment {
public:
    ~Environment()
    {
        for (auto& [name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }
    void Set(const std::string& name, const char* value)
    {
        Save(name);
        value ? setenv(name.c_str(), value, 1) : unsetenv(name.c_str());
    }

private:
    void Save(const std::string& name)
    {
        for (auto& entry : saved_)
            if (entry.first == name)
                return;
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

std::string DisplayErrorOf(SdlDesktop& desktop)
{
    WindowOptions options;
    options.clientWidth = 10;
    options.clientHeight = 10;
    try {
        desktop.CreateWindow(options);
    } catch (const EDisplayError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(SdlDisplayChoice, WithoutAScreenTheDisplayCannotBeOpenedAndSaysWhy)
{
    Environment env;
    env.Set("SDL_VIDEODRIVER", nullptr);
    env.Set("XDG_RUNTIME_DIR", nullptr);

    env.Set("DISPLAY", nullptr);
    env.Set("WAYLAND_DISPLAY", nullptr);
    {
        SdlDesktop desktop;
        EXPECT_EQ(DisplayErrorOf(desktop), "cannot open the display: neither DISPLAY nor WAYLAND_DISPLAY is set");
        // Asked again, it fails again the same way: nothing half-started stays behind.
        EXPECT_EQ(DisplayErrorOf(desktop), "cannot open the display: neither DISPLAY nor WAYLAND_DISPLAY is set");
        // A message box without a display still reaches the user (on standard error) and
        // raises nothing.
        EXPECT_NO_THROW(desktop.ShowMessageBox(nullptr, "Caption", "Text", MessageBoxIcon::Error));
    }

    // Named, but nobody serves it: a socket path where none exists.
    env.Set("DISPLAY", "/nonexistent/filter2-test:0");
    {
        SdlDesktop desktop;
        EXPECT_EQ(DisplayErrorOf(desktop), "cannot open the display /nonexistent/filter2-test:0");
    }

    // A driver the user forces that shows nothing on any screen is refused as well.
    env.Set("SDL_VIDEODRIVER", "offscreen");
    {
        SdlDesktop desktop;
        EXPECT_EQ(DisplayErrorOf(desktop), "cannot open the display: the video driver offscreen has no screen");
    }
}

} // namespace
