#include "platform/SdlDesktop.h"

#include "platform/DisplayDensity.h"
#include "platform/LostDisplay.h"
#include "platform/SdlKeyMap.h"
#include "platform/SdlWindow.h"
#include "platform/X11ErrorHandlers.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

#include <SDL.h>
#include <wayland-client.h>

#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

MouseButton ButtonFromSdl(uint8_t button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return MouseButton::Left;
    case SDL_BUTTON_RIGHT:
        return MouseButton::Right;
    case SDL_BUTTON_MIDDLE:
        return MouseButton::Middle;
    default:
        return MouseButton::None;
    }
}

SDL_SystemCursor SystemCursor(Cursor cursor)
{
    switch (cursor) {
    case Cursor::IBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case Cursor::Wait: return SDL_SYSTEM_CURSOR_WAIT;
    case Cursor::Cross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case Cursor::SizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case Cursor::SizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
    case Cursor::SizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case Cursor::Hand: return SDL_SYSTEM_CURSOR_HAND;
    case Cursor::No: return SDL_SYSTEM_CURSOR_NO;
    case Cursor::Arrow: break;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

bool IsSdlInput(uint32_t type)
{
    return (type >= SDL_KEYDOWN && type < SDL_JOYAXISMOTION) ||
           (type >= SDL_FINGERDOWN && type < SDL_CLIPBOARDUPDATE);
}

// Drops keyboard and mouse input queued after the given tick: what the user did to other
// windows while a modal box was up must not reach them afterwards.
int DropInputAfter(void* since, SDL_Event* event)
{
    const Uint32 start = *static_cast<Uint32*>(since);
    return IsSdlInput(event->type) && SDL_TICKS_PASSED(event->common.timestamp, start) ? 0 : 1;
}

const char* Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// The video drivers that put windows on a screen, for the displays the environment names, in
// SDL's own order of preference. SDL would otherwise fall back to a driver without any screen
// (offscreen), and the program would run on with windows nobody can see.
std::string DisplayDrivers()
{
    std::string drivers;
    if (Variable("DISPLAY"))
        drivers = "x11";
    if (Variable("WAYLAND_DISPLAY"))
        drivers += drivers.empty() ? "wayland" : ",wayland";
    return drivers;
}

bool HasScreen(const char* driver)
{
    return driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
}

std::string DisplayNames()
{
    const char* x11 = Variable("DISPLAY");
    const char* wayland = Variable("WAYLAND_DISPLAY");
    if (x11 && wayland)
        return std::string(x11) + " or " + wayland;
    return x11 ? x11 : wayland ? wayland : "";
}

} // namespace

SdlDesktop::SdlDesktop(std::string appId)
    : appId_(std::move(appId)), wakeFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

SdlDesktop::~SdlDesktop()
{
    if (wakeFd_ >= 0)
        close(wakeFd_);
    for (SdlWindow* window : windows_)
        window->Detach();
    for (SDL_Cursor* cursor : cursors_)
        if (cursor)
            SDL_FreeCursor(cursor);
    if (eventsStarted_ || videoStarted_)
        SDL_Quit();
}

void SdlDesktop::EnsureEvents() const
{
    if (eventsStarted_)
        return;
    // The framework decides what closing the last window means; SDL must not add a quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0)
        throw EOutOfResources(rtl::Format("Cannot start the event queue: %s", SDL_GetError()));
    eventsStarted_ = true;
    loopThread_ = std::this_thread::get_id();
    SDL_SetEventFilter(&SdlDesktop::FromOtherThreads, const_cast<SdlDesktop*>(this));
}

void SdlDesktop::EnsureVideo() const
{
    if (videoStarted_)
        return;
    EnsureEvents();
    SetAppId(appId_);
    // On X11 frames go into the window's own framebuffer (SdlWindow's software renderer). SDL
    // must not put a GL texture behind that framebuffer: it would recreate the window for it,
    // losing its position.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const std::string drivers = DisplayDrivers();
    if (drivers.empty())
        throw EDisplayError("cannot open the display: neither DISPLAY nor WAYLAND_DISPLAY is set");
    // An SDL_VIDEODRIVER of the user's own still wins over this hint (and is checked below).
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    X11ErrorHandlers::Install();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw EDisplayError("cannot open the display " + DisplayNames());
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!HasScreen(driver)) {
        const std::string name = driver ? driver : "?";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw EDisplayError("cannot open the display: the video driver " + name + " has no screen");
    }
    videoStarted_ = true;
    onWayland_ = std::strcmp(driver, "wayland") == 0;
    MeasureDensity();
    // Characters come from text input events, which SDL only sends while this is on.
    SDL_StartTextInput();
}

void SdlDesktop::MeasureDensity() const
{
    if (!onWayland_) {
        pixelsPerInch_ = DisplayDensity::OfX11Display();
        return;
    }
    // SDL gives the output's modes in real pixels, the largest being the output's own, and
    // the desktop mode in the desktop's logical units.
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return;
    int realWidth = 0;
    for (int i = 0, n = SDL_GetNumDisplayModes(0); i < n; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0)
            realWidth = std::max(realWidth, mode.w);
    }
    pixelsPerInch_ = DisplayDensity::FromWayland(realWidth, desktop.w);
    scale_ = double(pixelsPerInch_) / DisplayDensity::kStandard;
}

int SdlDesktop::PixelsPerInch() const
{
    EnsureVideo();
    return pixelsPerInch_;
}

int SdlDesktop::ToPoints(int pixels) const
{
    return scale_ == 1.0 ? pixels : int(std::lround(pixels / scale_));
}

int SdlDesktop::ToPixels(int points) const
{
    return scale_ == 1.0 ? points : int(std::lround(points * scale_));
}

void SdlDesktop::SetAppId(const std::string& appId) const
{
    if (appId.empty())
        return;
    // SDL reads these when it creates an X11 window (WM_CLASS) and when Wayland video
    // starts (the app id); the environment is where SDL 2.26 looks for both.
    setenv("SDL_VIDEO_X11_WMCLASS", appId.c_str(), 1);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", appId.c_str(), 1);
    SDL_SetHint(SDL_HINT_APP_NAME, appId.c_str());
}

std::unique_ptr<NativeWindow> SdlDesktop::CreateWindow(const WindowOptions& options)
{
    // X11 takes the window class from the environment once, when video starts: a window that
    // names the program must do so before that, or every window gets the executable's name.
    if (!videoStarted_ && !options.appId.empty())
        appId_ = options.appId;
    EnsureVideo();
    SetAppId(options.appId.empty() ? appId_ : options.appId);
    // A scaled Wayland desktop gives the window its real pixels only when asked to.
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    if (options.resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    // SDL 2.26 has no framebuffer of its own for Wayland windows: there frames go through an
    // accelerated renderer (OpenGL through EGL; Mesa's software rasteriser where there is no
    // GPU), for which the window must be made an OpenGL one from the start.
    if (onWayland_)
        flags |= SDL_WINDOW_OPENGL;
    SDL_Window* handle = SDL_CreateWindow(options.caption.c_str(), SDL_WINDOWPOS_UNDEFINED,
                                          SDL_WINDOWPOS_UNDEFINED, ToPoints(std::max(options.clientWidth, 1)),
                                          ToPoints(std::max(options.clientHeight, 1)), flags);
    if (!handle)
        throw EDisplayError(std::string("cannot show a window: ") + SDL_GetError());
    auto window = std::make_unique<SdlWindow>(this, handle, options, onWayland_);
    // Every window of SDL's video lives on the same connection; it stays open until video stops.
    if (x11Connection_ < 0)
        x11Connection_ = window->X11Connection();
    if (!waylandConnection_)
        waylandConnection_ = window->WaylandConnection();
    waitOnConnection_ = x11Connection_ >= 0 || waylandConnection_;
    windows_.push_back(window.get());
    return window;
}

bool SdlDesktop::PollEvent(Event& event)
{
    EnsureEvents();
    SDL_Event sdl;
    for (;;) {
        if (held_) {
            sdl = *held_;
            held_.reset();
        } else if (!SDL_PollEvent(&sdl)) {
            return false;
        }
        event = Event{};
        if (!Translate(sdl, event))
            continue;
        if (IsInputEvent(event.type)) {
            const SdlWindow* window = FindWindow(uint32_t(event.window));
            if (window && !window->IsEnabled())
                continue;
        }
        return true;
    }
}

void SdlDesktop::WaitEvent()
{
    if (held_)
        return;
    EnsureVideo();
    if (x11Connection_ >= 0) {
        WaitOnConnection(x11Connection_, nullptr);
        return;
    }
    if (waylandConnection_) {
        WaitOnConnection(wl_display_get_fd(waylandConnection_), waylandConnection_);
        return;
    }
    // Before the first window: SDL's own wait (it polls while no window exists; the program
    // creates its window before it first waits).
    auto next = std::make_unique<SDL_Event>();
    if (SDL_WaitEvent(next.get()))
        held_ = std::move(next);
}

void SdlDesktop::Wake()
{
    WakeWaiter();
    // SDL's own wait (before the first window) ends when an event arrives; translating it
    // yields nothing.
    if (SDL_WasInit(SDL_INIT_EVENTS) && !waitOnConnection_) {
        SDL_Event wake{};
        wake.type = SDL_USEREVENT;
        SDL_PushEvent(&wake);
    }
}

void SdlDesktop::WakeWaiter()
{
    if (wakeFd_ >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t written = write(wakeFd_, &one, sizeof one);
    }
}

int SdlDesktop::FromOtherThreads(void* self, SDL_Event* event)
{
    // An event pushed by another thread must end a wait on the X connection, as it ends SDL's
    // own wait. It is queued here, before the wake, so that the woken loop finds it; SDL then
    // drops the original.
    auto* desktop = static_cast<SdlDesktop*>(self);
    if (std::this_thread::get_id() == desktop->loopThread_)
        return 1;
    SDL_PeepEvents(event, 1, SDL_ADDEVENT, 0, 0);
    desktop->WakeWaiter();
    return 0;
}

void SdlDesktop::WaitOnConnection(int fd, wl_display* wayland)
{
    // SDL's own wait on X11 aims a wake-up message at a window for every event that arrives
    // while it waits, through a second connection. At exit that message can reach the server
    // after the window is gone (BadWindow in X_SendEvent). Waiting here, on the connection
    // itself, sends nothing. On Wayland SDL's own wait polls while no window is shown.
    //
    // SIGINT and SIGTERM become a quit event when SDL next pumps. They stay blocked from the
    // pump to the wait, which unblocks them atomically: a signal in between ends the wait at
    // once instead of after the next event.
    sigset_t interrupting, previous;
    sigemptyset(&interrupting);
    sigaddset(&interrupting, SIGINT);
    sigaddset(&interrupting, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &interrupting, &previous);
    SDL_PumpEvents();
    if (!SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) {
        // X11: readable, hung up or in error: in each case the next pump finds out which. A
        // broken connection ends the process there (X11ErrorHandlers).
        if (wayland)
            WaitOnWayland(wayland, &previous);
        else
            WaitForInput(fd, POLLIN, nullptr, &previous);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (wakeFd_ >= 0) {
        uint64_t wakes = 0;
        [[maybe_unused]] ssize_t taken = read(wakeFd_, &wakes, sizeof wakes);
    }
}

namespace {

// A key other than a modifier is held down.
bool RepeatingKeyHeld()
{
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    for (int scancode = 0; scancode < count; ++scancode)
        if (keys[scancode] && (scancode < SDL_SCANCODE_LCTRL || scancode > SDL_SCANCODE_RGUI))
            return true;
    return false;
}

} // namespace

void SdlDesktop::WaitOnWayland(wl_display* display, const sigset_t* mask)
{
    // The reading protocol of the Wayland client library: events another reader already took
    // off the socket (the renderer's EGL reads it too) are dispatched, not waited for; the
    // caller's loop then finds what they produced.
    if (wl_display_prepare_read(display) != 0) {
        wl_display_dispatch_pending(display);
        return;
    }
    // Requests still buffered must reach the compositor, or its answer never comes.
    short events = POLLIN;
    if (wl_display_flush(display) < 0 && errno == EAGAIN)
        events |= POLLOUT;
    // On Wayland SDL repeats a held key itself, when it pumps: while one is held the wait ends
    // in time for the next repeat. With no key held it waits for input alone.
    const timespec repeatTick{0, 10'000'000};
    const short ready = WaitForInput(wl_display_get_fd(display), events,
                                     RepeatingKeyHeld() ? &repeatTick : nullptr, mask);
    if (ready & POLLIN)
        wl_display_read_events(display);
    else
        wl_display_cancel_read(display);
    // A compositor that went away leaves a socket that is always ready: waiting on would spin.
    if ((ready & (POLLHUP | POLLERR)) || wl_display_get_error(display) != 0)
        EndForLostDisplay(Variable("WAYLAND_DISPLAY"));
}

short SdlDesktop::WaitForInput(int fd, short events, const timespec* timeout, const sigset_t* mask)
{
    pollfd waitFor[2] = {{fd, events, 0}, {wakeFd_, POLLIN, 0}};
    if (ppoll(waitFor, wakeFd_ >= 0 ? 2 : 1, timeout, mask) <= 0)
        return 0;
    return waitFor[0].revents;
}

bool SdlDesktop::Translate(const SDL_Event& sdl, Event& event)
{
    switch (sdl.type) {
    case SDL_KEYDOWN:
        TranslateKeyDown(sdl, event);
        return event.key != 0 || !event.text.empty();
    case SDL_KEYUP:
        event.type = EventType::KeyUp;
        event.window = sdl.key.windowID;
        event.key = VirtualKeyFromSdl(sdl.key.keysym.sym, sdl.key.keysym.scancode,
                                      sdl.key.keysym.mod);
        event.modifiers = ModifiersFromSdl(sdl.key.keysym.mod);
        keyModifiers_ = event.modifiers;
        return event.key != 0;
    case SDL_TEXTINPUT:
        event.type = EventType::Text;
        event.window = sdl.text.windowID;
        event.text = sdl.text.text;
        event.modifiers = ModifierState();
        return !event.text.empty();
    case SDL_MOUSEMOTION:
        event.type = EventType::MouseMove;
        event.window = sdl.motion.windowID;
        event.x = ToPixels(sdl.motion.x);
        event.y = ToPixels(sdl.motion.y);
        event.modifiers = ModifierState();
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        event.type = sdl.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp;
        event.window = sdl.button.windowID;
        event.x = ToPixels(sdl.button.x);
        event.y = ToPixels(sdl.button.y);
        event.button = ButtonFromSdl(sdl.button.button);
        // Every second click of a run is a double click; the third starts over.
        event.clicks = sdl.button.clicks % 2 == 0 ? 2 : 1;
        event.modifiers = ModifierState();
        return event.button != MouseButton::None;
    case SDL_MOUSEWHEEL:
        event.type = EventType::MouseWheel;
        event.window = sdl.wheel.windowID;
        event.x = ToPixels(sdl.wheel.mouseX);
        event.y = ToPixels(sdl.wheel.mouseY);
        event.wheel = sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -sdl.wheel.y : sdl.wheel.y;
        event.modifiers = ModifierState();
        return event.wheel != 0;
    case SDL_QUIT:
        // A quit from outside (SIGINT, SIGTERM, the session ending) asks the whole program.
        event.type = EventType::Close;
        event.window = 0;
        return true;
    case SDL_WINDOWEVENT:
        event.window = sdl.window.windowID;
        switch (sdl.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            event.type = EventType::Close;
            return true;
        case SDL_WINDOWEVENT_EXPOSED:
            if (SdlWindow* window = FindWindow(sdl.window.windowID))
                window->Refresh();
            event.type = EventType::Expose;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            // Keys went elsewhere meanwhile: SDL's state holds until the next key here.
            keyModifiers_.reset();
            event.type = EventType::FocusIn;
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            event.type = EventType::FocusOut;
            return true;
        case SDL_WINDOWEVENT_RESIZED:
            // Sent when the window manager changed the size (the user dragged the frame).
            event.type = EventType::Resize;
            event.x = ToPixels(sdl.window.data1);
            event.y = ToPixels(sdl.window.data2);
            return true;
        case SDL_WINDOWEVENT_LEAVE:
            event.type = EventType::MouseLeave;
            return true;
        case SDL_WINDOWEVENT_ENTER:
            // The pointer takes the shape this window asked for.
            if (SdlWindow* window = FindWindow(sdl.window.windowID))
                ApplyCursor(window->CurrentCursor());
            return false;
        default:
            return false;
        }
    default:
        return false;
    }
}

void SdlDesktop::TranslateKeyDown(const SDL_Event& sdl, Event& event)
{
    const SDL_Keysym& keysym = sdl.key.keysym;
    event.type = EventType::KeyDown;
    event.window = sdl.key.windowID;
    event.key = VirtualKeyFromSdl(keysym.sym, keysym.scancode, keysym.mod);
    event.modifiers = ModifiersFromSdl(keysym.mod);
    keyModifiers_ = event.modifiers;
    event.repeat = sdl.key.repeat != 0;

    // SDL reports the characters of a keystroke as a separate text event queued right
    // behind the key; the framework wants them with the key, so take that event along.
    std::string typed;
    SDL_Event next;
    if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
        next.type == SDL_TEXTINPUT && next.text.windowID == sdl.key.windowID &&
        SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT) == 1)
        typed = next.text.text;

    // Ctrl+key makes a control character (or none), never the printed one; a left-Alt chord
    // makes none. The right Alt key is kept as AltGr, which types the layout's third level.
    const bool ctrlOnly = (keysym.mod & KMOD_CTRL) && !(keysym.mod & KMOD_ALT);
    if (!typed.empty() && !ctrlOnly && !(keysym.mod & KMOD_LALT))
        event.text = typed;
    else
        event.text = ControlCharacterText(event.key, event.modifiers);
}

MessageBoxAnswer SdlDesktop::ShowMessageBox(NativeWindow* owner, const MessageBoxRequest& request)
{
    const MessageBoxAnswer dismissed = DismissAnswer(request.buttons);
    try {
        EnsureVideo();
    } catch (const EDisplayError&) {
        // Without a display the message must still reach the user somewhere.
        std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
        return dismissed;
    }
    Uint32 flags = SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    switch (request.icon) {
    case MessageBoxIcon::Error: flags |= SDL_MESSAGEBOX_ERROR; break;
    case MessageBoxIcon::Warning: flags |= SDL_MESSAGEBOX_WARNING; break;
    case MessageBoxIcon::Information:
    case MessageBoxIcon::Question: flags |= SDL_MESSAGEBOX_INFORMATION; break;
    case MessageBoxIcon::None: break;
    }
    // Enter presses the default button, Escape the one a dismissal stands for.
    const MessageBoxAnswer byEnter = DefaultAnswer(request);
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (MessageBoxAnswer answer : ButtonsOf(request.buttons)) {
        Uint32 keys = 0;
        if (answer == byEnter)
            keys |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (answer == dismissed)
            keys |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        buttons.push_back({keys, int(answer), ButtonCaption(answer)});
    }
    SDL_Window* parent = nullptr;
    if (auto* window = dynamic_cast<SdlWindow*>(owner))
        parent = window->Handle();
    SDL_MessageBoxData data{flags, parent, request.caption.c_str(), request.text.c_str(), int(buttons.size()),
                            buttons.data(), nullptr};

    // Input that was already queued stays; input made while the box is up is dropped.
    SDL_PumpEvents();
    Uint32 start = SDL_GetTicks();
    int chosen = -1;
    if (SDL_ShowMessageBox(&data, &chosen) != 0) {
        // No box could be shown: the message must still reach the user somewhere.
        std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
        return dismissed;
    }
    SDL_PumpEvents();
    SDL_FilterEvents(DropInputAfter, &start);
    for (MessageBoxAnswer answer : ButtonsOf(request.buttons))
        if (int(answer) == chosen)
            return answer;
    return dismissed;   // closed by the window manager
}

void SdlDesktop::OpenUrl(const std::string& url)
{
    SDL_OpenURL(url.c_str());
}

std::string SdlDesktop::ClipboardText()
{
    EnsureVideo();
    char* text = SDL_GetClipboardText();
    std::string result = text ? text : "";
    SDL_free(text);
    return result;
}

void SdlDesktop::SetClipboardText(const std::string& utf8)
{
    EnsureVideo();
    SDL_SetClipboardText(utf8.c_str());
}

namespace {

// The first display's desktop mode; video must be up.
SDL_DisplayMode DesktopMode()
{
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        throw EOutOfResources(rtl::Format("Cannot read the screen size: %s", SDL_GetError()));
    return mode;
}

} // namespace

int SdlDesktop::ScreenWidth() const
{
    EnsureVideo();
    return ToPixels(DesktopMode().w);
}

int SdlDesktop::ScreenHeight() const
{
    EnsureVideo();
    return ToPixels(DesktopMode().h);
}

uint32_t SdlDesktop::ModifierState() const
{
    // SDL's own state is the one after everything it has queued: with Shift+Home and the
    // release of Shift queued together, it already says Shift is up while Home is handled.
    return keyModifiers_ ? *keyModifiers_ : ModifiersFromSdl(uint16_t(SDL_GetModState()));
}

Point SdlDesktop::MousePosition(const NativeWindow& window) const
{
    EnsureVideo();
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    Point origin = window.Position();
    return {ToPixels(x) - origin.x, ToPixels(y) - origin.y};
}

void SdlDesktop::Forget(SdlWindow* window)
{
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

void SdlDesktop::ApplyCursor(Cursor cursor)
{
    const size_t index = size_t(cursor);
    if (index >= cursors_.size())
        return;
    if (!cursors_[index])
        cursors_[index] = SDL_CreateSystemCursor(SystemCursor(cursor));
    if (cursors_[index])
        SDL_SetCursor(cursors_[index]);
}

SdlWindow* SdlDesktop::FindWindow(uint32_t id) const
{
    auto it = std::find_if(windows_.begin(), windows_.end(),
                           [id](const SdlWindow* w) { return w->Id() == id; });
    return it == windows_.end() ? nullptr : *it;
}

} // namespace platform
