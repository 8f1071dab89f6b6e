#include "KeyChord.h"

#include "platform/HeadlessDesktop.h"
#include "rtl/Text.h"

#include <cctype>
#include <vector>

namespace {

struct NamedKey {
    const char* name;
    uint16_t key;
    const char* text;   // characters without modifiers
};

const NamedKey kNamedKeys[] = {
    {"Enter", platform::vk::Return, "\r"},   {"Tab", platform::vk::Tab, "\t"},
    {"Escape", platform::vk::Escape, "\x1b"}, {"Backspace", platform::vk::Back, "\b"},
    {"Delete", platform::vk::Delete, ""},     {"Insert", platform::vk::Insert, ""},
    {"Home", platform::vk::Home, ""},         {"End", platform::vk::End, ""},
    {"Left", platform::vk::Left, ""},         {"Right", platform::vk::Right, ""},
    {"Up", platform::vk::Up, ""},             {"Down", platform::vk::Down, ""},
    {"Space", platform::vk::Space, " "},      {"Period", platform::vk::OemPeriod, "."},
    {"Comma", platform::vk::OemComma, ","},   {"Minus", platform::vk::OemMinus, "-"},
    {"Plus", platform::vk::OemPlus, "+"},
};

std::vector<std::string_view> SplitPlus(std::string_view chord)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= chord.size()) {
        size_t plus = chord.find('+', start);
        // A trailing "+" after a "+" names the Plus key itself ("Ctrl++").
        if (plus == start && plus + 1 == chord.size()) {
            parts.push_back(chord.substr(start));
            break;
        }
        if (plus == std::string_view::npos) {
            parts.push_back(chord.substr(start));
            break;
        }
        parts.push_back(chord.substr(start, plus - start));
        start = plus + 1;
    }
    return parts;
}

} // namespace

std::optional<TKeyStroke> ParseKeyChord(std::string_view chord)
{
    const auto parts = SplitPlus(chord);
    if (parts.empty() || parts.back().empty())
        return std::nullopt;
    TKeyStroke stroke;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        if (rtl::SameText(parts[i], "Shift"))
            stroke.modifiers |= platform::ModShift;
        else if (rtl::SameText(parts[i], "Ctrl"))
            stroke.modifiers |= platform::ModCtrl;
        else if (rtl::SameText(parts[i], "Alt"))
            stroke.modifiers |= platform::ModAlt;
        else
            return std::nullopt;
    }
    const std::string_view name = parts.back();
    const bool shift = stroke.modifiers & platform::ModShift;
    const bool ctrl = stroke.modifiers & platform::ModCtrl;
    const bool alt = stroke.modifiers & platform::ModAlt;
    std::string plain;
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) {
        const char upper = char(std::toupper(static_cast<unsigned char>(name[0])));
        stroke.key = uint16_t(upper);
        plain = std::string(1, shift ? upper : char(std::tolower(static_cast<unsigned char>(upper))));
        if (ctrl && !alt) {
            stroke.text = std::string(1, char(upper - 'A' + 1));   // Ctrl+A..Z make 1..26
            return stroke;
        }
    } else if (name.size() == 1 && std::isdigit(static_cast<unsigned char>(name[0]))) {
        stroke.key = uint16_t(name[0]);
        plain = std::string(1, name[0]);
    } else if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f') &&
               std::isdigit(static_cast<unsigned char>(name[1]))) {
        const int n = std::stoi(std::string(name.substr(1)));
        if (n < 1 || n > 12)
            return std::nullopt;
        stroke.key = uint16_t(platform::vk::F1 + n - 1);
    } else {
        const NamedKey* found = nullptr;
        for (const NamedKey& k : kNamedKeys)
            if (rtl::SameText(k.name, name))
                found = &k;
        if (!found)
            return std::nullopt;
        stroke.key = found->key;
        plain = found->text;
        // Control keys keep their control characters with Shift or Ctrl.
        if (!plain.empty() && static_cast<unsigned char>(plain[0]) < 32) {
            if (!alt)
                stroke.text = plain;
            return stroke;
        }
    }
    if (!ctrl && !alt)
        stroke.text = plain;
    return stroke;
}

TKeyStroke KeyStrokeForCharacter(const std::string& ch)
{
    TKeyStroke stroke;
    stroke.text = ch;
    if (ch.size() == 1) {
        const unsigned char c = static_cast<unsigned char>(ch[0]);
        if (std::isalpha(c)) {
            stroke.key = uint16_t(std::toupper(c));
            if (std::isupper(c))
                stroke.modifiers = platform::ModShift;
        } else if (std::isdigit(c)) {
            stroke.key = c;
        } else {
            switch (c) {
            case ' ': stroke.key = platform::vk::Space; break;
            case '.': stroke.key = platform::vk::OemPeriod; break;
            case ',': stroke.key = platform::vk::OemComma; break;
            case '-': stroke.key = platform::vk::OemMinus; break;
            case '+': stroke.key = platform::vk::OemPlus; stroke.modifiers = platform::ModShift; break;
            case '=': stroke.key = platform::vk::OemPlus; break;
            case '\t': stroke.key = platform::vk::Tab; break;
            case '\r':
            case '\n': stroke.key = platform::vk::Return; stroke.text = "\r"; break;
            default: stroke.key = 0; break;   // other punctuation: the character alone matters
            }
        }
    }
    // Characters beyond ASCII come from a keyboard layout; their key code plays no role here.
    return stroke;
}

void PostKeyStroke(platform::Desktop& desktop, uint64_t window, const TKeyStroke& stroke)
{
    auto& queue = dynamic_cast<platform::HeadlessDesktop&>(desktop);
    platform::Event e;
    e.window = window;
    e.key = stroke.key;
    e.modifiers = stroke.modifiers;
    e.type = platform::EventType::KeyDown;
    e.text = stroke.text;
    queue.PostEvent(e);
    e.type = platform::EventType::KeyUp;
    e.text.clear();
    queue.PostEvent(e);
}

void PostPointEvent(platform::Desktop& desktop, uint64_t window, platform::EventType type, int x, int y,
                    platform::MouseButton button, int clicks)
{
    platform::Event e;
    e.type = type;
    e.window = window;
    e.x = x;
    e.y = y;
    e.button = button;
    e.clicks = clicks;
    dynamic_cast<platform::HeadlessDesktop&>(desktop).PostEvent(e);
}

void PostClick(platform::Desktop& desktop, uint64_t window, int x, int y, platform::MouseButton button, int clicks)
{
    for (auto type : {platform::EventType::MouseMove, platform::EventType::MouseDown, platform::EventType::MouseUp})
        PostPointEvent(desktop, window, type, x, y, button, clicks);
}
