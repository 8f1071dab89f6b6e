#pragma once
// Translation of SDL key codes to the framework's virtual-key numbering, and the characters
// that keys make without text input (Enter, Backspace, Escape, Tab, Ctrl+letter).
// Kept apart from the SDL desktop so the tables can be tested without a display; the
// arguments are SDL's SDL_Keycode, SDL_Scancode and SDL_Keymod values as plain integers.

#include <cstdint>
#include <string>

namespace platform {

// Virtual-key code of a key, 0 for keys the framework has no number for. Letters and digits
// fall back to the key's position when the layout puts another symbol there (a Cyrillic
// letter, a French digit row), as the desktop numbering does. Keypad keys without Num Lock
// are the navigation keys printed on them.
uint16_t VirtualKeyFromSdl(int32_t keycode, int32_t scancode, uint16_t sdlModifiers);

// Modifier bits (ModShift, ModCtrl, ModAlt) of an SDL modifier state.
uint32_t ModifiersFromSdl(uint16_t sdlModifiers);

// The control character a key makes on its own: "\r" for Enter, "\b" for Backspace, "\x1b"
// for Escape, "\t" for Tab, "\x01".."\x1a" for Ctrl+A..Z. Empty for every other key and for
// Alt chords, which make no characters.
std::string ControlCharacterText(uint16_t virtualKey, uint32_t modifiers);

} // namespace platform
