#include "platform/SdlKeyMap.h"

#include "platform/Desktop.h"

#include <SDL_keyboard.h>

namespace platform {

namespace {

struct KeyEntry {
    SDL_Keycode sdl;
    uint16_t vk;
};

// Keys whose code does not follow from a letter or digit.
constexpr KeyEntry Keys[] = {
    {SDLK_BACKSPACE, vk::Back}, {SDLK_TAB, vk::Tab}, {SDLK_RETURN, vk::Return},
    {SDLK_KP_ENTER, vk::Return}, {SDLK_RETURN2, vk::Return}, {SDLK_ESCAPE, vk::Escape},
    {SDLK_SPACE, vk::Space}, {SDLK_PAGEUP, vk::Prior}, {SDLK_PAGEDOWN, vk::Next},
    {SDLK_END, vk::End}, {SDLK_HOME, vk::Home}, {SDLK_LEFT, vk::Left}, {SDLK_UP, vk::Up},
    {SDLK_RIGHT, vk::Right}, {SDLK_DOWN, vk::Down}, {SDLK_INSERT, vk::Insert},
    {SDLK_DELETE, vk::Delete}, {SDLK_LSHIFT, vk::Shift}, {SDLK_RSHIFT, vk::Shift},
    {SDLK_LCTRL, vk::Control}, {SDLK_RCTRL, vk::Control}, {SDLK_LALT, vk::Menu},
    {SDLK_RALT, vk::Menu}, {SDLK_LGUI, 91}, {SDLK_RGUI, 92}, {SDLK_APPLICATION, vk::Apps},
    {SDLK_PAUSE, vk::Pause}, {SDLK_CAPSLOCK, vk::Capital}, {SDLK_NUMLOCKCLEAR, 144},
    {SDLK_SCROLLLOCK, 145}, {SDLK_PRINTSCREEN, 44}, {SDLK_CLEAR, 12},
    {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107}, {SDLK_KP_MINUS, 109},
    {SDLK_KP_DIVIDE, 111}, {SDLK_SEMICOLON, 186}, {SDLK_EQUALS, vk::OemPlus},
    {SDLK_PLUS, vk::OemPlus}, {SDLK_COMMA, vk::OemComma}, {SDLK_MINUS, vk::OemMinus},
    {SDLK_PERIOD, vk::OemPeriod}, {SDLK_SLASH, 191}, {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220}, {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
};

// Keypad keys: with Num Lock the digit or decimal point, without it the key printed below.
struct KeypadEntry {
    SDL_Keycode sdl;
    uint16_t withNumLock;
    uint16_t without;
};

constexpr KeypadEntry Keypad[] = {
    {SDLK_KP_0, vk::Numpad0 + 0, vk::Insert}, {SDLK_KP_1, vk::Numpad0 + 1, vk::End},
    {SDLK_KP_2, vk::Numpad0 + 2, vk::Down},   {SDLK_KP_3, vk::Numpad0 + 3, vk::Next},
    {SDLK_KP_4, vk::Numpad0 + 4, vk::Left},   {SDLK_KP_5, vk::Numpad0 + 5, 12},
    {SDLK_KP_6, vk::Numpad0 + 6, vk::Right},  {SDLK_KP_7, vk::Numpad0 + 7, vk::Home},
    {SDLK_KP_8, vk::Numpad0 + 8, vk::Up},     {SDLK_KP_9, vk::Numpad0 + 9, vk::Prior},
    {SDLK_KP_PERIOD, vk::Decimal, vk::Delete}, {SDLK_KP_DECIMAL, vk::Decimal, vk::Delete},
    {SDLK_KP_COMMA, vk::Decimal, vk::Delete},
};

} // namespace

uint16_t VirtualKeyFromSdl(int32_t keycode, int32_t scancode, uint16_t sdlModifiers)
{
    if (keycode >= SDLK_a && keycode <= SDLK_z)
        return uint16_t('A' + (keycode - SDLK_a));
    if (keycode >= SDLK_0 && keycode <= SDLK_9)
        return uint16_t(keycode);
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12)
        return uint16_t(vk::F1 + (keycode - SDLK_F1));
    for (const KeypadEntry& k : Keypad)
        if (k.sdl == keycode)
            return (sdlModifiers & KMOD_NUM) ? k.withNumLock : k.without;
    for (const KeyEntry& k : Keys)
        if (k.sdl == keycode)
            return k.vk;
    // Another symbol on a letter or digit key: number it by where it sits.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return uint16_t('A' + (scancode - SDL_SCANCODE_A));
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return uint16_t('1' + (scancode - SDL_SCANCODE_1));
    if (scancode == SDL_SCANCODE_0)
        return uint16_t('0');
    return 0;
}

uint32_t ModifiersFromSdl(uint16_t sdlModifiers)
{
    uint32_t result = 0;
    if (sdlModifiers & KMOD_SHIFT)
        result |= ModShift;
    if (sdlModifiers & KMOD_CTRL)
        result |= ModCtrl;
    if (sdlModifiers & KMOD_ALT)
        result |= ModAlt;
    return result;
}

std::string ControlCharacterText(uint16_t virtualKey, uint32_t modifiers)
{
    if (modifiers & ModAlt)
        return {};
    const bool ctrl = (modifiers & ModCtrl) != 0;
    switch (virtualKey) {
    case vk::Return:
        return ctrl ? "\n" : "\r";
    case vk::Back:
        return ctrl ? "\x7f" : "\b";
    case vk::Escape:
        return "\x1b";
    case vk::Tab:
        return ctrl ? "" : "\t";
    default:
        break;
    }
    if (ctrl && virtualKey >= 'A' && virtualKey <= 'Z')
        return std::string(1, char(virtualKey - 'A' + 1));
    return {};
}

} // namespace platform
