#pragma once
// The framework's message queue: messages posted by the program, and input from the desktop
// translated into messages for windowed controls as it is taken, one event at a time (so that
// a Tab that moves the focus sends the next keystroke to the new focus):
//   keyboard -> the focused control of the event's form (the form itself when none);
//   mouse    -> the control holding the capture, else the windowed control under the pointer
//               (a graphic control under the pointer gets it through its parent);
//   close, activation -> the form; expose -> the form re-presents its back buffer;
//   a close request of the desktop itself (window 0) -> the application window.
// When nothing else is waiting, a form with a dirty area gets a synthesised WM_PAINT, as the
// classic desktop does. A posted quit is taken before anything else.

#include "forms/Messages.h"

#include <deque>
#include <functional>

class TControl;
class TCustomForm;

namespace platform {
struct Event;
}

class MessageQueue {
public:
    static void PostMessage(HWND hwnd, uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
    static void PostQuitMessage(int exitCode);
    // Takes the next message without waiting; false when none is waiting.
    static bool PeekMessage(TMsg& msg);
    // Blocks until input arrives; returns at once when a message or a paint is pending.
    static void WaitMessage();
    // Posts WM_CHAR (WM_SYSCHAR with Alt) for each character a key-down carries.
    static bool TranslateMessage(const TMsg& msg);
    // Delivers msg to its control's WndProc; a message for a destroyed control is dropped.
    static intptr_t DispatchMessage(const TMsg& msg);

    // The application window: a handle that names no control, and the procedure its messages
    // go to. Cleared with a handle of 0.
    using WindowProcedure = std::function<intptr_t(TMessage& message)>;
    static void SetApplicationWindow(HWND handle, WindowProcedure procedure);
    static HWND ApplicationWindow();

    // The mouse capture (one for the whole program, as on the desktop).
    static TControl* Capture();
    static void SetCapture(TControl* control);
    static void ReleaseCapture();
    // A control going away: no capture, no hover record points at it any more.
    static void ControlDestroyed(TControl* control);

    // Drops everything queued (tests start from a clean queue).
    static void Clear();

private:
    static bool TranslateEvent(const platform::Event& event, TMsg& msg);
    static bool TranslateMouse(const platform::Event& event, TCustomForm* form, TMsg& msg);
};
