// filter2: a calculator for second-order unity-gain active filters. Without arguments it opens
// its window; with arguments it runs the command line, which never opens the display and so
// works without one.
//
// The window lives in a module of its own (filter2-window.so), loaded only here, so that the
// command line does not pay for loading the desktop libraries. The module is looked for beside
// the executable (the build tree) and where the install puts it.

#include "app/cli/CommandLineProgram.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

std::string ExecutableDirectory()
{
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return ".";
    std::string path(buffer, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

int RunWindow()
{
    const std::string dir = ExecutableDirectory();
    std::string errors;
    for (const std::string& path : {dir + "/" FILTER2_WINDOW_MODULE_NAME, dir + "/" FILTER2_WINDOW_MODULE_INSTALLED}) {
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            errors += std::string("\n  ") + dlerror();
            continue;
        }
        using Entry = int (*)();
        const auto run = reinterpret_cast<Entry>(dlsym(module, "Filter2RunWindow"));
        if (!run) {
            errors += "\n  " + path + ": no Filter2RunWindow";
            continue;
        }
        // The module stays loaded until the process ends: its static objects are destroyed
        // at exit like the program's own.
        return run();
    }
    std::fprintf(stderr, "filter2: cannot load its window module:%s\n", errors.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        return cli::RunCommandLineMain(argc, argv);
    return RunWindow();
}
