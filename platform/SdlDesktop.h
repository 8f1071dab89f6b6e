#pragma once
// The desktop on a real display, through SDL2. SDL starts lazily: the event subsystem on the
// first poll, video on the first use that needs the display (a window, the clipboard, the
// screen size, waiting). The destructor shuts SDL down; windows still alive then lose their
// SDL window and ignore further calls.
//
// Video only starts on a screen: an X11 or Wayland display that the environment names
// (DISPLAY, WAYLAND_DISPLAY). Without one, or when it refuses the connection, starting raises
// EDisplayError instead of running on a driver that shows nothing. Once on X11, a connection
// that breaks ends the process with one line on standard error (X11ErrorHandlers).

#include "platform/Desktop.h"

#include <array>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

union SDL_Event;
struct SDL_Cursor;

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
    int PixelsPerInch() const override { return 96; }
    uint32_t ModifierState() const override;
    Point MousePosition(const NativeWindow& window) const override;

    // For SdlWindow.
    void Forget(SdlWindow* window);
    void ApplyCursor(Cursor cursor);

private:
    void EnsureEvents() const;
    void EnsureVideo() const;
    void WaitOnConnection(int fd);
    void WakeWaiter();
    static int FromOtherThreads(void* desktop, SDL_Event* event);
    void SetAppId(const std::string& appId) const;
    bool Translate(const SDL_Event& sdl, Event& event);
    void TranslateKeyDown(const SDL_Event& sdl, Event& event);
    SdlWindow* FindWindow(uint32_t id) const;

    std::string appId_;
    mutable bool eventsStarted_ = false;
    mutable bool videoStarted_ = false;
    std::vector<SdlWindow*> windows_;
    // The X connection of SDL's video, known from the first window; -1 before or elsewhere.
    std::atomic<int> x11Connection_{-1};
    // Readable after Wake until the next wait has seen it.
    int wakeFd_ = -1;
    // The thread that runs the loop: the one that started SDL's events.
    mutable std::thread::id loopThread_;
    std::array<SDL_Cursor*, 9> cursors_{};
    // An event SDL_WaitEvent took off the queue, handed out by the next PollEvent.
    std::unique_ptr<SDL_Event> held_;
};

} // namespace platform
