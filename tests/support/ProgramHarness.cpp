#include "ProgramHarness.h"

#include "KeyChord.h"

#include "app/Unit1.h"
#include "chart/TChart.h"
#include "chart/TChartSeries.h"
#include "forms/TApplication.h"
#include "forms/TEdit.h"
#include "forms/TRadioButton.h"
#include "rtl/Text.h"

#include <stdexcept>

ProgramHarness::ProgramHarness(int pixelsPerInch) : program_(pixelsPerInch)
{
    Pump();
}

ProgramHarness::~ProgramHarness() = default;

void ProgramHarness::Pump()
{
    // What the event loop does with each message, without the final wait.
    for (int guard = 0; guard < 100000; ++guard) {
        try {
            Application->ProcessMessages();
            return;
        } catch (...) {
            Application->HandleException(Application);
        }
    }
    throw std::runtime_error("message processing does not settle");
}

const platform::Raster& ProgramHarness::Frame() const
{
    return program_.Window().LastFrame();
}

// Input for the main window reaches it as the active window, as on a desktop, where clicking
// or typing into a window activates it first: with a second window open (the details window),
// the main window is activated before the input arrives.
void ProgramHarness::ActivateMainWindow()
{
    if (Form1->Active())
        return;
    platform::Event e;
    e.type = platform::EventType::FocusIn;
    e.window = program_.WindowId();
    program_.Desktop().PostEvent(e);
}

void ProgramHarness::ClickAt(int x, int y, platform::MouseButton button, int clicks)
{
    ActivateMainWindow();
    PostClick(program_.Desktop(), program_.WindowId(), x, y, button, clicks);
    Pump();
}

void ProgramHarness::Click(const std::string& name, platform::MouseButton button)
{
    TControl* control = Control(name);
    const platform::Point origin = control->ClientOrigin();
    ClickAt(origin.x + control->Width() / 2, origin.y + control->Height() / 2, button);
}

void ProgramHarness::PostKey(uint16_t key, uint32_t modifiers, const std::string& text)
{
    ActivateMainWindow();
    PostKeyStroke(program_.Desktop(), program_.WindowId(), TKeyStroke{key, modifiers, text});
}

void ProgramHarness::Key(const std::string& chord)
{
    const auto stroke = ParseKeyChord(chord);
    if (!stroke)
        throw std::invalid_argument("unknown key " + chord);
    PostKey(stroke->key, stroke->modifiers, stroke->text);
    Pump();
}

void ProgramHarness::Type(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : 4;
        const TKeyStroke stroke = KeyStrokeForCharacter(text.substr(i, length));
        PostKey(stroke.key, stroke.modifiers, stroke.text);
        i += length;
    }
    Pump();
}

void ProgramHarness::Enter(const std::string& field, const std::string& text)
{
    Click(field);
    Key("Home");
    Key("Shift+End");
    if (text.empty())
        Key("Delete");
    else
        Type(text);
}

void ProgramHarness::Go(const std::string& fc, const std::string& q, const std::string& r, const std::string& c)
{
    Enter("Edit1", fc);
    Enter("Edit2", q);
    Enter("Edit3", r);
    Enter("Edit4", c);
    Click("Button2");
}

void ProgramHarness::CloseWindow()
{
    platform::Event e;
    e.type = platform::EventType::Close;
    e.window = program_.WindowId();
    program_.Desktop().PostEvent(e);
    Pump();
}

TComponent* ProgramHarness::Find(const std::string& name) const
{
    if (rtl::SameText(name, Form1->Name()))
        return Form1;
    TComponent* component = Form1->FindComponent(name);
    if (!component)
        throw std::invalid_argument("no component named " + name);
    return component;
}

TControl* ProgramHarness::Control(const std::string& name) const
{
    auto* control = dynamic_cast<TControl*>(Find(name));
    if (!control)
        throw std::invalid_argument(name + " is not a control");
    return control;
}

std::string ProgramHarness::Text(const std::string& name) const { return Control(name)->GetText(); }
bool ProgramHarness::Visible(const std::string& name) const { return Control(name)->Visible(); }
bool ProgramHarness::Enabled(const std::string& name) const { return Control(name)->Enabled(); }
int32_t ProgramHarness::Color(const std::string& name) const { return Control(name)->Color(); }

bool ProgramHarness::Checked(const std::string& name) const
{
    return dynamic_cast<TRadioButton&>(*Control(name)).Checked();
}

std::string ProgramHarness::Focused() const
{
    TWinControl* focused = Form1->FocusedControl();
    return focused ? focused->Name() : std::string();
}

TChartSeries* ProgramHarness::SeriesOf(const std::string& chart) const
{
    return dynamic_cast<TChart&>(*Control(chart)).SeriesAt(0);
}

int ProgramHarness::Points(const std::string& chart) const
{
    return SeriesOf(chart)->PointCount();
}

bool ProgramHarness::Terminated() const
{
    return Application->Terminated();
}
