#pragma once
// Key names of the ui-driver ("Enter", "Shift+Tab", "Ctrl+H", "Alt+F4") turned into the
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
