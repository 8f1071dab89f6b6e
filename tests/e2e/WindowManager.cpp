#include "tests/e2e/WindowManager.h"

#include "tests/e2e/Deadline.h"

#include <fstream>
#include <stdexcept>

namespace {

// Only the client context may bind the plain left button: openbox replays those presses to
// the program, while a plain binding in the frame context (which covers the client area too)
// would swallow every click.
const char* const MinimalConfig = R"(<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy><center>yes</center></placement>
  <theme><name>Clearlooks</name><titleLayout>NLIMC</titleLayout></theme>
  <desktops><number>1</number></desktops>
  <keyboard>
    <keybind key="A-F4"><action name="Close"/></keybind>
  </keyboard>
  <mouse>
    <context name="Close">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Left" action="Click"><action name="Close"/></mousebind>
    </context>
    <context name="Client">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
  </mouse>
  <applications/>
</openbox_config>
)";

} // namespace

WindowManager::WindowManager(const XTools& tools, const std::vector<std::string>& clientVariables,
                             const std::string& homeDir, const std::string& logFile)
{
    std::string config = homeDir + "/rc.xml";
    std::ofstream(config) << MinimalConfig;

    ChildOptions options;
    options.environment = clientVariables;
    options.environment.push_back("HOME=" + homeDir);
    options.environment.push_back("XDG_CONFIG_HOME=" + homeDir);
    options.environment.push_back("XDG_CACHE_HOME=" + homeDir);
    options.environment.push_back("PATH=/usr/local/bin:/usr/bin:/bin");
    options.workingDirectory = homeDir;
    options.outputFile = logFile;
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"openbox", "--sm-disable", "--config-file", config}, options);

    // Openbox is ready once it has published its own process id on the root window; an old
    // value from an openbox of an earlier test carries another id.
    std::string pid = std::to_string(process_->Pid());
    Deadline deadline(std::chrono::seconds(10));
    bool ready = deadline.PollUntil([&] {
        if (!process_->Running())
            return true;
        return tools.RootProperty("_OPENBOX_PID") == pid;
    });
    if (process_->Running()) {
        if (!ready)
            throw std::runtime_error("openbox did not become ready within 10 s (log: " + logFile + ")");
        return;
    }
    // Openbox refuses to start beside another window manager: keep that one.
    process_.reset();
    if (tools.RootProperty("_NET_SUPPORTING_WM_CHECK").empty())
        throw std::runtime_error("openbox ended at once and the display has no window manager (log: " + logFile + ")");
}

WindowManager::~WindowManager()
{
    if (process_)
        process_->Stop();
}
