#pragma once
// The desktop the framework runs on: native top-level windows, input events, waiting without
// spinning, message boxes, the shell, the clipboard, cursors, screen metrics.
// Two implementations: the SDL2 desktop (a real display) and the headless desktop (tests).
// Everything above platform/ talks to this interface only.

#include "platform/MessageBox.h"
#include "platform/Raster.h"
#include "rtl/Exception.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platform {

// The desktop cannot be reached: no display is named, the named one refuses the connection, or
// only a driver without any screen is available (the message starts "cannot open the display");
// or a window cannot be put on it ("cannot show a window").
F2_DECLARE_EXCEPTION(EDisplayError, Exception);

// Modifier bits of an input event (and of Desktop::ModifierState()).
enum Modifier : uint32_t {
    ModShift = 1,
    ModCtrl = 2,
    ModAlt = 4,
};

enum class MouseButton { None, Left, Right, Middle };

enum class EventType {
    None,
    KeyDown,    // key: virtual-key code; text: the characters this keystroke makes (UTF-8), if any
    KeyUp,      // key: virtual-key code
    Text,       // text: characters that arrived without a key-down (input methods, pastes)
    MouseMove,  // x, y in client coordinates
    MouseDown,  // x, y, button, clicks (2 for a double click)
    MouseUp,    // x, y, button
    MouseWheel, // x, y, wheel (positive: away from the user)
    MouseLeave, // the pointer left the window
    Close,      // the user asks the window to close (close box, window manager, Alt+F4);
                // window 0: the desktop asks the whole program to end (SIGTERM, end of session)
    Expose,     // the window's contents were lost and must be presented again
    FocusIn,    // the window became the active window
    FocusOut,   // the window lost activation
    Resize,     // the user resized the window: x, y are the new client width and height
};

// Keyboard, text and pointer events: what a disabled window must not receive.
inline bool IsInputEvent(EventType type)
{
    switch (type) {
    case EventType::KeyDown:
    case EventType::KeyUp:
    case EventType::Text:
    case EventType::MouseMove:
    case EventType::MouseDown:
    case EventType::MouseUp:
    case EventType::MouseWheel:
        return true;
    default:
        return false;
    }
}

struct Event {
    EventType type = EventType::None;
    uint64_t window = 0;      // id of the native window (NativeWindow::Id())
    uint16_t key = 0;         // virtual-key code (Win32 numbering: VK_RETURN 13, 'A' 65, ...)
    uint32_t modifiers = 0;   // Modifier bits at the time of the event
    bool repeat = false;      // auto-repeated key-down
    std::string text;         // UTF-8
    int x = 0;
    int y = 0;
    MouseButton button = MouseButton::None;
    int clicks = 1;
    int wheel = 0;
};

enum class Cursor { Arrow, IBeam, Wait, Cross, SizeAll, SizeNS, SizeWE, Hand, No };

enum class WindowState { Normal, Minimized, Maximized };

struct WindowOptions {
    std::string caption;        // UTF-8
    int clientWidth = 0;
    int clientHeight = 0;
    bool resizable = false;     // the user may resize it (Resize events report the new size)
    bool minimizeBox = false;
    bool maximizeBox = false;
    std::string appId;          // window class / app id, matches the desktop entry
};

class NativeWindow {
public:
    virtual ~NativeWindow() = default;
    virtual uint64_t Id() const = 0;
    virtual void SetCaption(const std::string& utf8) = 0;
    virtual void SetIcon(const Raster& icon) = 0;  // alpha 0 = transparent
    virtual void SetClientSize(int width, int height) = 0;
    virtual void MoveTo(int left, int top) = 0;    // position of the client area on the screen
    virtual Point Position() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() const = 0;
    // Shows the raster as the window's client area (top-left aligned). The window keeps what
    // it was given until the next call; the caller keeps ownership of the raster.
    virtual void Present(const Raster& frame) = 0;
    // The same, when the frame differs from the one presented before only inside the changed
    // rectangles: a window may then copy just those. The default presents the whole frame.
    virtual void PresentChanged(const Raster& frame, std::span<const Rect> changed)
    {
        (void)changed;
        Present(frame);
    }
    virtual void SetCursor(Cursor cursor) = 0;
    virtual void SetEnabled(bool enabled) = 0;     // a disabled window gets no input
    // The smallest client size the user may give a resizable window (0 = no limit). A window
    // that cannot be resized ignores it.
    virtual void SetMinimumSize(int width, int height)
    {
        (void)width;
        (void)height;
    }
    // Puts a shown window above the program's other windows and asks for the keyboard.
    virtual void Raise() {}
    // Minimised (iconic), maximised or normal; a hidden window takes the state when shown.
    virtual void SetState(WindowState state) = 0;
    virtual WindowState State() const = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    virtual std::unique_ptr<NativeWindow> CreateWindow(const WindowOptions& options) = 0;

    // Takes the next input event without waiting; false when none is waiting.
    virtual bool PollEvent(Event& event) = 0;
    // Blocks until at least one event is waiting (no spinning, no timers), or until Wake.
    virtual void WaitEvent() = 0;
    // Ends a WaitEvent in progress, or makes the next one return at once. The only member that
    // may be called from another thread than the one running the loop.
    virtual void Wake() {}

    // Modal message box over the owner (none: over the whole desktop); returns the button the
    // user chose, or DismissAnswer when the box was closed without one.
    virtual MessageBoxAnswer ShowMessageBox(NativeWindow* owner, const MessageBoxRequest& request) = 0;
    // A box with a lone OK button.
    void ShowMessageBox(NativeWindow* owner, const std::string& caption, const std::string& text,
                        MessageBoxIcon icon)
    {
        ShowMessageBox(owner, MessageBoxRequest{caption, text, icon});
    }
    // Asks the shell to open a URL in the default browser; failures are silent.
    virtual void OpenUrl(const std::string& url) = 0;

    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& utf8) = 0;

    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;
    virtual int PixelsPerInch() const = 0;   // logical pixels per inch (96 on a standard desktop; 0: unknown)
    virtual uint32_t ModifierState() const = 0;
    virtual Point MousePosition(const NativeWindow& window) const = 0; // client coordinates
};

// The process-wide desktop. Programs install the SDL desktop at start; tests install a
// headless one. Installing replaces (and destroys) the previous desktop; installing none puts
// the null desktop (NullDesktop) back, which is also there before anything is installed.
Desktop& CurrentDesktop();
void InstallDesktop(std::unique_ptr<Desktop> desktop);

// Virtual-key codes used across the framework (Win32 numbering).
namespace vk {
constexpr uint16_t Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18,
                   Pause = 19, Capital = 20, Escape = 27, Space = 32, Prior = 33, Next = 34,
                   End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45,
                   Delete = 46, F1 = 112, F2 = 113, F4 = 115, F10 = 121, F12 = 123, Apps = 93, OemComma = 188,
                   OemMinus = 189, OemPeriod = 190, OemPlus = 187, Numpad0 = 96, Decimal = 110;
}

} // namespace platform
