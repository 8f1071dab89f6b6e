#include "platform/Desktop.h"

#include "rtl/Exception.h"

namespace platform {

namespace {

// One desktop per process; the framework reaches it through CurrentDesktop().
std::unique_ptr<Desktop>& Installed()
{
    static std::unique_ptr<Desktop> desktop;
    return desktop;
}

} // namespace

Desktop& CurrentDesktop()
{
    auto& desktop = Installed();
    if (!desktop)
        throw EInvalidOperation("No desktop has been installed");
    return *desktop;
}

void InstallDesktop(std::unique_ptr<Desktop> desktop)
{
    // Destroy the old desktop before the new one takes over, so that the two never
    // hold the display (or SDL) at the same time.
    Installed().reset();
    Installed() = std::move(desktop);
}

bool HasDesktop()
{
    return Installed() != nullptr;
}

} // namespace platform
