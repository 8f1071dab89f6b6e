#pragma once
// The flags of TApplication::MessageBox and its answers, numbered as on the classic desktop:
// the low four bits choose the buttons, the next four the icon, the next four the default
// button; the answer is the chosen button.

#include <cstdint>

constexpr uint32_t MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
                   MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5;
constexpr uint32_t MB_ICONERROR = 0x10, MB_ICONHAND = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20,
                   MB_ICONWARNING = 0x30, MB_ICONEXCLAMATION = 0x30, MB_ICONINFORMATION = 0x40,
                   MB_ICONASTERISK = 0x40;
constexpr uint32_t MB_DEFBUTTON1 = 0x000, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200;
// Reading order right to left: added by the framework when the program reads right to left.
constexpr uint32_t MB_RTLREADING = 0x100000;
constexpr uint32_t MB_TYPEMASK = 0xF, MB_ICONMASK = 0xF0, MB_DEFMASK = 0xF00;

constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;
