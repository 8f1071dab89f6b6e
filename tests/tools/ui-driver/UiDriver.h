#pragma once
// The ui-driver: runs the real program (application object, main window from its embedded
// layout, event loop) on the headless desktop and carries out commands read one per line.
// After each command the loop runs until no message is waiting; then the reply is printed,
// ending with a line holding a single ".". The command language and its output are an
// interface that scenario tests and outside checks rely on: extend it, never change it.
//
// "memory" answers with the driver process's resident memory in KiB, now and at its peak
// (VmRSS and VmHWM of /proc/self/status): {"rssKiB":n,"peakKiB":n}. Benchmarks read it
// before and after many presses of "Go" to see that the program does not grow.

#include "platform/HeadlessDesktop.h"

#include <iosfwd>
#include <string>

class TComponent;
class TControl;

class UiDriver {
public:
    UiDriver(std::istream& in, std::ostream& out);
    int Run();

private:
    // Reads and carries out commands until one has posted input for the loop (true), or
    // until the input ends (false).
    bool NextCommands();
    // Posts the input of a command, or answers it at once when it posts nothing.
    void Execute(const std::string& line);
    void Reply(const std::string& text = std::string());

    void Click(TControl* control, platform::MouseButton button, bool doubleClick);
    void ClickAt(int x, int y, platform::MouseButton button, int clicks);
    void PostKey(uint16_t key, uint32_t modifiers, const std::string& text);
    void Dump();
    void Series(const std::string& name);
    void Messages();
    void Urls();
    void Png(const std::string& file);
    void State();
    void Memory();
    TComponent* FindComponent(const std::string& name) const;
    uint64_t MainWindowId() const;
    bool Running() const;

    std::istream& in_;
    std::ostream& out_;
    platform::HeadlessDesktop* desktop_ = nullptr;
    bool pendingReply_ = false;
    bool inputEnded_ = false;
    bool loopEnded_ = false;
    int exitCode_ = 0;
    size_t messagesReported_ = 0;
    size_t urlsReported_ = 0;
};
