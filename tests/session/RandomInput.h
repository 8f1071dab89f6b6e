#pragma once
// Random user input for the calculator: keys from the whole keyboard with any modifiers, typed
// text in several scripts (sometimes very long), input-method text, clipboard pastes of garbage
// and of 10,000-digit numbers by keyboard and by the edit menu, clicks and drags anywhere in
// the window, radio choices and "Go". The sequence depends only on the seed, so a failing run
// can be repeated exactly.
//
// Nothing it sends asks the program to end: no Alt+F4, no close request, no press of "Exit"
// by mouse or keyboard. A run that ends the program anyway is a finding, not noise.

#include <cstdint>
#include <functional>
#include <random>
#include <string>

class ProgramHarness;

struct RandomAction {
    std::string description;        // readable enough to replay the step by hand
    std::function<void()> perform;  // sends the input and runs the message processing
};

class RandomInput {
public:
    RandomInput(ProgramHarness& app, uint32_t seed) : app_(app), rng_(seed) {}

    // The next action; nothing is sent until perform() runs.
    RandomAction Next();

    // Keys, text and pastes must not reach "Exit" while it has the focus.
    static constexpr const char* kExitButton = "Button1";

private:
    uint32_t Below(uint32_t n) { return uint32_t(rng_() % n); }
    bool Chance(int percent) { return Below(100) < uint32_t(percent); }

    RandomAction Key();
    RandomAction Type();
    RandomAction Compose();
    RandomAction Paste();
    RandomAction Fresh();
    RandomAction Click();
    RandomAction Drag();
    RandomAction Radio();
    RandomAction Go();
    RandomAction Other();

    std::string Character();
    std::string Text(size_t length);
    std::string Digits(size_t length);
    std::string ClipboardContent(std::string& what);
    std::string RandomField();
    bool InsideExit(int x, int y) const;
    void RandomPoint(int& x, int& y);
    bool ExitFocused() const;

    ProgramHarness& app_;
    std::mt19937 rng_;
};

// Posts one keystroke (key-down with the characters it makes, then key-up) to the main window
// and runs the message processing.
void PressKey(ProgramHarness& app, uint16_t key, uint32_t modifiers, const std::string& text);

// Shortens text for a trace line: long runs are shown by their length and ends.
std::string Abbreviated(const std::string& text);
