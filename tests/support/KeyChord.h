#pragma once
// Input for the headless desktop as a keyboard and a mouse make it. Key names of the ui-driver ("Enter", "Shift+Tab", "Ctrl+H", "Alt+F4") turned into the
// keystrokes a desktop would deliver: virtual-key code, modifiers and the characters made.

#include "platform/Desktop.h"

#include <optional>
#include <string>
#include <string_view>

struct TKeyStroke {
    uint16_t key = 0;
    uint32_t modifiers = 0;
    std::string text;   // characters the keystroke makes (UTF-8), empty for none
};

// nullopt for an unknown key name or modifier.
std::optional<TKeyStroke> ParseKeyChord(std::string_view chord);

// The keystroke that types one character (UTF-8), as a keyboard would deliver it.
TKeyStroke KeyStrokeForCharacter(const std::string& utf8Character);

// Posts the events of one keystroke (key-down with its characters, key-up) to a window.
void PostKeyStroke(platform::Desktop& desktop, uint64_t window, const TKeyStroke& stroke);
// Posts one event that carries a point (pointer, new size) to a window.
void PostPointEvent(platform::Desktop& desktop, uint64_t window, platform::EventType type, int x, int y,
                    platform::MouseButton button = platform::MouseButton::None, int clicks = 1);
// Posts a click (pointer move, button down, button up) at client coordinates of a window.
void PostClick(platform::Desktop& desktop, uint64_t window, int x, int y,
               platform::MouseButton button = platform::MouseButton::Left, int clicks = 1);
