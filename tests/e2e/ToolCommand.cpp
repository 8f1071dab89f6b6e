#include "tests/e2e/ToolCommand.h"

#include "tests/e2e/ChildProcess.h"
#include "tests/e2e/Deadline.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

ToolResult ToolCommand::Run(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                            std::chrono::milliseconds timeout)
{
    ToolResult result;
    ChildOptions options;
    options.environment = environment;
    options.capture = true;
    ChildProcess child(argv, options);
    Deadline deadline(timeout);

    // Both pipes are drained together so that a tool that fills one of them cannot block.
    pollfd fds[2] = {{child.OutputFd(), POLLIN, 0}, {child.ErrorFd(), POLLIN, 0}};
    std::string* sinks[2] = {&result.output, &result.errors};
    int open = 2;
    while (open > 0 && !deadline.Expired()) {
        int ready = poll(fds, 2, int(deadline.RemainingMs().count()) + 1);
        if (ready < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[4096];
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, size_t(n));
            } else if (n == 0 || errno != EINTR) {
                fds[i].fd = -1; // poll ignores negative descriptors
                --open;
            }
        }
    }
    auto status = open == 0 ? child.WaitFor(deadline.RemainingMs() + std::chrono::milliseconds(100)) : std::nullopt;
    if (!status) {
        result.timedOut = true;
        child.Stop(std::chrono::milliseconds(200));
        return result;
    }
    if (WIFEXITED(*status))
        result.exitCode = WEXITSTATUS(*status);
    return result;
}

std::string ToolCommand::Describe(const std::vector<std::string>& argv)
{
    std::string line;
    for (const auto& a : argv) {
        if (!line.empty())
            line += ' ';
        line += a.find(' ') == std::string::npos ? a : "'" + a + "'";
    }
    return line;
}
