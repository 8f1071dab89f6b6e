// The window program as a loadable module: filter2 loads it only when it opens its window, so
// that the command line starts without loading the desktop libraries (SDL2 and the sixty-odd
// libraries it brings) and answers in a few milliseconds.

#include "app/Program.h"
#include "platform/Desktop.h"
#include "platform/SdlDesktop.h"

#include <memory>

extern "C" __attribute__((visibility("default"))) int Filter2RunWindow()
{
    platform::InstallDesktop(std::make_unique<platform::SdlDesktop>(Filter2AppId));
    const int exitCode = RunFilter2();
    platform::InstallDesktop(nullptr);
    return exitCode;
}
