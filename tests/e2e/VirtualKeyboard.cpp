#include "tests/e2e/VirtualKeyboard.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstring>
#include <map>
#include <stdexcept>

namespace {

// The virtual-keyboard protocol (version 1) is not among the descriptions wayland-protocols
// ships, so its two interfaces are described here, as wayland-scanner would generate them.
extern const wl_interface virtualKeyboardInterface;

const wl_interface* createTypes[] = {&wl_seat_interface, &virtualKeyboardInterface};
const wl_interface* noTypes[] = {nullptr, nullptr, nullptr, nullptr};

const wl_message managerRequests[] = {{"create_virtual_keyboard", "on", createTypes}};
const wl_interface managerInterface = {"zwp_virtual_keyboard_manager_v1", 1, 1, managerRequests, 0, nullptr};

enum KeyboardRequest : uint32_t { Keymap = 0, KeyEvent = 1, ModifierState = 2, Destroy = 3 };
const wl_message keyboardRequests[] = {
    {"keymap", "uhu", noTypes}, {"key", "uuu", noTypes}, {"modifiers", "uuuu", noTypes}, {"destroy", "", noTypes}};
const wl_interface virtualKeyboardInterface = {"zwp_virtual_keyboard_v1", 1, 4, keyboardRequests, 0, nullptr};

constexpr uint32_t kKeymapFormatXkbV1 = 1;

struct Globals {
    wl_proxy* seat = nullptr;
    wl_proxy* manager = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat)
        globals->seat = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, managerInterface.name) == 0)
        globals->manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &managerInterface, 1));
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener = {OnGlobal, OnGlobalRemove};

// The standard US keymap as text, with the index of its Shift modifier.
std::string StandardKeymap(unsigned& shiftMask)
{
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context)
        throw std::runtime_error("xkbcommon: no context");
    const xkb_rule_names names{"evdev", "pc105", "us", "", ""};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap) {
        xkb_context_unref(context);
        throw std::runtime_error("xkbcommon: cannot compile the US keymap (is xkb-data installed?)");
    }
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    std::string result = text ? text : "";
    std::free(text);
    shiftMask = 1u << xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_SHIFT);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return result;
}

int EvdevCode(const std::string& key)
{
    static const std::map<std::string, int> named = {
        {"Return", KEY_ENTER}, {"End", KEY_END}, {"Home", KEY_HOME}, {"Tab", KEY_TAB},
        {"BackSpace", KEY_BACKSPACE}, {"Escape", KEY_ESC}, {"comma", KEY_COMMA},
        {"0", KEY_0}, {"1", KEY_1}, {"2", KEY_2}, {"3", KEY_3}, {"4", KEY_4},
        {"5", KEY_5}, {"6", KEY_6}, {"7", KEY_7}, {"8", KEY_8}, {"9", KEY_9}};
    const auto it = named.find(key);
    if (it == named.end())
        throw std::runtime_error("VirtualKeyboard: no key named " + key);
    return it->second;
}

} // namespace

VirtualKeyboard::VirtualKeyboard(const std::string& socketPath)
{
    display_ = wl_display_connect(socketPath.c_str());
    if (!display_)
        throw std::runtime_error("cannot connect to the compositor at " + socketPath);
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display_);
    wl_registry_add_listener(registry, &registryListener, &globals);
    wl_display_roundtrip(display_);
    wl_registry_destroy(registry);
    seat_ = globals.seat;
    manager_ = globals.manager;
    if (!seat_ || !manager_) {
        const std::string missing = seat_ ? "the virtual-keyboard protocol" : "a seat";
        Release();
        throw std::runtime_error("the compositor offers no " + missing);
    }
    keyboard_ = wl_proxy_marshal_constructor(manager_, 0, &virtualKeyboardInterface, seat_, nullptr);

    const std::string keymap = StandardKeymap(shiftMask_);
    // The compositor reads the keymap from a file descriptor, terminating zero included.
    const int fd = memfd_create("filter2-keymap", MFD_CLOEXEC);
    if (fd < 0 || write(fd, keymap.c_str(), keymap.size() + 1) != ssize_t(keymap.size() + 1)) {
        if (fd >= 0)
            close(fd);
        Release();
        throw std::runtime_error("cannot write the keymap");
    }
    wl_proxy_marshal(keyboard_, Keymap, kKeymapFormatXkbV1, fd, uint32_t(keymap.size() + 1));
    Sync();
    close(fd);
}

VirtualKeyboard::~VirtualKeyboard()
{
    Release();
}

void VirtualKeyboard::Release()
{
    if (keyboard_) {
        wl_proxy_marshal(keyboard_, Destroy);
        wl_proxy_destroy(keyboard_);
        keyboard_ = nullptr;
    }
    if (manager_)
        wl_proxy_destroy(manager_);
    manager_ = nullptr;
    if (seat_)
        wl_proxy_destroy(seat_);
    seat_ = nullptr;
    if (display_) {
        wl_display_roundtrip(display_);
        wl_display_disconnect(display_);
    }
    display_ = nullptr;
}

void VirtualKeyboard::Sync()
{
    // A round trip: the compositor has handled every request before the next one is made.
    if (wl_display_roundtrip(display_) < 0)
        throw std::runtime_error("the connection to the compositor broke");
}

void VirtualKeyboard::Key(int evdevCode, bool pressed)
{
    time_ += 10;
    wl_proxy_marshal(keyboard_, KeyEvent, time_, uint32_t(evdevCode), uint32_t(pressed ? 1 : 0));
    Sync();
}

void VirtualKeyboard::Modifiers(bool shift)
{
    wl_proxy_marshal(keyboard_, ModifierState, shift ? shiftMask_ : 0u, 0u, 0u, 0u);
    Sync();
}

void VirtualKeyboard::Keys(const std::vector<std::string>& keys)
{
    constexpr std::string_view shiftPrefix = "shift+";
    for (const std::string& key : keys) {
        const bool shift = key.rfind(shiftPrefix, 0) == 0;
        const int code = EvdevCode(shift ? key.substr(shiftPrefix.size()) : key);
        if (shift) {
            Key(KEY_LEFTSHIFT, true);
            Modifiers(true);
        }
        Key(code, true);
        Key(code, false);
        if (shift) {
            Key(KEY_LEFTSHIFT, false);
            Modifiers(false);
        }
    }
}

void VirtualKeyboard::Type(const std::string& digits)
{
    std::vector<std::string> keys;
    for (char c : digits)
        keys.emplace_back(1, c);
    Keys(keys);
}
