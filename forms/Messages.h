#pragma once
// Message numbers and the message record of the framework's message queue. Numbers follow the
// classic desktop where it has them, so that code reading "18" or "0xB013" means the same thing
// here. CM_ messages are the framework's own notifications between controls; CN_ messages are
// the notification form of a desktop message (its number + CN_BASE), sent to a control before
// the desktop's default processing (keyboard pre-handling uses CN_KEYDOWN ... CN_SYSCHAR).

#include <cstdint>
#include <string>

// A window handle: the registry number of a windowed control (0 = none).
using HWND = uint32_t;

struct TMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

// A queued message: the record plus its target window. A key-down carries the characters the
// desktop made of the keystroke (UTF-8); TranslateMessage turns them into WM_CHAR messages.
struct TMsg {
    HWND hwnd = 0;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    std::string text;
};

constexpr uint32_t WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003,
                   WM_SIZE = 0x0005, WM_ACTIVATE = 0x0006, WM_SETFOCUS = 0x0007,
                   WM_KILLFOCUS = 0x0008, WM_ENABLE = 0x000A, WM_PAINT = 0x000F,
                   WM_CLOSE = 0x0010, WM_QUIT = 0x0012, WM_ERASEBKGND = 0x0014,
                   WM_SHOWWINDOW = 0x0018, WM_CANCELMODE = 0x001F, WM_SETCURSOR = 0x0020,
                   WM_GETDLGCODE = 0x0087;
constexpr uint32_t WM_KEYFIRST = 0x0100, WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101,
                   WM_CHAR = 0x0102, WM_DEADCHAR = 0x0103, WM_SYSKEYDOWN = 0x0104,
                   WM_SYSKEYUP = 0x0105, WM_SYSCHAR = 0x0106, WM_SYSDEADCHAR = 0x0107,
                   WM_KEYLAST = 0x0108;
constexpr uint32_t WM_COMMAND = 0x0111, WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_MOUSEFIRST = 0x0200, WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201,
                   WM_LBUTTONUP = 0x0202, WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204,
                   WM_RBUTTONUP = 0x0205, WM_RBUTTONDBLCLK = 0x0206, WM_MBUTTONDOWN = 0x0207,
                   WM_MBUTTONUP = 0x0208, WM_MBUTTONDBLCLK = 0x0209, WM_MOUSEWHEEL = 0x020A,
                   WM_MOUSELAST = 0x020A;
constexpr uint32_t WM_CUT = 0x0300, WM_COPY = 0x0301, WM_PASTE = 0x0302, WM_CLEAR = 0x0303,
                   WM_UNDO = 0x0304;

// WM_SYSCOMMAND codes.
constexpr uintptr_t SC_CLOSE = 0xF060;

// WM_GETDLGCODE answers: which keys a control wants for itself rather than the dialog.
constexpr intptr_t DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004,
                   DLGC_HASSETSEL = 0x0008, DLGC_WANTCHARS = 0x0080, DLGC_BUTTON = 0x2000;

// Mouse key state bits in WParam of mouse messages.
constexpr uintptr_t MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004,
                    MK_CONTROL = 0x0008, MK_MBUTTON = 0x0010;
// Alt held during a key message: bit 29 of LParam, as on the classic desktop.
constexpr intptr_t KF_ALTDOWN = intptr_t(1) << 29;

constexpr uint32_t CM_BASE = 0xB000;
constexpr uint32_t CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1,
                   CM_GOTFOCUS = CM_BASE + 2, CM_LOSTFOCUS = CM_BASE + 3,
                   CM_CANCELMODE = CM_BASE + 4, CM_DIALOGKEY = CM_BASE + 5,
                   CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7,
                   CM_PARENTFONTCHANGED = CM_BASE + 8, CM_PARENTCOLORCHANGED = CM_BASE + 9,
                   CM_HITTEST = CM_BASE + 10, CM_VISIBLECHANGED = CM_BASE + 11,
                   CM_ENABLEDCHANGED = CM_BASE + 12, CM_COLORCHANGED = CM_BASE + 13,
                   CM_FONTCHANGED = CM_BASE + 14, CM_CURSORCHANGED = CM_BASE + 15,
                   CM_TEXTCHANGED = CM_BASE + 18, CM_MOUSEENTER = CM_BASE + 19,
                   CM_MOUSELEAVE = CM_BASE + 20, CM_BUTTONPRESSED = CM_BASE + 24,
                   CM_SHOWINGCHANGED = CM_BASE + 25, CM_ENTER = CM_BASE + 26,
                   CM_EXIT = CM_BASE + 27, CM_ICONCHANGED = CM_BASE + 29,
                   CM_WANTSPECIALKEY = CM_BASE + 30, CM_RELEASE = CM_BASE + 33,
                   CM_TABSTOPCHANGED = CM_BASE + 40;

constexpr uint32_t CN_BASE = 0xBC00;
constexpr uint32_t CN_COMMAND = CN_BASE + WM_COMMAND, CN_KEYDOWN = CN_BASE + WM_KEYDOWN,
                   CN_KEYUP = CN_BASE + WM_KEYUP, CN_CHAR = CN_BASE + WM_CHAR,
                   CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN, CN_SYSKEYUP = CN_BASE + WM_SYSKEYUP,
                   CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

// Mouse position in LParam: signed 16-bit x in the low word, y in the high word.
constexpr intptr_t MakeMouseLParam(int x, int y)
{
    return intptr_t((uint32_t(uint16_t(int16_t(x)))) | (uint32_t(uint16_t(int16_t(y))) << 16));
}
constexpr int MouseX(intptr_t lParam) { return int16_t(uint16_t(uint32_t(lParam) & 0xFFFF)); }
constexpr int MouseY(intptr_t lParam) { return int16_t(uint16_t(uint32_t(lParam) >> 16)); }
