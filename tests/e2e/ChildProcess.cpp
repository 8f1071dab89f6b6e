#include "tests/e2e/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace {

std::vector<char*> CStrings(const std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (const auto& s : strings)
        result.push_back(const_cast<char*>(s.c_str()));
    result.push_back(nullptr);
    return result;
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options)
{
    if (argv.empty())
        throw std::runtime_error("ChildProcess: empty command");
    program_ = argv[0];
    // Everything the child needs is prepared before fork: after it only async-signal-safe
    // calls are allowed.
    auto args = CStrings(argv);
    auto env = CStrings(options.environment);
    int outPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    if (options.capture && (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0))
        throw std::runtime_error("ChildProcess: pipe failed");
    // The child reports a failed exec through this pipe; a successful exec closes it.
    int execPipe[2];
    if (pipe2(execPipe, O_CLOEXEC) != 0)
        throw std::runtime_error("ChildProcess: pipe failed");
    int outputFd = options.capture ? -1
                                   : open(options.outputFile.empty() ? "/dev/null" : options.outputFile.c_str(),
                                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (!options.capture && outputFd < 0)
        throw std::runtime_error("ChildProcess: cannot open " + options.outputFile);
    int nullIn = open("/dev/null", O_RDONLY | O_CLOEXEC);

    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("ChildProcess: fork failed");
    if (pid_ == 0) {
        int err = 0;
        dup2(nullIn, 0);
        dup2(options.capture ? outPipe[1] : outputFd, 1);
        dup2(options.capture ? errPipe[1] : outputFd, 2);
        if (options.inheritFd >= 0)
            fcntl(options.inheritFd, F_SETFD, 0);
        if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
            err = errno;
        if (err == 0) {
            execvpe(args[0], args.data(), env.data());
            err = errno;
        }
        ssize_t ignored = write(execPipe[1], &err, sizeof err);
        (void)ignored;
        _exit(127);
    }

    close(execPipe[1]);
    CloseFd(outputFd);
    CloseFd(nullIn);
    if (options.capture) {
        close(outPipe[1]);
        close(errPipe[1]);
        outFd_ = outPipe[0];
        errFd_ = errPipe[0];
    }
    int childErr = 0;
    ssize_t got;
    do
        got = read(execPipe[0], &childErr, sizeof childErr);
    while (got < 0 && errno == EINTR);
    close(execPipe[0]);
    pidFd_ = int(syscall(SYS_pidfd_open, pid_, 0));
    if (got == ssize_t(sizeof childErr)) {
        Reap(true);
        CloseFd(outFd_);
        CloseFd(errFd_);
        CloseFd(pidFd_);
        throw std::runtime_error("cannot start " + program_ + ": " + std::strerror(childErr));
    }
}

ChildProcess::~ChildProcess()
{
    Stop(std::chrono::milliseconds(1000));
    CloseFd(outFd_);
    CloseFd(errFd_);
    CloseFd(pidFd_);
}

bool ChildProcess::Reap(bool block)
{
    if (status_)
        return true;
    int status = 0;
    pid_t r;
    do
        r = waitpid(pid_, &status, block ? 0 : WNOHANG);
    while (r < 0 && errno == EINTR);
    if (r == pid_) {
        status_ = status;
        return true;
    }
    if (r < 0) // not our child any more: nothing left to wait for
        status_ = -1;
    return status_.has_value();
}

bool ChildProcess::Running()
{
    return !Reap(false);
}

std::optional<int> ChildProcess::WaitFor(std::chrono::milliseconds timeout)
{
    auto end = std::chrono::steady_clock::now() + timeout;
    while (!Reap(false)) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        if (pidFd_ >= 0) {
            // The process descriptor becomes readable when the process ends.
            pollfd p{pidFd_, POLLIN, 0};
            poll(&p, 1, int(left.count()));
        } else {
            std::this_thread::sleep_for(std::min(left, std::chrono::milliseconds(10)));
        }
    }
    return status_;
}

int ChildProcess::Stop(std::chrono::milliseconds grace)
{
    if (pid_ <= 0)
        return -1;
    if (!Reap(false)) {
        kill(pid_, SIGTERM);
        if (!WaitFor(grace)) {
            kill(pid_, SIGKILL);
            Reap(true);
        }
    }
    return *status_;
}
