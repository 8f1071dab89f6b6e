#include "platform/LostDisplay.h"

#include <errno.h>
#include <unistd.h>

#include <cstring>

namespace platform {

void EndForLostDisplay(const char* name)
{
    // Put together in a fixed buffer: no allocation on a path that may run inside a handler.
    char line[512] = {};
    const auto append = [&line](const char* text) {
        std::strncat(line, text, sizeof line - std::strlen(line) - 2);
    };
    append(program_invocation_short_name);
    append(": lost the display");
    if (name && *name) {
        append(" ");
        append(name);
    }
    std::strcat(line, "\n");
    [[maybe_unused]] ssize_t written = write(STDERR_FILENO, line, std::strlen(line));
    _exit(kLostDisplayExitCode);
}

} // namespace platform
