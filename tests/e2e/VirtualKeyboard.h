#pragma once
// A keyboard for a Wayland compositor that has no real one (a headless compositor): a client
// of the compositor's virtual-keyboard protocol that types as a user at a standard keyboard
// would. It announces the ordinary US keymap of evdev keycodes, so a program under test sees
// the same key codes as from a real keyboard (tools that make up a keymap of their own per
// call move keys to other codes, which programs that go by the key's position misread).

#include <string>
#include <vector>

struct wl_display;
struct wl_proxy;

class VirtualKeyboard {
public:
    // Connects to the compositor's socket (absolute path) and creates the keyboard on its
    // seat. Raises std::runtime_error when any of it fails.
    explicit VirtualKeyboard(const std::string& socketPath);
    ~VirtualKeyboard();
    VirtualKeyboard(const VirtualKeyboard&) = delete;
    VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

    // Presses and releases each key in turn: "0".."9", "Return", "End", "Home", a key with
    // "shift+" in front is pressed with Shift held. Raises std::runtime_error on an unknown
    // key or a broken connection.
    void Keys(const std::vector<std::string>& keys);
    // Types digits, one key each.
    void Type(const std::string& digits);

private:
    void Key(int evdevCode, bool pressed);
    void Modifiers(bool shift);
    void Sync();
    void Release();

    wl_display* display_ = nullptr;
    wl_proxy* seat_ = nullptr;
    wl_proxy* manager_ = nullptr;
    wl_proxy* keyboard_ = nullptr;
    unsigned shiftMask_ = 0;
    unsigned time_ = 0;
};
