#include "tests/e2e/HeadlessCompositor.h"

#include "tests/e2e/Deadline.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr const char* kTestUser = "filter2-e2e";
const char* const kPath = "PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin";

bool OnPath(const std::string& tool)
{
    for (const char* dir : {"/usr/local/bin", "/usr/bin", "/bin", "/usr/sbin", "/sbin"})
        if (access((std::string(dir) + "/" + tool).c_str(), X_OK) == 0)
            return true;
    return false;
}

// The unprivileged user sway runs as when the tests run as root; created when missing.
const passwd* TestUser()
{
    if (const passwd* user = getpwnam(kTestUser))
        return user;
    ToolCommand::Run({"useradd", "--system", "--no-create-home", "--shell", "/usr/sbin/nologin", kTestUser},
                     {kPath}, 10s);
    return getpwnam(kTestUser);
}

} // namespace

std::string HeadlessCompositor::Unavailable()
{
    std::string missing;
    for (const char* tool : {"sway", "swaymsg", "grim"})
        if (!OnPath(tool))
            missing += std::string(missing.empty() ? "" : ", ") + tool;
    if (geteuid() == 0 && !OnPath("setpriv"))
        missing += std::string(missing.empty() ? "" : ", ") + "setpriv";
    if (!missing.empty())
        return "not installed: " + missing + " (bash dev.sh test installs them)";
    if (geteuid() == 0 && !TestUser())
        return std::string("running as root, and the user ") + kTestUser + " for the compositor cannot be created";
    return {};
}

HeadlessCompositor::HeadlessCompositor(const Options& options)
{
    runtimeDir_ = std::make_unique<TempDir>("filter2-wayland");
    const std::string dir = runtimeDir_->Path();
    std::vector<std::string> command{"sway", "--config", dir + "/config"};
    if (geteuid() == 0) {
        const passwd* user = TestUser();
        if (!user)
            throw std::runtime_error(std::string("no user ") + kTestUser + " to run the compositor as");
        // The runtime directory must belong to the compositor's user, and to it alone.
        if (chown(dir.c_str(), user->pw_uid, user->pw_gid) != 0)
            throw std::runtime_error("cannot hand " + dir + " to " + kTestUser);
        command.insert(command.begin(), {"setpriv", "--reuid=" + std::to_string(user->pw_uid),
                                         "--regid=" + std::to_string(user->pw_gid), "--clear-groups", "--"});
    }
    {
        std::ofstream config(dir + "/config");
        config << "output HEADLESS-1 resolution " << options.width << "x" << options.height << " scale "
               << options.scale << "\n";
    }
    chmod((dir + "/config").c_str(), 0644);

    ChildOptions child;
    child.environment = {"XDG_RUNTIME_DIR=" + dir, "HOME=" + dir, kPath, "WLR_BACKENDS=headless",
                         "WLR_LIBINPUT_NO_DEVICES=1", "WLR_RENDERER=pixman"};
    child.outputFile = options.logFile;
    sway_ = std::make_unique<ChildProcess>(command, child);

    // Serving once both sockets are there and the compositor answers on its IPC socket.
    Deadline deadline(15s);
    const bool up = deadline.PollUntil([&] {
        if (!sway_->Running())
            return false;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("wayland-", 0) == 0 && entry.path().extension() != ".lock" && entry.is_socket())
                socketName_ = name;
            else if (name.rfind("sway-ipc.", 0) == 0 && entry.is_socket())
                ipcSocket_ = entry.path().string();
        }
        return !socketName_.empty() && !ipcSocket_.empty() && Message({"-t", "get_outputs"}).Ok();
    }, 50ms);
    if (!up)
        throw std::runtime_error(sway_->Running() ? "sway did not start serving within 15 s"
                                                  : "sway ended at start-up");
}

std::vector<std::string> HeadlessCompositor::ClientEnvironment() const
{
    return {"WAYLAND_DISPLAY=" + socketName_, "XDG_RUNTIME_DIR=" + runtimeDir_->Path()};
}

std::string HeadlessCompositor::SocketPath() const
{
    return runtimeDir_->Path() + "/" + socketName_;
}

ToolResult HeadlessCompositor::Message(const std::vector<std::string>& arguments) const
{
    std::vector<std::string> argv{"swaymsg", "--socket", ipcSocket_};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return ToolCommand::Run(argv, {kPath}, 10s);
}

JsonValue HeadlessCompositor::Tree() const
{
    const ToolResult result = Message({"-t", "get_tree"});
    if (!result.Ok())
        throw std::runtime_error("swaymsg -t get_tree failed: " + result.errors);
    return JsonValue::Parse(result.output);
}

void HeadlessCompositor::Screenshot(const std::string& path) const
{
    std::vector<std::string> environment = ClientEnvironment();
    environment.push_back(kPath);
    const ToolResult result = ToolCommand::Run({"grim", path}, environment, 10s);
    if (!result.Ok())
        throw std::runtime_error("grim failed: " + result.errors);
}
