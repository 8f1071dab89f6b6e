#include "RandomInput.h"

#include "KeyChord.h"
#include "ProgramHarness.h"

#include "app/Unit1.h"
#include "forms/PopupMenu.h"
#include "forms/TControl.h"
#include "forms/TPopupLayer.h"

#include <fmt/format.h>

#include <array>
#include <string_view>

namespace {

using platform::MouseButton;

// Named keys of the keyboard besides letters, digits and F-keys. Apps is the context-menu key.
constexpr std::array kNamedKeys{"Enter", "Tab", "Escape", "Backspace", "Delete", "Insert", "Home",
                                "End", "Left", "Right", "Up", "Down", "Space", "Period", "Comma",
                                "Minus", "Plus"};

// Characters typed one keystroke each: mostly what a user of the calculator types, plus letters,
// Cyrillic, symbols, characters beyond the basic plane and a combining accent.
constexpr std::array kCharacters{
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ",", ",", ".", ".", "0", "5",
    "a", "e", "E", "x", "Z", " ", "-", "+", "=", "/", "*", "'", "\"", "%", "(", "\\",
    "а", "б", "в", "ж", "я", "Я", "Ё", "ё", "ы", "Щ", "€", "°", "±", "µ", "Ω", "™",
    "©", "§", "…", "–", "«", "»", "\u00A0", "\u0301", "漢", "字", "😀", "🎛", "\u200B", "\uFFFD"};

constexpr std::array kFields{"Edit1", "Edit2", "Edit3", "Edit4"};

constexpr std::array kRadios{"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4",
                             "RadioButton5", "RadioButton6", "RadioButton7", "RadioButton8",
                             "RadioButton9", "RadioButton10"};

// Texts that probe the number reader's edges when pasted and converted by "Go".
constexpr std::array kNumberLike{"1e5000", "1e-5000", "1e4000", "-1e4000", "-5", "+7", " 12 ",
                                 "1,5e3", "5,", ",", "0", "00000", "1e", "e5", "1,2,3", ",5",
                                 "99999", "100000", "0,29999", "2,5", "1E+2", "0x10", "inf",
                                 "nan", "1.5", "12\n34", "\t7", "\xff\xfe", "\xd0"};

uint64_t WindowId()
{
    return Form1->NativeWindow().Id();
}

} // namespace

void PressKey(ProgramHarness& app, uint16_t key, uint32_t modifiers, const std::string& text)
{
    platform::Event e;
    e.window = WindowId();
    e.key = key;
    e.modifiers = modifiers;
    e.type = platform::EventType::KeyDown;
    e.text = text;
    app.Desktop().PostEvent(e);
    e.type = platform::EventType::KeyUp;
    e.text.clear();
    app.Desktop().PostEvent(e);
    app.Pump();
}

std::string Abbreviated(const std::string& text)
{
    std::string shown;
    for (unsigned char c : text)
        shown += c < 0x20 ? fmt::format("\\x{:02x}", c) : std::string(1, char(c));
    if (shown.size() <= 60)
        return "\"" + shown + "\"";
    return fmt::format("\"{}...{}\" ({} bytes)", shown.substr(0, 24), shown.substr(shown.size() - 24), text.size());
}

RandomAction RandomInput::Next()
{
    // Weights: keys and typing dominate, as in real use; pastes and clicks are frequent enough
    // to meet every control many times in a run.
    // Each kind is chosen when the pick lies below its limit and above the one before.
    static constexpr struct {
        uint32_t limit;
        RandomAction (RandomInput::*make)();
    } kinds[] = {{28, &RandomInput::Key},   {44, &RandomInput::Type},  {47, &RandomInput::Compose},
                 {55, &RandomInput::Paste}, {64, &RandomInput::Fresh}, {78, &RandomInput::Click},
                 {82, &RandomInput::Drag},  {90, &RandomInput::Radio}, {98, &RandomInput::Go}};
    const uint32_t pick = Below(100);
    for (const auto& kind : kinds)
        if (pick < kind.limit)
            return (this->*kind.make)();
    return Other();
}

bool RandomInput::ExitFocused() const
{
    return app_.Focused() == kExitButton;
}

RandomAction RandomInput::Key()
{
    uint32_t modifiers = 0;
    const uint32_t m = Below(100);
    if (m >= 50) {
        if (Chance(45)) modifiers |= platform::ModShift;
        if (Chance(45)) modifiers |= platform::ModCtrl;
        if (Chance(25)) modifiers |= platform::ModAlt;
    }
    std::string name;
    const uint32_t kind = Below(100);
    if (kind < 45)
        name = kNamedKeys[Below(kNamedKeys.size())];
    else if (kind < 65)
        name = std::string(1, char('A' + Below(26)));
    else if (kind < 80)
        name = std::string(1, char('0' + Below(10)));
    else if (kind < 95)
        name = fmt::format("F{}", 1 + Below(12));
    else
        name = "Apps";

    // Alt+F4 closes the window; Enter and Space would press "Exit" while it has the focus.
    if ((modifiers & platform::ModAlt) && name == "F4")
        name = "F5";
    const bool exitFocused = ExitFocused();
    if (exitFocused && (name == "Enter" || name == "Space"))
        name = "Tab";

    std::string chord;
    if (modifiers & platform::ModCtrl) chord += "Ctrl+";
    if (modifiers & platform::ModAlt) chord += "Alt+";
    if (modifiers & platform::ModShift) chord += "Shift+";
    chord += name;

    TKeyStroke stroke;
    if (name == "Apps") {
        stroke.key = platform::vk::Apps;
        stroke.modifiers = modifiers;
    } else {
        stroke = *ParseKeyChord(chord);
    }
    return {"key " + chord, [this, stroke] { PressKey(app_, stroke.key, stroke.modifiers, stroke.text); }};
}

std::string RandomInput::Character()
{
    return kCharacters[Below(kCharacters.size())];
}

std::string RandomInput::Text(size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += Character();
    return text;
}

std::string RandomInput::Digits(size_t length)
{
    std::string digits;
    digits.reserve(length);
    for (size_t i = 0; i < length; ++i)
        digits += char('0' + Below(10));
    return digits;
}

RandomAction RandomInput::Type()
{
    const size_t length = Chance(2) ? 200 + Below(1800) : 1 + Below(12);
    std::string text = Text(length);
    if (ExitFocused())
        std::erase(text, ' ');   // a space would press the focused "Exit"
    return {"type " + Abbreviated(text), [this, text] { app_.Type(text); }};
}

// Characters that arrive without a key-down, as from an input method.
RandomAction RandomInput::Compose()
{
    const std::string text = Text(1 + Below(6));
    return {"compose " + Abbreviated(text), [this, text] {
                platform::Event e;
                e.type = platform::EventType::Text;
                e.window = WindowId();
                e.text = text;
                app_.Desktop().PostEvent(e);
                app_.Pump();
            }};
}

std::string RandomInput::ClipboardContent(std::string& what)
{
    switch (Below(6)) {
    case 0:
        what = "10,000 digits";
        return Digits(10000);
    case 1: {
        // A long number that still converts: leading zeros, or a long fraction.
        std::string text = Chance(50) ? std::string(9998, '0') + Digits(2) : "0," + Digits(9998);
        what = "10,000-digit valid number";
        return text;
    }
    case 2:
        what = "number-like text";
        return kNumberLike[Below(kNumberLike.size())];
    case 3: {
        // Raw bytes, malformed UTF-8 and control characters included.
        std::string bytes;
        const size_t n = 1 + Below(40);
        for (size_t i = 0; i < n; ++i)
            bytes += char(1 + Below(255));
        what = "random bytes";
        return bytes;
    }
    case 4:
        what = "long garbage";
        return Text(100 + Below(400));
    default:
        what = "short garbage";
        return Text(1 + Below(10));
    }
}

std::string RandomInput::RandomField()
{
    return kFields[Below(kFields.size())];
}

RandomAction RandomInput::Paste()
{
    std::string what;
    const std::string content = ClipboardContent(what);
    const std::string field = RandomField();
    const uint32_t how = Below(4);
    const char* const ways[] = {"Shift+Insert", "Ctrl+V", "edit menu", "Shift+Insert, field kept"};
    std::string description = fmt::format("paste {} {} into {} by {}", what, Abbreviated(content), field, ways[how]);
    return {description, [this, content, field, how] {
                app_.Desktop().SetClipboardText(content);
                if (how != 3)
                    app_.Click(field);   // a disabled field does not take the focus
                if (how == 0 || how == 3) {
                    if (!ExitFocused())
                        app_.Key("Shift+Insert");
                } else if (how == 1) {
                    app_.Key("Ctrl+V");
                } else {
                    app_.Click(field, MouseButton::Right);
                    TPopupLayer& layer = Form1->PopupLayer();
                    if (!layer.IsOpen())
                        return;
                    const PopupMenu& menu = layer.Menu();
                    for (int i = 0; i < menu.Count(); ++i)
                        if (menu.Item(i).caption.find("Paste") != std::string::npos) {
                            const platform::Rect r = menu.ItemRect(i);
                            app_.ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                            break;
                        }
                }
            }};
}

bool RandomInput::InsideExit(int x, int y) const
{
    const TControl* exit = app_.Control(kExitButton);
    const platform::Point origin = exit->ClientOrigin();
    return x >= origin.x && x < origin.x + exit->Width() && y >= origin.y && y < origin.y + exit->Height();
}

void RandomInput::RandomPoint(int& x, int& y)
{
    do {
        x = int(Below(uint32_t(Form1->ClientWidth())));
        y = int(Below(uint32_t(Form1->ClientHeight())));
    } while (InsideExit(x, y));
}

RandomAction RandomInput::Click()
{
    int x = 0, y = 0;
    RandomPoint(x, y);
    const bool right = Chance(25);
    const bool twice = Chance(10);
    const MouseButton button = right ? MouseButton::Right : MouseButton::Left;
    return {fmt::format("{}click at {},{}{}", right ? "right " : "", x, y, twice ? " (double)" : ""),
            [this, x, y, button, twice] {
                app_.ClickAt(x, y, button);
                if (twice)
                    app_.ClickAt(x, y, button, 2);
            }};
}

// Press at one point, move and release at another: selection by dragging, a press that leaves
// a button, a release over a different control.
RandomAction RandomInput::Drag()
{
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    RandomPoint(x0, y0);
    if (Chance(50)) {
        x1 = x0 + int(Below(161)) - 80;
        y1 = y0 + int(Below(21)) - 10;
    } else {
        x1 = int(Below(900)) - 80;   // the release may be outside the window
        y1 = int(Below(600)) - 50;
    }
    return {fmt::format("drag {},{} -> {},{}", x0, y0, x1, y1), [this, x0, y0, x1, y1] {
                platform::Event e;
                e.window = WindowId();
                e.button = MouseButton::Left;
                e.x = x0;
                e.y = y0;
                e.type = platform::EventType::MouseMove;
                app_.Desktop().PostEvent(e);
                e.type = platform::EventType::MouseDown;
                app_.Desktop().PostEvent(e);
                e.type = platform::EventType::MouseMove;
                e.x = (x0 + x1) / 2;
                e.y = (y0 + y1) / 2;
                app_.Desktop().PostEvent(e);
                e.x = x1;
                e.y = y1;
                app_.Desktop().PostEvent(e);
                e.type = platform::EventType::MouseUp;
                app_.Desktop().PostEvent(e);
                app_.Pump();
            }};
}

// A field's whole text replaced by a number a user might type, in range or not, so that the
// session keeps reaching calculations between the garbage.
RandomAction RandomInput::Fresh()
{
    static constexpr std::array kValues{"100", "0,7", "33", "10", "1000", "0,71", "2,5", "0,3", "5",
                                        "99999", "0,1", "500", "22", "1,5", "0,2", "3", "600", "0,05",
                                        ",5", "1,2,3", "5,", "0,01", "20"};
    const std::string field = RandomField();
    const std::string value = kValues[Below(kValues.size())];
    return {"enter " + value + " into " + field, [this, field, value] { app_.Enter(field, value); }};
}

RandomAction RandomInput::Radio()
{
    const std::string radio = kRadios[Below(kRadios.size())];
    return {"choose " + radio, [this, radio] { app_.Click(radio); }};
}

RandomAction RandomInput::Go()
{
    if (Chance(50) && !ExitFocused())
        return {"key Enter (Go)", [this] { app_.Key("Enter"); }};
    return {"click Go", [this] { app_.Click("Button2"); }};
}

// Rarer desktop events: activation changes, the wheel, a bare modifier key, the link.
RandomAction RandomInput::Other()
{
    switch (Below(4)) {
    case 0:
        return {"window deactivated and activated again", [this] {
                    platform::Event e;
                    e.window = WindowId();
                    e.type = platform::EventType::FocusOut;
                    app_.Desktop().PostEvent(e);
                    e.type = platform::EventType::FocusIn;
                    app_.Desktop().PostEvent(e);
                    app_.Pump();
                }};
    case 1: {
        int x = 0, y = 0;
        RandomPoint(x, y);
        const int wheel = Chance(50) ? 1 : -1;
        return {fmt::format("wheel {} at {},{}", wheel, x, y), [this, x, y, wheel] {
                    platform::Event e;
                    e.window = WindowId();
                    e.type = platform::EventType::MouseWheel;
                    e.x = x;
                    e.y = y;
                    e.wheel = wheel;
                    app_.Desktop().PostEvent(e);
                    app_.Pump();
                }};
    }
    case 2:
        return {"key Shift alone", [this] { PressKey(app_, platform::vk::Shift, platform::ModShift, ""); }};
    default:
        return {"click the link", [this] { app_.Click("Label24"); }};
    }
}
