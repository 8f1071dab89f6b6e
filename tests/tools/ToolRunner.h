#pragma once
// Runs one of the build tools from the build tree and collects its exit code and its output
// (stdout and stderr together).

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace layoutc_test {

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

// tool is the path below the build directory ("tools/layoutc/layoutc").
inline ToolRun RunTool(const std::string& tool, const std::string& arguments)
{
    const std::string command = std::string(F2_BINARY_DIR) + "/" + tool + " " + arguments + " 2>&1";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[512];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, count);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace layoutc_test
