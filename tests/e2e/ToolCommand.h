#pragma once
// Runs one command-line tool (xdotool, xprop, xwininfo, import, wmctrl) to its end with a
// time limit and collects what it prints. A tool that hangs (an xdotool --sync that never
// sees its event) is killed at the limit and reported as timed out.

#include <chrono>
#include <string>
#include <vector>

struct ToolResult {
    bool timedOut = false;
    int exitCode = -1;   // -1 when the tool did not end normally
    std::string output;  // standard output
    std::string errors;  // standard error
    bool Ok() const { return !timedOut && exitCode == 0; }
};

class ToolCommand {
public:
    static ToolResult Run(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                          std::chrono::milliseconds timeout);
    // The command line as one line, for messages.
    static std::string Describe(const std::vector<std::string>& argv);
};
