// filter2: a calculator for second-order unity-gain active filters.

#include "app/Program.h"
#include "platform/Desktop.h"
#include "platform/SdlDesktop.h"

#include <memory>

int main()
{
    platform::InstallDesktop(std::make_unique<platform::SdlDesktop>(Filter2AppId));
    const int exitCode = RunFilter2();
    platform::InstallDesktop(nullptr);
    return exitCode;
}
