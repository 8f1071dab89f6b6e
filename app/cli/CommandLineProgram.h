#pragma once
// filter2 with arguments: the command line, which never opens the display. Writes its answer
// into out and its one-line complaint into err, and returns the exit code: 0 done, 1 a value
// out of range, 2 a malformed command or value.

#include <span>
#include <string>
#include <string_view>

namespace cli {

int RunCommandLine(std::span<const std::string_view> args, std::string& out, std::string& err);

// The same on the process's standard output and error (argv without the program's name); a
// failure to write the answer is reported and gives 1.
int RunCommandLineMain(int argc, char** argv);

std::string HelpText();
std::string VersionText();

} // namespace cli
