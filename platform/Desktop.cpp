#include "platform/Desktop.h"

#include "platform/NullDesktop.h"

namespace platform {

namespace {

// One desktop per process; the framework reaches it through CurrentDesktop(). Until a program
// or a test installs one, and again after it is removed, the null desktop stands in.
std::unique_ptr<Desktop>& Installed()
{
    static std::unique_ptr<Desktop> desktop = std::make_unique<NullDesktop>();
    return desktop;
}

} // namespace

Desktop& CurrentDesktop()
{
    return *Installed();
}

void InstallDesktop(std::unique_ptr<Desktop> desktop)
{
    // Destroy the old desktop before the new one takes over, so that the two never
    // hold the display (or SDL) at the same time.
    Installed().reset();
    Installed() = desktop ? std::move(desktop) : std::make_unique<NullDesktop>();
}

} // namespace platform
