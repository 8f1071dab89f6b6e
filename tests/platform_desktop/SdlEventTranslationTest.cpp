// The SDL desktop's event translation, fed with SDL events pushed into SDL's queue.
// Only SDL's event subsystem runs here: no display is needed.

#include "platform/SdlDesktop.h"
#include "tests/support/SdlEvents.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class SdlEventTranslation : public ::testing::Test {
protected:
    void SetUp() override
    {
        Event none;
        ASSERT_FALSE(desktop.PollEvent(none)); // starts SDL's event queue
        SDL_EventState(SDL_TEXTINPUT, SDL_ENABLE);
    }

    void KeyDown(SDL_Keycode sym, SDL_Scancode scan, uint16_t mod = KMOD_NONE, uint32_t window = 1)
    {
        SDL_Event e = SdlKeyDown(window, sym, scan, mod);
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }

    void Text(const char* text, uint32_t window = 1)
    {
        SDL_Event e = SdlTextInput(window, text);
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }

    void Button(uint32_t type, uint8_t button, uint8_t clicks, int x, int y)
    {
        SDL_Event e{};
        e.type = type;
        e.button.windowID = 1;
        e.button.button = button;
        e.button.clicks = clicks;
        e.button.x = x;
        e.button.y = y;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }

    void WindowEvent(uint8_t what)
    {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = 1;
        e.window.event = what;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }

    Event Next()
    {
        Event e;
        EXPECT_TRUE(desktop.PollEvent(e));
        return e;
    }

    SdlDesktop desktop;
};

} // namespace

TEST_F(SdlEventTranslation, TextRightBehindAKeyJoinsTheKeyDown)
{
    KeyDown(SDLK_PERIOD, SDL_SCANCODE_PERIOD);
    Text(".");
    KeyDown(SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT);
    Text("A");
    Event e = Next();
    EXPECT_EQ(e.type, EventType::KeyDown);
    EXPECT_EQ(e.key, vk::OemPeriod);
    EXPECT_EQ(e.text, ".");
    e = Next();
    EXPECT_EQ(e.key, 'A');
    EXPECT_EQ(e.modifiers, uint32_t(ModShift));
    EXPECT_EQ(e.text, "A");
    EXPECT_FALSE(desktop.PollEvent(e));
}

TEST_F(SdlEventTranslation, TextWithoutAKeyOrForAnotherWindowStandsAlone)
{
    Text("ж");
    KeyDown(SDLK_DELETE, SDL_SCANCODE_DELETE);
    Text("x", 2);
    Event e = Next();
    EXPECT_EQ(e.type, EventType::Text);
    EXPECT_EQ(e.text, "ж");
    e = Next();
    EXPECT_EQ(e.type, EventType::KeyDown);
    EXPECT_EQ(e.key, vk::Delete);
    EXPECT_EQ(e.text, "");
    e = Next();
    EXPECT_EQ(e.type, EventType::Text);
    EXPECT_EQ(e.window, 2u);
}

TEST_F(SdlEventTranslation, ControlKeysMakeTheirControlCharacters)
{
    KeyDown(SDLK_RETURN, SDL_SCANCODE_RETURN);
    KeyDown(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER);
    KeyDown(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    KeyDown(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    KeyDown(SDLK_TAB, SDL_SCANCODE_TAB);
    KeyDown(SDLK_h, SDL_SCANCODE_H, KMOD_LCTRL);
    for (const char* expected : {"\r", "\r", "\b", "\x1b", "\t", "\b"})
        EXPECT_EQ(Next().text, expected);
}

TEST_F(SdlEventTranslation, CtrlAndLeftAltChordsDropTheTypedCharacter)
{
    KeyDown(SDLK_1, SDL_SCANCODE_1, KMOD_LCTRL);
    Text("1");
    KeyDown(SDLK_a, SDL_SCANCODE_A, KMOD_LALT);
    Text("a");
    KeyDown(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT);
    KeyDown(SDLK_q, SDL_SCANCODE_Q, KMOD_RALT); // AltGr types the third level
    Text("@");

    Event e = Next();
    EXPECT_EQ(e.key, '1');
    EXPECT_EQ(e.text, "");
    e = Next();
    EXPECT_EQ(e.key, 'A');
    EXPECT_EQ(e.text, "");
    e = Next();
    EXPECT_EQ(e.key, vk::F4);
    EXPECT_EQ(e.modifiers, uint32_t(ModAlt));
    EXPECT_EQ(e.text, "");
    e = Next();
    EXPECT_EQ(e.text, "@");
    EXPECT_FALSE(desktop.PollEvent(e)); // every text event was taken along
}

TEST_F(SdlEventTranslation, ClicksAlternateBetweenSingleAndDouble)
{
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 10, 20);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2, 10, 20);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 3, 10, 20);
    Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, 11, 21);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 0, 0); // no such button here: dropped

    Event e = Next();
    EXPECT_EQ(e.type, EventType::MouseDown);
    EXPECT_EQ(e.button, MouseButton::Left);
    EXPECT_EQ(e.clicks, 1);
    EXPECT_EQ(e.x, 10);
    EXPECT_EQ(e.y, 20);
    EXPECT_EQ(Next().clicks, 2);
    EXPECT_EQ(Next().clicks, 1);
    e = Next();
    EXPECT_EQ(e.type, EventType::MouseUp);
    EXPECT_EQ(e.button, MouseButton::Right);
    EXPECT_FALSE(desktop.PollEvent(e));
}

TEST_F(SdlEventTranslation, WheelAndWindowEvents)
{
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.windowID = 1;
    wheel.wheel.y = 1;
    wheel.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    wheel.wheel.mouseX = 5;
    wheel.wheel.mouseY = 6;
    ASSERT_EQ(SDL_PushEvent(&wheel), 1);
    WindowEvent(SDL_WINDOWEVENT_CLOSE);
    WindowEvent(SDL_WINDOWEVENT_MOVED); // nothing the framework needs
    WindowEvent(SDL_WINDOWEVENT_EXPOSED);
    WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    WindowEvent(SDL_WINDOWEVENT_LEAVE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);

    Event e = Next();
    EXPECT_EQ(e.type, EventType::MouseWheel);
    EXPECT_EQ(e.wheel, -1);
    EXPECT_EQ(e.x, 5);
    EXPECT_EQ(e.y, 6);
    for (EventType expected : {EventType::Close, EventType::Expose, EventType::FocusIn,
                               EventType::FocusOut, EventType::MouseLeave}) {
        e = Next();
        EXPECT_EQ(e.type, expected);
        EXPECT_EQ(e.window, 1u);
    }
    // A quit from outside (a signal, the end of the session) is addressed to the whole program.
    e = Next();
    EXPECT_EQ(e.type, EventType::Close);
    EXPECT_EQ(e.window, 0u);
    EXPECT_FALSE(desktop.PollEvent(e));
}
