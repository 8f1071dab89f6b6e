#pragma once
// The standard output of a shell command, for tests that ask a desktop tool (xprop) what it
// sees; empty when the command cannot be started.

#include <cstdio>
#include <string>

inline std::string CommandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}
