#pragma once
// The desktop on a real display, through SDL2. SDL starts lazily: the event subsystem on the
// first poll, video on the first use that needs the display (a window, the clipboard, the
// screen size, waiting). The destructor shuts SDL down; windows still alive then lose their
// SDL window and ignore further calls.
//
// Video only starts on a screen: an X11 or Wayland display that the environment names
// (DISPLAY, WAYLAND_DISPLAY). Without one, or when it refuses the connection, starting raises
// EDisplayError instead of running on a driver that shows nothing. Once on X11, a connection
// that breaks ends the process with one line on standard error (X11ErrorHandlers); on
// Wayland the wait finds out and does the same (LostDisplay).
//
// Scaled desktops: PixelsPerInch reports the density the desktop asks for (DisplayDensity),
// and the framework draws its windows at it, in real pixels. On X11 a window's pixels are the
// screen's. On Wayland SDL counts windows, the pointer and the screen in the desktop's logical
// units (real pixels divided by the output scale); the desktop and its windows convert, so
// that everything above sees real pixels only.

#include "platform/Desktop.h"

#include <signal.h>
#include <time.h>

#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

union SDL_Event;
struct SDL_Cursor;
struct wl_display;


namespace platform {

class SdlWindow;

class SdlDesktop : public Desktop {
public:
    // appId names the program to the window manager (X11 WM_CLASS, Wayland app id) when
    // windows do not name it themselves; Wayland reads it once, when video starts.
    explicit SdlDesktop(std::string appId = {});
    ~SdlDesktop() override;
    SdlDesktop(const SdlDesktop&) = delete;
    SdlDesktop& operator=(const SdlDesktop&) = delete;

    std::unique_ptr<NativeWindow> CreateWindow(const WindowOptions& options) override;
    bool PollEvent(Event& event) override;
    void WaitEvent() override;
    void Wake() override;
    using Desktop::ShowMessageBox;
    MessageBoxAnswer ShowMessageBox(NativeWindow* owner, const MessageBoxRequest& request) override;
    void OpenUrl(const std::string& url) override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& utf8) override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    int PixelsPerInch() const override;
    uint32_t ModifierState() const override;
    Point MousePosition(const NativeWindow& window) const override;

    // For SdlWindow.
    void Forget(SdlWindow* window);
    void ApplyCursor(Cursor cursor);
    // Real pixels to SDL's window units and back (the same on X11 and at scale 1).
    int ToPoints(int pixels) const;
    int ToPixels(int points) const;

private:
    void EnsureEvents() const;
    void EnsureVideo() const;
    void WaitOnConnection(int fd, wl_display* wayland);
    void WaitOnWayland(wl_display* display, const sigset_t* mask);
    // Waits until fd is ready for the events, the wake-up comes, a signal arrives or the
    // timeout (null: none) passes; returns what fd was found ready for.
    short WaitForInput(int fd, short events, const timespec* timeout, const sigset_t* mask);
    void WakeWaiter();
    void MeasureDensity() const;
    static int FromOtherThreads(void* desktop, SDL_Event* event);
    void SetAppId(const std::string& appId) const;
    bool Translate(const SDL_Event& sdl, Event& event);
    void TranslateKeyDown(const SDL_Event& sdl, Event& event);
    SdlWindow* FindWindow(uint32_t id) const;

    std::string appId_;
    mutable bool eventsStarted_ = false;
    mutable bool videoStarted_ = false;
    mutable bool onWayland_ = false;
    mutable int pixelsPerInch_ = 96;
    // Real pixels per SDL window unit.
    mutable double scale_ = 1.0;
    std::vector<SdlWindow*> windows_;
    // The X connection of SDL's video, known from the first window; -1 before or elsewhere.
    std::atomic<int> x11Connection_{-1};
    // The Wayland connection of SDL's video, likewise; null before or elsewhere.
    wl_display* waylandConnection_ = nullptr;
    // Set once the wait is on a connection of ours (X11 or Wayland) rather than SDL's own.
    std::atomic<bool> waitOnConnection_{false};
    // Readable after Wake until the next wait has seen it.
    int wakeFd_ = -1;
    // The thread that runs the loop: the one that started SDL's events.
    mutable std::thread::id loopThread_;
    std::array<SDL_Cursor*, 9> cursors_{};
    // The modifiers as of the last key event handed out; none before the first (and after a
    // focus change), when SDL's own state stands.
    std::optional<uint32_t> keyModifiers_;
    // An event SDL_WaitEvent took off the queue, handed out by the next PollEvent.
    std::unique_ptr<SDL_Event> held_;
};

} // namespace platform
