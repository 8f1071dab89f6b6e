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
//
// Several windows. Commands address the main window until "use" names another one:
//
//   windows          one line per open (shown) window, in the order the windows were made:
//                    {"name":"Form1","class":"TForm1","caption":"...","active":true}
//                    (active: the window that has the keyboard now)
//   use NAME         later commands (click, rclick, dblclick, clickat, move, key, type, close,
//                    dump, png, series, menu, and the focus in "state") address the open window
//                    of that name (case ignored); its input goes to its own native window.
//                    Unknown or hidden: "error: no open window named NAME", nothing changes.
//   use              back to the main window.
//   move X Y         the pointer moves to client coordinates of the addressed window (a real
//                    move event: hover, enter and leave run as for a user's mouse).
//                    "error: move takes X Y" without two whole numbers.
//   series CHART [INDEX]
//                    the points of the chart's series INDEX (default 0): the count, then one
//                    line "x y" per point (%.17g). Without series, index 0 answers "0" as the
//                    plain "series CHART" always has; any other index beyond the chart's series
//                    is "error: CHART has no series INDEX"; an index that is no whole number
//                    (or more words) is "error: series takes CHART [INDEX]".
//   menu             the items of the popup menu open in the addressed window, one line each:
//                    {"index":0,"caption":"Undo","enabled":false,"separator":false}
//                    (a separator line has caption "-"); "error: no popup menu is open" when
//                    none is.
//   menu N           chooses item N (0-based, as listed) by a click on it, as a user would.
//                    A disabled item or a separator does nothing (the menu stays open) and says
//                    so: "error: menu item N is disabled" / "... is a separator". Beyond the
//                    items: "error: no menu item N"; no whole number: "error: menu takes [N]".
// A click (click, rclick, dblclick, clickat, menu N) on a window that is not the active one
// activates it first, as a window manager does. When the addressed window has gone (destroyed)
// since "use", its commands answer "error: no window named NAME" until "use" names another.

#include "platform/HeadlessDesktop.h"

#include <functional>
#include <iosfwd>
#include <string>

class TComponent;
class TControl;
class TCustomForm;

class UiDriver {
public:
    // afterStart runs once the program is built, before its loop starts (tests open more
    // windows with it).
    UiDriver(std::istream& in, std::ostream& out, std::function<void()> afterStart = {});
    int Run();

private:
    // Reads and carries out commands until one has posted input for the loop (true), or
    // until the input ends (false).
    bool NextCommands();
    // Posts the input of a command, or answers it at once when it posts nothing.
    void Execute(const std::string& line);
    void Reply(const std::string& text = std::string());
    // Runs post and leaves the reply until the loop has run; answers at once when nothing can
    // be posted (the loop has ended).
    void PostOrReply(bool canPost, const std::function<void()>& post);

    void Click(TControl* control, platform::MouseButton button, bool doubleClick);
    void ClickAt(int x, int y, platform::MouseButton button, int clicks);
    void MoveTo(int x, int y);
    void PostKey(uint16_t key, uint32_t modifiers, const std::string& text);
    void Dump();
    void Series(const std::string& argument);
    void Windows();
    void Use(const std::string& name);
    void Menu(const std::string& argument, bool canPost);
    void Messages();
    void Urls();
    void Png(const std::string& file);
    void State();
    void Memory();
    TComponent* FindComponent(const std::string& name) const;
    // The window commands address (nullptr when it has gone), and its native window's id.
    TCustomForm* Target() const;
    uint64_t TargetWindowId() const;
    bool Running() const;

    std::istream& in_;
    std::ostream& out_;
    std::function<void()> afterStart_;
    std::string window_;   // the window named by "use"; empty for the main window
    platform::HeadlessDesktop* desktop_ = nullptr;
    bool pendingReply_ = false;
    bool inputEnded_ = false;
    bool loopEnded_ = false;
    int exitCode_ = 0;
    size_t messagesReported_ = 0;
    size_t urlsReported_ = 0;
};
