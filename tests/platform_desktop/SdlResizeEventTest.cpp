// The SDL desktop turns the window manager's new size of a window into a Resize event; the size
// change SDL reports for every resize, including the program's own, is not passed on twice.

#include "platform/SdlDesktop.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace platform;

namespace {

void PushWindowEvent(uint8_t what, uint32_t window, int data1, int data2)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = window;
    e.window.event = what;
    e.window.data1 = data1;
    e.window.data2 = data2;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
}

} // namespace

TEST(SdlResizeEvent, TheWindowManagersNewSizeBecomesOneResizeEventWithTheClientSize)
{
    SdlDesktop desktop;
    Event event;
    ASSERT_FALSE(desktop.PollEvent(event));   // starts SDL's event queue
    PushWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 3, 500, 400);
    PushWindowEvent(SDL_WINDOWEVENT_RESIZED, 3, 500, 400);
    ASSERT_TRUE(desktop.PollEvent(event));
    EXPECT_EQ(event.type, EventType::Resize);
    EXPECT_EQ(event.window, 3u);
    EXPECT_EQ(event.x, 500);
    EXPECT_EQ(event.y, 400);
    EXPECT_FALSE(desktop.PollEvent(event));
}
