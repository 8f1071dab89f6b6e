#pragma once
// A process started by the end-to-end tests: the X server, the window manager, the program
// under test or one of the X tools. The object owns the process: its destructor ends and
// reaps it, so a test that fails half-way leaves nothing running.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct ChildOptions {
    // The child's complete environment ("NAME=value"); it inherits nothing else.
    std::vector<std::string> environment;
    // Empty: the parent's working directory.
    std::string workingDirectory;
    // Standard output and error go to this file (appended); empty: to /dev/null.
    std::string outputFile;
    // Standard output and error into pipes that the parent reads (OutputFd, ErrorFd).
    bool capture = false;
    // One more descriptor that the child keeps open under the same number.
    int inheritFd = -1;
};

class ChildProcess {
public:
    // Starts argv[0] (looked up in PATH when it holds no slash). Raises std::runtime_error
    // when the process cannot be created or the program cannot be executed.
    ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    const std::string& Program() const { return program_; }
    int OutputFd() const { return outFd_; }
    int ErrorFd() const { return errFd_; }

    // Whether the process still runs; reaps it when it has ended.
    bool Running();
    // Waits at most timeout for the process to end, without spinning. Returns its wait
    // status, or nothing when it still runs.
    std::optional<int> WaitFor(std::chrono::milliseconds timeout);
    // Ends the process: SIGTERM, then SIGKILL after the grace time; always reaps it.
    int Stop(std::chrono::milliseconds grace = std::chrono::milliseconds(2000));
    // The wait status once reaped.
    std::optional<int> Status() const { return status_; }

private:
    bool Reap(bool block);

    std::string program_;
    pid_t pid_ = -1;
    int pidFd_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::optional<int> status_;
};
