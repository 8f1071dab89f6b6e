#include "UiDriver.h"

#include "Json.h"
#include "KeyChord.h"

#include "app/Program.h"
#include "app/Unit1.h"
#include "chart/TChart.h"
#include "chart/TChartSeries.h"
#include "forms/TApplication.h"
#include "forms/TEdit.h"
#include "forms/TRadioButton.h"
#include "forms/TWinControl.h"
#include "platform/PngFile.h"
#include "rtl/Text.h"

#include <fmt/format.h>
#include <fmt/printf.h>

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

} // namespace

UiDriver::UiDriver(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

int UiDriver::Run()
{
    auto desktop = std::make_unique<platform::HeadlessDesktop>(1024, 768, 96);
    desktop_ = desktop.get();
    platform::InstallDesktop(std::move(desktop));
    try {
        StartFilter2();
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
    if (!Form1)
        return nullptr;
    if (rtl::SameText(name, Form1->Name()))
        return Form1;
    return Form1->FindComponent(name);
}

uint64_t UiDriver::MainWindowId() const
{
    return (Form1 && Form1->HasNativeWindow()) ? Form1->NativeWindow().Id() : 0;
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

    // Commands that post input leave their reply until the loop has run.
    const bool canPost = Running() && Form1;
    if (command == "click" || command == "rclick" || command == "dblclick") {
        auto* control = dynamic_cast<TControl*>(FindComponent(argument));
        if (!control)
            return Reply("error: no control named " + argument + "\n");
        if (canPost)
            Click(control, command == "rclick" ? platform::MouseButton::Right : platform::MouseButton::Left,
                  command == "dblclick");
        pendingReply_ = true;
        if (!canPost)
            Reply();
        return;
    }
    if (command == "clickat") {
        std::istringstream args(argument);
        int x = 0, y = 0;
        if (!(args >> x >> y))
            return Reply("error: clickat takes X Y\n");
        if (canPost)
            ClickAt(x, y, platform::MouseButton::Left, 1);
        pendingReply_ = true;
        if (!canPost)
            Reply();
        return;
    }
    if (command == "key") {
        const auto stroke = ParseKeyChord(argument);
        if (!stroke)
            return Reply("error: unknown key " + argument + "\n");
        if (canPost)
            PostKey(stroke->key, stroke->modifiers, stroke->text);
        pendingReply_ = true;
        if (!canPost)
            Reply();
        return;
    }
    if (command == "type") {
        if (canPost)
            for (size_t i = 0; i < argument.size();) {
                const TKeyStroke stroke = KeyStrokeForCharacter(NextCharacter(argument, i));
                PostKey(stroke.key, stroke.modifiers, stroke.text);
            }
        pendingReply_ = true;
        if (!canPost)
            Reply();
        return;
    }
    if (command == "close") {
        if (canPost) {
            platform::Event e;
            e.type = platform::EventType::Close;
            e.window = MainWindowId();
            desktop_->PostEvent(e);
        }
        pendingReply_ = true;
        if (!canPost)
            Reply();
        return;
    }
    if (command == "clipboard") {
        desktop_->SetClipboardText(argument);
        return Reply();
    }
    // Queries are read while the loop is idle, so they see the state after it has drained.
    if (command == "dump")
        Dump();
    else if (command == "series")
        Series(argument);
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
    PostClick(*desktop_, MainWindowId(), x, y, button, clicks);
}

void UiDriver::PostKey(uint16_t key, uint32_t modifiers, const std::string& text)
{
    PostKeyStroke(*desktop_, MainWindowId(), TKeyStroke{key, modifiers, text});
}

void UiDriver::Dump()
{
    std::string out;
    if (!Form1)
        return Reply("error: no main window\n");
    auto describe = [&](TComponent* component) {
        std::string line = "{\"name\":" + JsonString(component->Name()) +
                           ",\"class\":" + JsonString(component->ClassName());
        TComponent* parent = component->GetParentComponent();
        line += ",\"parent\":" + (parent ? JsonString(parent->Name()) : std::string("null"));
        if (auto* control = dynamic_cast<TControl*>(component)) {
            line += fmt::format(",\"left\":{},\"top\":{},\"width\":{},\"height\":{}", control->Left(),
                                control->Top(), control->Width(), control->Height());
            if (component == Form1)
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
    describe(Form1);
    for (int i = 0; i < Form1->ComponentCount(); ++i)
        describe(Form1->Components(i));
    Reply(out);
}

void UiDriver::Series(const std::string& name)
{
    auto* chart = dynamic_cast<TChart*>(FindComponent(name));
    if (!chart)
        return Reply("error: no chart named " + name + "\n");
    if (chart->SeriesCount() == 0)
        return Reply("0\n");
    TChartSeries* series = chart->SeriesAt(0);
    std::string out = fmt::format("{}\n", series->PointCount());
    for (int i = 0; i < series->PointCount(); ++i)
        out += fmt::format("{} {}\n", fmt::sprintf("%.17g", series->PointX(i)), fmt::sprintf("%.17g", series->PointY(i)));
    Reply(out);
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
    const platform::HeadlessWindow* window = desktop_->FindWindow(MainWindowId());
    if (!window)
        return Reply("error: the main window has no frame\n");
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
    if (Form1 && Form1->FocusedControl())
        focus = Form1->FocusedControl()->Name();
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
