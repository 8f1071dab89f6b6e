// filter2: a calculator for second-order unity-gain active filters. Without arguments it opens
// its window; with arguments it runs the command line, before any desktop is installed, so
// that it works without a display.

#include "app/Program.h"
#include "app/cli/CommandLineProgram.h"
#include "platform/Desktop.h"
#include "platform/SdlDesktop.h"

#include <memory>

int main(int argc, char** argv)
{
    if (argc > 1)
        return cli::RunCommandLineMain(argc, argv);
    platform::InstallDesktop(std::make_unique<platform::SdlDesktop>(Filter2AppId));
    const int exitCode = RunFilter2();
    platform::InstallDesktop(nullptr);
    return exitCode;
}
