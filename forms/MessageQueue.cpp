#include "forms/MessageQueue.h"

#include "forms/HandleRegistry.h"
#include "forms/TCustomForm.h"
#include "platform/Desktop.h"
#include "rtl/Utf8.h"

#include <deque>

namespace {

struct QueueState {
    std::deque<TMsg> posted;
    bool quitPosted = false;
    int exitCode = 0;
    TControl* capture = nullptr;
    uintptr_t buttons = 0;   // mouse buttons held, MK_ bits
    HWND applicationWindow = 0;
    MessageQueue::WindowProcedure applicationProcedure;
};

QueueState& State()
{
    static QueueState state;
    return state;
}

platform::Cursor ToPlatformCursor(TCursor cursor)
{
    switch (cursor) {
    case crIBeam: return platform::Cursor::IBeam;
    case crHourGlass:
    case crAppStart: return platform::Cursor::Wait;
    case crCross: return platform::Cursor::Cross;
    case crSizeAll: return platform::Cursor::SizeAll;
    case crSizeNS:
    case crVSplit: return platform::Cursor::SizeNS;
    case crSizeWE:
    case crHSplit: return platform::Cursor::SizeWE;
    case crHandPoint: return platform::Cursor::Hand;
    case crNo:
    case crNoDrop: return platform::Cursor::No;
    default: return platform::Cursor::Arrow;
    }
}

uintptr_t ButtonBit(platform::MouseButton button)
{
    switch (button) {
    case platform::MouseButton::Left: return MK_LBUTTON;
    case platform::MouseButton::Right: return MK_RBUTTON;
    case platform::MouseButton::Middle: return MK_MBUTTON;
    default: return 0;
    }
}

uint32_t MouseMessageFor(const platform::Event& event)
{
    const bool dbl = event.clicks >= 2;
    const bool down = event.type == platform::EventType::MouseDown;
    switch (event.button) {
    case platform::MouseButton::Left: return down ? (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
    case platform::MouseButton::Right: return down ? (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
    case platform::MouseButton::Middle: return down ? (dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN) : WM_MBUTTONUP;
    default: return 0;
    }
}

} // namespace

void MessageQueue::PostMessage(HWND hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    State().posted.push_back(TMsg{hwnd, message, wParam, lParam, {}});
}

void MessageQueue::PostQuitMessage(int exitCode)
{
    State().quitPosted = true;
    State().exitCode = exitCode;
}

bool MessageQueue::PeekMessage(TMsg& msg)
{
    QueueState& s = State();
    // A quit ends the loop before anything else is taken.
    if (s.quitPosted) {
        s.quitPosted = false;
        msg = TMsg{0, WM_QUIT, uintptr_t(s.exitCode), 0, {}};
        return true;
    }
    for (;;) {
        if (!s.posted.empty()) {
            msg = std::move(s.posted.front());
            s.posted.pop_front();
            return true;
        }
        platform::Event event;
        if (!platform::CurrentDesktop().PollEvent(event))
            break;
        if (TranslateEvent(event, msg))
            return true;
    }
    // Nothing else waiting: a form with a dirty area gets its paint now.
    for (TCustomForm* form : TCustomForm::Forms())
        if (form->NeedsPaint()) {
            msg = TMsg{form->Handle(), WM_PAINT, 0, 0, {}};
            return true;
        }
    return false;
}

void MessageQueue::WaitMessage()
{
    const QueueState& s = State();
    if (s.quitPosted || !s.posted.empty())
        return;
    for (TCustomForm* form : TCustomForm::Forms())
        if (form->NeedsPaint())
            return;
    platform::CurrentDesktop().WaitEvent();
}

bool MessageQueue::TranslateMessage(const TMsg& msg)
{
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || msg.text.empty())
        return false;
    const uint32_t charMessage = msg.message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    // The characters come right after the key-down, before any later input.
    std::u32string chars = rtl::utf8::Decode(msg.text);
    for (auto it = chars.rbegin(); it != chars.rend(); ++it)
        State().posted.push_front(TMsg{msg.hwnd, charMessage, uintptr_t(*it), msg.lParam, {}});
    return true;
}

intptr_t MessageQueue::DispatchMessage(const TMsg& msg)
{
    QueueState& s = State();
    if (msg.hwnd != 0 && msg.hwnd == s.applicationWindow && s.applicationProcedure) {
        TMessage message{msg.message, msg.wParam, msg.lParam, 0};
        // A copy: the procedure may replace itself (an application object going away).
        const WindowProcedure procedure = s.applicationProcedure;
        procedure(message);
        return message.Result;
    }
    TWinControl* target = HandleRegistry::Find(msg.hwnd);
    if (!target)
        return 0;
    return target->Perform(msg.message, msg.wParam, msg.lParam);
}

void MessageQueue::SetApplicationWindow(HWND handle, WindowProcedure procedure)
{
    State().applicationWindow = handle;
    State().applicationProcedure = handle ? std::move(procedure) : WindowProcedure();
}

HWND MessageQueue::ApplicationWindow()
{
    return State().applicationWindow;
}

TControl* MessageQueue::Capture()
{
    return State().capture;
}

void MessageQueue::SetCapture(TControl* control)
{
    State().capture = control;
}

void MessageQueue::ReleaseCapture()
{
    State().capture = nullptr;
}

void MessageQueue::ControlDestroyed(TControl* control)
{
    if (State().capture == control)
        State().capture = nullptr;
}

void MessageQueue::Clear()
{
    QueueState& s = State();
    s.posted.clear();
    s.quitPosted = false;
    s.exitCode = 0;
    s.capture = nullptr;
    s.buttons = 0;
}

bool MessageQueue::TranslateEvent(const platform::Event& event, TMsg& msg)
{
    using platform::EventType;
    if (event.type == EventType::Close && event.window == 0) {
        // The desktop asks the program itself to end: the application window decides.
        if (State().applicationWindow == 0)
            return false;
        msg = TMsg{State().applicationWindow, WM_CLOSE, 0, 0, {}};
        return true;
    }
    TCustomForm* form = TCustomForm::FindByNativeId(event.window);
    if (!form)
        return false;
    const bool alt = (event.modifiers & platform::ModAlt) != 0;
    switch (event.type) {
    case EventType::KeyDown:
    case EventType::KeyUp: {
        TWinControl* target = form->FocusedControl();
        msg.hwnd = target ? target->Handle() : form->Handle();
        const bool down = event.type == EventType::KeyDown;
        msg.message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
        msg.wParam = event.key;
        msg.lParam = 1 | (alt ? KF_ALTDOWN : 0) | (event.repeat ? intptr_t(1) << 30 : 0) |
                     (down ? 0 : intptr_t(3) << 30);
        msg.text = down ? event.text : std::string();
        return true;
    }
    case EventType::Text: {
        TWinControl* target = form->FocusedControl();
        const HWND hwnd = target ? target->Handle() : form->Handle();
        for (char32_t ch : rtl::utf8::Decode(event.text))
            State().posted.push_back(TMsg{hwnd, WM_CHAR, uintptr_t(ch), 1, {}});
        return false;
    }
    case EventType::MouseMove:
    case EventType::MouseDown:
    case EventType::MouseUp:
        return TranslateMouse(event, form, msg);
    case EventType::MouseWheel: {
        // The wheel turns what has the keyboard, as on the classic desktop: WParam's high word
        // is the signed distance (120 a notch, positive away from the user).
        TWinControl* target = form->FocusedControl();
        if (!target)
            target = form;
        const auto distance = uint16_t(int16_t(event.wheel * 120));
        const platform::Point local = target->FormToClient({event.x, event.y});
        msg = TMsg{target->Handle(), WM_MOUSEWHEEL, uintptr_t(distance) << 16, MakeMouseLParam(local.x, local.y), {}};
        return true;
    }
    case EventType::Resize:
        msg = TMsg{form->Handle(), WM_SIZE, 0,
                   intptr_t((uint32_t(uint16_t(event.x))) | (uint32_t(uint16_t(event.y)) << 16)), {}};
        return true;
    case EventType::Close: msg = TMsg{form->Handle(), WM_CLOSE, 0, 0, {}}; return true;
    case EventType::FocusIn: msg = TMsg{form->Handle(), WM_ACTIVATE, 1, 0, {}}; return true;
    case EventType::FocusOut: msg = TMsg{form->Handle(), WM_ACTIVATE, 0, 0, {}}; return true;
    case EventType::Expose: form->Present(); return false;
    default: return false;
    }
}

bool MessageQueue::TranslateMouse(const platform::Event& event, TCustomForm* form, TMsg& msg)
{
    QueueState& s = State();
    uint32_t message = WM_MOUSEMOVE;
    if (event.type != platform::EventType::MouseMove) {
        message = MouseMessageFor(event);
        if (message == 0)
            return false;
        if (event.type == platform::EventType::MouseDown)
            s.buttons |= ButtonBit(event.button);
        else
            s.buttons &= ~ButtonBit(event.button);
    }
    const platform::Point p{event.x, event.y};
    TWinControl* window = nullptr;
    if (s.capture && s.capture->ParentForm() == form) {
        window = dynamic_cast<TWinControl*>(s.capture);
        if (!window)
            window = s.capture->Parent();
    }
    if (!window) {
        // The innermost windowed control under the pointer.
        window = form;
        for (;;) {
            TControl* child = window->ControlAtPos(window->FormToClient(p), true, true);
            auto* win = dynamic_cast<TWinControl*>(child);
            if (!win)
                break;
            window = win;
        }
        if (message == WM_MOUSEMOVE) {
            TControl* under = window->ControlAtPos(window->FormToClient(p), true, false);
            TControl* shown = under ? under : window;
            form->NativeWindow().SetCursor(ToPlatformCursor(shown->Cursor()));
        }
    }
    if (!window)
        return false;
    uintptr_t keys = s.buttons;
    if (event.modifiers & platform::ModShift)
        keys |= MK_SHIFT;
    if (event.modifiers & platform::ModCtrl)
        keys |= MK_CONTROL;
    const platform::Point local = window->FormToClient(p);
    msg = TMsg{window->Handle(), message, keys, MakeMouseLParam(local.x, local.y), {}};
    return true;
}
