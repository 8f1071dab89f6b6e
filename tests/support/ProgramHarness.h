#pragma once
// The real calculator on the headless desktop, for whole-program tests: the application
// object, the main window from its embedded layout, and input delivered as desktop events
// through the real message processing. Exceptions escaping a handler are handled as the
// event loop handles them (a message box), so tests see what a user would see.

#include "HeadlessProgram.h"

#include <string>

class TComponent;
class TControl;
class TEdit;
class TLabel;
class TChartSeries;

class ProgramHarness {
public:
    // The desktop at the given density (HeadlessProgram).
    explicit ProgramHarness(int pixelsPerInch = 96);
    ~ProgramHarness();
    ProgramHarness(const ProgramHarness&) = delete;
    ProgramHarness& operator=(const ProgramHarness&) = delete;

    // Input (each runs the message processing until nothing is waiting).
    void Click(const std::string& name, platform::MouseButton button = platform::MouseButton::Left);
    void ClickAt(int x, int y, platform::MouseButton button = platform::MouseButton::Left, int clicks = 1);
    void Key(const std::string& chord);      // "Enter", "Shift+Tab", "Ctrl+H"
    void Type(const std::string& text);      // each character as its keystroke
    // Focuses a field by clicking it, selects its text and types the replacement.
    void Enter(const std::string& field, const std::string& text);
    // Enters the four fields (frequency, Q, resistor, capacitor) and presses "Go".
    void Go(const std::string& fc, const std::string& q, const std::string& r, const std::string& c);
    void CloseWindow();
    void Pump();

    // State.
    TComponent* Find(const std::string& name) const;
    TControl* Control(const std::string& name) const;
    std::string Text(const std::string& name) const;
    bool Visible(const std::string& name) const;
    bool Enabled(const std::string& name) const;
    int32_t Color(const std::string& name) const;
    bool Checked(const std::string& name) const;
    std::string Focused() const;
    TChartSeries* SeriesOf(const std::string& chart) const;
    int Points(const std::string& chart) const;
    bool Terminated() const;
    platform::HeadlessDesktop& Desktop() { return program_.Desktop(); }
    // The frame the main window presented last, as a user sees it.
    const platform::Raster& Frame() const;

private:
    void ActivateMainWindow();
    void PostKey(uint16_t key, uint32_t modifiers, const std::string& text);

    HeadlessProgram program_;
};
