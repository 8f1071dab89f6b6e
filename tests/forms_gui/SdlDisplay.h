#pragma once
// The SDL desktop on the X display the tests run under (xvfb-run), and a waker that keeps a
// blocking SDL wait from sleeping for good while a test runs loop passes: a helper thread pushes
// an empty user event every period until the waker is destroyed.

#include "forms/MessageQueue.h"
#include "platform/SdlDesktop.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

// Installs the SDL desktop with an empty message queue; fails when there is no display.
inline ::testing::AssertionResult InstallSdlDesktopOnDisplay()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return ::testing::AssertionFailure() << "DISPLAY is not set: run under xvfb-run -a -s \"-screen 0 1280x1024x24\"";
    setenv("SDL_VIDEODRIVER", "x11", 1);
    platform::InstallDesktop(std::make_unique<platform::SdlDesktop>("filter2-forms-gui"));
    MessageQueue::Clear();
    return ::testing::AssertionSuccess();
}

class SdlWaker {
public:
    explicit SdlWaker(std::chrono::milliseconds period)
        : thread_([this, period] {
              while (!stop_) {
                  std::this_thread::sleep_for(period);
                  SDL_Event e{};
                  e.type = SDL_USEREVENT;
                  SDL_PushEvent(&e);
              }
          })
    {
    }
    ~SdlWaker()
    {
        stop_ = true;
        thread_.join();
    }
    SdlWaker(const SdlWaker&) = delete;
    SdlWaker& operator=(const SdlWaker&) = delete;

private:
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};
