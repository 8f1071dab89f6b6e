#pragma once
// Window handles of windowed controls. A message names its target by handle, never by pointer:
// a control that is destroyed leaves the registry, and a message still queued for it is dropped
// when it is taken instead of reaching freed memory. Handles are never reused.

#include "forms/Messages.h"

#include <unordered_map>

class TWinControl;

class HandleRegistry {
public:
    static HWND Register(TWinControl* control);
    // A handle of its own for a window that is no control (the application window); Find
    // answers nullptr for it.
    static HWND Reserve();
    static void Unregister(HWND handle);
    static TWinControl* Find(HWND handle);   // nullptr for 0 or a destroyed control

private:
    static std::unordered_map<HWND, TWinControl*>& Map();
};
