#pragma once
// The real calculator started on a headless desktop, for tools that drive it from outside the
// event loop (the whole-program tests, the benchmarks): the desktop installed (1024 x 768 at
// 96 pixels per inch unless given another density, with a screen as many times larger), the application object and the main window built from the embedded
// layout, and the window shown. Nothing is processed yet: each user pumps the messages in its
// own way. The destructor stops the program and removes the desktop.

#include "platform/HeadlessDesktop.h"

#include <cstdint>

class HeadlessProgram {
public:
    explicit HeadlessProgram(int pixelsPerInch = 96);
    ~HeadlessProgram();
    HeadlessProgram(const HeadlessProgram&) = delete;
    HeadlessProgram& operator=(const HeadlessProgram&) = delete;

    platform::HeadlessDesktop& Desktop() const { return *desktop_; }
    // The main window's native window, and its id for posting input to it.
    platform::HeadlessWindow& Window() const;
    uint64_t WindowId() const;

private:
    platform::HeadlessDesktop* desktop_ = nullptr;
};
