#pragma once
// The calculator as the benchmarks drive it: the real application object and main window,
// built from the embedded layout on a headless desktop, shown, and with its first frame
// presented. Input goes through the desktop's queue and the real message processing, exactly
// as the whole-program tests deliver it.

#include "tests/support/HeadlessProgram.h"

class RunningProgram {
public:
    RunningProgram();
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    platform::HeadlessDesktop& Desktop() { return program_.Desktop(); }
    platform::HeadlessWindow& Window() const { return program_.Window(); }
    int PresentCount() const { return Window().PresentCount(); }

    // Posts the keystrokes of Enter to the main window ("Go" is its default button).
    void PostEnter();
    // Runs the message processing until nothing is waiting and nothing needs painting.
    void Pump();

private:
    HeadlessProgram program_;
};
