#include "UiDriver.h"

#include "Json.h"
#include "KeyChord.h"

#include "app/Program.h"
#include "app/Unit1.h"
#include "chart/TChart.h"
#include "chart/TChartSeries.h"
#include "forms/TApplication.h"
#include "forms/TCustomForm.h"
#include "forms/TEdit.h"
#include "forms/TPopupLayer.h"
#include "forms/TRadioButton.h"
#include "forms/TWinControl.h"
#include "platform/PngFile.h"
#include "rtl/Text.h"

#include <fmt/format.h>
#include <fmt/printf.h>

#include <charconv>
#include <optional>
#include <string_view>
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>
#include <sstream>

namespace {

std::string ColorText(int32_t color)
{
    return fmt::format("\"0x{:08X}\"", static_cast<uint32_t>(color));
}

std::string FontStyleText(TFontStyles style)
{
    std::string out = "[";
    const TTypeInfo* element = TypeInfoOf<TFontStyle>();
    bool first = true;
    for (int i = 0; i < int(element->EnumNames().size()); ++i)
        if (style.Contains(static_cast<TFontStyle>(i))) {
            out += (first ? "" : ",") + JsonString(element->NameOf(i));
            first = false;
        }
    return out + "]";
}

// The next UTF-8 character of text starting at i.
std::string NextCharacter(const std::string& text, size_t& i)
{
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 1;
    if (i + length > text.size())
        length = text.size() - i;
    std::string ch = text.substr(i, length);
    i += length;
    return ch;
}

// A whole decimal integer, or nothing.
std::optional<int> ParseInt(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "X Y" as the coordinate commands take them.
std::optional<platform::Point> ParsePoint(const std::string& text)
{
    std::istringstream args(text);
    int x = 0, y = 0;
    if (!(args >> x >> y))
        return std::nullopt;
    return platform::Point{x, y};
}

// A window the user can see and reach: shown, with its native window made.
bool IsOpen(const TCustomForm* form)
{
    return form->Visible() && form->HasNativeWindow();
}

// The commands that act on the addressed window.
bool AddressesWindow(const std::string& command)
{
    static const char* const commands[] = {"click", "rclick", "dblclick", "clickat", "move", "key", "type",
                                           "close", "dump", "png", "series", "menu"};
    for (const char* name : commands)
        if (command == name)
            return true;
    return false;
}

} // namespace

UiDriver::UiDriver(std::istream& in, std::ostream& out, std::function<void()> afterStart)
    : in_(in), out_(out), afterStart_(std::move(afterStart))
{
}

int UiDriver::Run()
{
    auto desktop = std::make_unique<platform::HeadlessDesktop>(1024, 768, 96);
    desktop_ = desktop.get();
    platform::InstallDesktop(std::move(desktop));
    try {
        StartFilter2();
        if (afterStart_)
            afterStart_();
    } catch (const std::exception& e) {
        exitCode_ = ShowStartupFailure(e);
        loopEnded_ = true;
    }
    if (!loopEnded_) {
        // The real loop runs; whenever it has nothing left to do it asks the desktop to wait,
        // and that is when the previous command's reply is due and the next command is read.
        desktop_->onWait = [this] {
            if (!NextCommands() && Running())
                Application->Terminate();
        };
        Application->Run();
        loopEnded_ = true;
        desktop_->onWait = nullptr;
    }
    // The loop has ended (Exit, close, or the end of the input): commands are still answered.
    if (pendingReply_)
        Reply();
    std::string line;
    while (!inputEnded_ && std::getline(in_, line)) {
        Execute(line);
        if (pendingReply_)
            Reply();
    }
    StopFilter2();
    platform::InstallDesktop(nullptr);
    return exitCode_;
}

bool UiDriver::NextCommands()
{
    if (pendingReply_)
        Reply();
    std::string line;
    while (std::getline(in_, line)) {
        Execute(line);
        if (pendingReply_)
            return true;   // input posted: let the loop run it
    }
    inputEnded_ = true;
    return false;
}

void UiDriver::Reply(const std::string& text)
{
    out_ << text << ".\n" << std::flush;
    pendingReply_ = false;
}

bool UiDriver::Running() const
{
    return Application && !Application->Terminated() && !loopEnded_;
}

TComponent* UiDriver::FindComponent(const std::string& name) const
{
    TCustomForm* form = Target();
    if (!form)
        return nullptr;
    if (rtl::SameText(name, form->Name()))
        return form;
    return form->FindComponent(name);
}

TCustomForm* UiDriver::Target() const
{
    if (window_.empty())
        return Form1;
    for (TCustomForm* form : TCustomForm::Forms())
        if (rtl::SameText(form->Name(), window_))
            return form;
    return nullptr;
}

uint64_t UiDriver::TargetWindowId() const
{
    TCustomForm* form = Target();
    return (form && form->HasNativeWindow()) ? form->NativeWindow().Id() : 0;
}

void UiDriver::PostOrReply(bool canPost, const std::function<void()>& post)
{
    if (!canPost)
        return Reply();
    post();
    pendingReply_ = true;
}

void UiDriver::Execute(const std::string& rawLine)
{
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty() || line[0] == '#')
        return;
    const size_t space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string argument = space == std::string::npos ? std::string() : line.substr(space + 1);

    if (!window_.empty() && !Target() && AddressesWindow(command))
        return Reply("error: no window named " + window_ + "\n");

    // Commands that post input leave their reply until the loop has run.
    const bool canPost = Running() && Target();
    if (command == "click" || command == "rclick" || command == "dblclick") {
        auto* control = dynamic_cast<TControl*>(FindComponent(argument));
        if (!control)
            return Reply("error: no control named " + argument + "\n");
        const auto button = command == "rclick" ? platform::MouseButton::Right : platform::MouseButton::Left;
        return PostOrReply(canPost, [&] { Click(control, button, command == "dblclick"); });
    }
    if (command == "clickat" || command == "move") {
        const auto point = ParsePoint(argument);
        if (!point)
            return Reply("error: " + command + " takes X Y\n");
        if (command == "move")
            return PostOrReply(canPost, [&] { MoveTo(point->x, point->y); });
        return PostOrReply(canPost, [&] { ClickAt(point->x, point->y, platform::MouseButton::Left, 1); });
    }
    if (command == "key") {
        const auto stroke = ParseKeyChord(argument);
        if (!stroke)
            return Reply("error: unknown key " + argument + "\n");
        return PostOrReply(canPost, [&] { PostKey(stroke->key, stroke->modifiers, stroke->text); });
    }
    if (command == "type") {
        return PostOrReply(canPost, [&] {
            for (size_t i = 0; i < argument.size();) {
                const TKeyStroke stroke = KeyStrokeForCharacter(NextCharacter(argument, i));
                PostKey(stroke.key, stroke.modifiers, stroke.text);
            }
        });
    }
    if (command == "close") {
        return PostOrReply(canPost, [&] {
            platform::Event e;
            e.type = platform::EventType::Close;
            e.window = TargetWindowId();
            desktop_->PostEvent(e);
        });
    }
    if (command == "menu")
        return Menu(argument, canPost);
    if (command == "clipboard") {
        desktop_->SetClipboardText(argument);
        return Reply();
    }
    // Queries are read while the loop is idle, so they see the state after it has drained.
    if (command == "dump")
        Dump();
    else if (command == "series")
        Series(argument);
    else if (command == "windows")
        Windows();
    else if (command == "use")
        Use(argument);
    else if (command == "messages")
        Messages();
    else if (command == "urls")
        Urls();
    else if (command == "png")
        Png(argument);
    else if (command == "state")
        State();
    else if (command == "memory")
        Memory();
    else
        Reply("error: unknown command " + command + "\n");
}

void UiDriver::Click(TControl* control, platform::MouseButton button, bool doubleClick)
{
    const platform::Point origin = control->ClientOrigin();
    const int x = origin.x + control->Width() / 2;
    const int y = origin.y + control->Height() / 2;
    ClickAt(x, y, button, 1);
    if (doubleClick)
        ClickAt(x, y, button, 2);
}

void UiDriver::ClickAt(int x, int y, platform::MouseButton button, int clicks)
{
    // A click on a window that is not the active one activates it first, as a window manager
    // does; with a single window that is always the main window, already active.
    if (TCustomForm* form = Target(); form && !form->Active()) {
        platform::Event e;
        e.type = platform::EventType::FocusIn;
        e.window = TargetWindowId();
        desktop_->PostEvent(e);
    }
    PostClick(*desktop_, TargetWindowId(), x, y, button, clicks);
}

void UiDriver::MoveTo(int x, int y)
{
    platform::Event e;
    e.type = platform::EventType::MouseMove;
    e.window = TargetWindowId();
    e.x = x;
    e.y = y;
    desktop_->PostEvent(e);
}

void UiDriver::PostKey(uint16_t key, uint32_t modifiers, const std::string& text)
{
    PostKeyStroke(*desktop_, TargetWindowId(), TKeyStroke{key, modifiers, text});
}

void UiDriver::Dump()
{
    std::string out;
    TCustomForm* form = Target();
    if (!form)
        return Reply("error: no main window\n");
    auto describe = [&](TComponent* component) {
        std::string line = "{\"name\":" + JsonString(component->Name()) +
                           ",\"class\":" + JsonString(component->ClassName());
        TComponent* parent = component->GetParentComponent();
        line += ",\"parent\":" + (parent ? JsonString(parent->Name()) : std::string("null"));
        if (auto* control = dynamic_cast<TControl*>(component)) {
            line += fmt::format(",\"left\":{},\"top\":{},\"width\":{},\"height\":{}", control->Left(),
                                control->Top(), control->Width(), control->Height());
            if (component == form)
                line += fmt::format(",\"clientWidth\":{},\"clientHeight\":{}", control->ClientWidth(),
                                    control->ClientHeight());
            line += ",\"visible\":" + JsonBool(control->Visible()) + ",\"enabled\":" + JsonBool(control->Enabled());
            line += ",\"text\":" + JsonString(control->GetText());
            line += ",\"color\":" + ColorText(control->Color());
            const TFont* font = control->Font();
            line += ",\"font\":{\"name\":" + JsonString(font->Name()) + fmt::format(",\"height\":{}", font->Height()) +
                    ",\"style\":" + FontStyleText(font->Style()) + ",\"color\":" + ColorText(font->Color()) + "}";
            auto* win = dynamic_cast<TWinControl*>(control);
            line += ",\"focused\":" + JsonBool(win && win->Focused());
        }
        if (auto* radio = dynamic_cast<TRadioButton*>(component))
            line += ",\"checked\":" + JsonBool(radio->Checked());
        if (auto* edit = dynamic_cast<TCustomEdit*>(component))
            line += fmt::format(",\"selStart\":{},\"selLength\":{}", edit->SelStart(), edit->SelLength());
        if (auto* chart = dynamic_cast<TChart*>(component))
            line += fmt::format(",\"points\":{}", chart->SeriesCount() > 0 ? chart->SeriesAt(0)->PointCount() : 0);
        if (auto* series = dynamic_cast<TChartSeries*>(component))
            line += fmt::format(",\"points\":{}", series->PointCount());
        out += line + "}\n";
    };
    describe(form);
    for (int i = 0; i < form->ComponentCount(); ++i)
        describe(form->Components(i));
    Reply(out);
}

void UiDriver::Series(const std::string& argument)
{
    std::istringstream args(argument);
    std::string name, indexText, extra;
    args >> name >> indexText >> extra;
    const std::optional<int> index = indexText.empty() ? 0 : ParseInt(indexText);
    if (!index || !extra.empty())
        return Reply("error: series takes CHART [INDEX]\n");
    auto* chart = dynamic_cast<TChart*>(FindComponent(name));
    if (!chart)
        return Reply("error: no chart named " + name + "\n");
    if (*index == 0 && chart->SeriesCount() == 0)
        return Reply("0\n");
    if (*index < 0 || *index >= chart->SeriesCount())
        return Reply(fmt::format("error: {} has no series {}\n", name, *index));
    TChartSeries* series = chart->SeriesAt(*index);
    std::string out = fmt::format("{}\n", series->PointCount());
    for (int i = 0; i < series->PointCount(); ++i)
        out += fmt::format("{} {}\n", fmt::sprintf("%.17g", series->PointX(i)), fmt::sprintf("%.17g", series->PointY(i)));
    Reply(out);
}

void UiDriver::Windows()
{
    std::string out;
    for (TCustomForm* form : TCustomForm::Forms())
        if (IsOpen(form))
            out += "{\"name\":" + JsonString(form->Name()) + ",\"class\":" + JsonString(form->ClassName()) +
                   ",\"caption\":" + JsonString(form->GetText()) + ",\"active\":" + JsonBool(form->Active()) +
                   "}\n";
    Reply(out);
}

void UiDriver::Use(const std::string& name)
{
    if (name.empty()) {
        window_.clear();
        return Reply();
    }
    for (TCustomForm* form : TCustomForm::Forms())
        if (rtl::SameText(form->Name(), name) && IsOpen(form)) {
            window_ = form == Form1 ? std::string() : form->Name();
            return Reply();
        }
    Reply("error: no open window named " + name + "\n");
}

void UiDriver::Menu(const std::string& argument, bool canPost)
{
    const std::optional<int> index = ParseInt(argument);
    if (!argument.empty() && !index)
        return Reply("error: menu takes [N]\n");
    TCustomForm* form = Target();
    if (!form || !form->PopupLayer().IsMenuOpen())
        return Reply("error: no popup menu is open\n");
    const PopupMenu& menu = form->PopupLayer().Menu();
    if (!index) {
        std::string out;
        for (int i = 0; i < menu.Count(); ++i) {
            const PopupMenuItem& item = menu.Item(i);
            out += fmt::format("{{\"index\":{},\"caption\":", i) + JsonString(item.separator ? "-" : item.caption) +
                   ",\"enabled\":" + JsonBool(item.enabled && !item.separator) +
                   ",\"separator\":" + JsonBool(item.separator) + "}\n";
        }
        return Reply(out);
    }
    if (*index < 0 || *index >= menu.Count())
        return Reply(fmt::format("error: no menu item {}\n", *index));
    const PopupMenuItem& item = menu.Item(*index);
    if (item.separator)
        return Reply(fmt::format("error: menu item {} is a separator\n", *index));
    if (!item.enabled)
        return Reply(fmt::format("error: menu item {} is disabled\n", *index));
    const platform::Rect r = menu.ItemRect(*index);
    PostOrReply(canPost, [&] { ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, platform::MouseButton::Left, 1); });
}

void UiDriver::Messages()
{
    std::string out;
    const auto& all = desktop_->Messages();
    for (; messagesReported_ < all.size(); ++messagesReported_) {
        const auto& m = all[messagesReported_];
        const char* icon = m.icon == platform::MessageBoxIcon::Error ? "error"
                           : m.icon == platform::MessageBoxIcon::Warning ? "warning"
                           : m.icon == platform::MessageBoxIcon::Information ? "information"
                           : m.icon == platform::MessageBoxIcon::Question ? "question" : "none";
        out += "{\"caption\":" + JsonString(m.caption) + ",\"text\":" + JsonString(m.text) +
               ",\"icon\":" + JsonString(icon) + "}\n";
    }
    Reply(out);
}

void UiDriver::Urls()
{
    std::string out;
    const auto& all = desktop_->Urls();
    for (; urlsReported_ < all.size(); ++urlsReported_)
        out += all[urlsReported_] + "\n";
    Reply(out);
}

void UiDriver::Png(const std::string& file)
{
    const platform::HeadlessWindow* window = desktop_->FindWindow(TargetWindowId());
    if (!window)
        return Reply(window_.empty() ? std::string("error: the main window has no frame\n")
                                     : "error: the window " + window_ + " has no frame\n");
    try {
        platform::WritePng(file, window->LastFrame());
    } catch (const std::exception& e) {
        return Reply(std::string("error: ") + e.what() + "\n");
    }
    Reply();
}

void UiDriver::State()
{
    std::string focus;
    TCustomForm* form = Target();
    if (form && form->FocusedControl())
        focus = form->FocusedControl()->Name();
    Reply("{\"running\":" + JsonBool(Running()) + fmt::format(",\"exitCode\":{}", exitCode_) +
          ",\"focus\":" + JsonString(focus) + "}\n");
}

void UiDriver::Memory()
{
    // Lines such as "VmRSS:     12345 kB"; the kernel always reports these in kB.
    std::ifstream status("/proc/self/status");
    long long rss = -1, peak = -1;
    std::string line;
    while (std::getline(status, line)) {
        std::istringstream fields(line);
        std::string key;
        long long value = 0;
        if (!(fields >> key >> value))
            continue;
        if (key == "VmRSS:")
            rss = value;
        else if (key == "VmHWM:")
            peak = value;
    }
    if (rss < 0 || peak < 0)
        return Reply("error: the process's memory is not readable\n");
    Reply(fmt::format("{{\"rssKiB\":{},\"peakKiB\":{}}}\n", rss, peak));
}
