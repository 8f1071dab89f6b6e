// A fixed main window and a resizable second window on a real X display through the SDL
// desktop (run under xvfb-run): both show, each takes the keys addressed to it, the second one
// follows a size the X server gives it (and goes back to its minimum when given less), its
// close box hides it while the program goes on, and the main window's close box ends the loop.
// Needs DISPLAY and xdotool.

#include "forms/MessageQueue.h"
#include "forms/TApplication.h"
#include "forms/TCustomPanel.h"
#include "forms/TEdit.h"
#include "forms/TForm.h"
#include "forms/TSizeConstraints.h"
#include "platform/PngFile.h"
#include "platform/SdlDesktop.h"
#include "platform/SdlWindow.h"
#include "tests/forms_gui/SdlDisplay.h"
#include "tests/support/AddControl.h"
#include "tests/support/SdlEvents.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// The calculator's main window is fixed: its class sets the border style before the desktop
// window is made.
class TFixedForm : public TForm {
    F2_CLASS(TFixedForm, TForm)
public:
    explicit TFixedForm(TComponent* owner) : TForm(owner) { SetBorderStyle(bsSingle); }
};

// Runs loop passes until done() or the time is up; a helper thread keeps waking the wait.
bool RunUntil(TApplication& app, const std::function<bool()>& done, std::chrono::milliseconds limit = 3000ms)
{
    const SdlWaker waker(20ms);
    const auto end = Clock::now() + limit;
    bool ok = false;
    while (!(ok = done()) && Clock::now() < end && !app.Terminated())
        app.HandleMessage();
    return ok || done();
}

SDL_Window* Handle(TCustomForm* form)
{
    return dynamic_cast<platform::SdlWindow&>(form->NativeWindow()).Handle();
}

bool Shown(TCustomForm* form)
{
    return (SDL_GetWindowFlags(Handle(form)) & SDL_WINDOW_SHOWN) != 0;
}

void PushKey(TCustomForm* form, SDL_Keycode sym, SDL_Scancode scan, const char* text)
{
    const uint32_t id = SDL_GetWindowID(Handle(form));
    SDL_Event key = SdlKeyDown(id, sym, scan);
    SDL_PushEvent(&key);
    SDL_Event typed = SdlTextInput(id, text);
    SDL_PushEvent(&typed);
    key = MakeKeyUp(key);
    SDL_PushEvent(&key);
}

void PushClose(TCustomForm* form)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = SDL_GetWindowID(Handle(form));
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&e);
}

int XResize(TCustomForm* form, int width, int height)
{
    const uint64_t xid = dynamic_cast<platform::SdlWindow&>(form->NativeWindow()).X11WindowId();
    const std::string command = "xdotool windowsize " + std::to_string(xid) + " " + std::to_string(width) + " " +
                                std::to_string(height);
    return std::system(command.c_str());
}

} // namespace

F2_DEFINE_CLASS(TFixedForm, TForm, F2_FACTORY(TFixedForm)) {}

TEST(SecondWindowOnDisplay, LivesBesideTheMainWindowFollowsItsSizeAndClosesWithoutEndingTheProgram)
{
    ASSERT_TRUE(InstallSdlDesktopOnDisplay());
    {
        TApplication app(nullptr);
        TFixedForm* main = nullptr;
        app.CreateForm(main);
        main->SetBounds(50, 50, 300, 200);
        auto* mainEdit = AddControl<TEdit>(main, main, 10, 10, 100, 21);

        auto* second = new TForm(&app);
        second->SetCaption("Second");
        second->SetBounds(400, 80, 360, 240);
        second->Constraints()->SetMinWidth(300);
        second->Constraints()->SetMinHeight(200);
        auto* secondEdit = AddControl<TEdit>(second, second, 10, 10, 100, 21);
        auto* panel = AddControl<TPanel>(second, second, 10, 40, 340, 190);
        panel->SetAnchors({akLeft, akTop, akRight, akBottom});

        main->ShowForm();
        ASSERT_TRUE(RunUntil(app, [&] { return Shown(main); }));
        second->ShowForm();
        ASSERT_TRUE(RunUntil(app, [&] { return Shown(second); }));
        EXPECT_TRUE(Shown(main));

        // Keys go to the window the desktop names, each to its own focused edit.
        PushKey(second, SDLK_7, SDL_SCANCODE_7, "7");
        PushKey(main, SDLK_3, SDL_SCANCODE_3, "3");
        ASSERT_TRUE(RunUntil(app, [&] { return secondEdit->GetText() == "7" && mainEdit->GetText() == "3"; }))
            << "second '" << secondEdit->GetText() << "', main '" << mainEdit->GetText() << "'";

        // The X server gives the window a new size, as a window manager does when the user
        // drags its frame: the form and its anchored panel follow.
        ASSERT_EQ(XResize(second, 480, 300), 0);
        ASSERT_TRUE(RunUntil(app, [&] { return second->Width() == 480 && second->Height() == 300; }))
            << second->Width() << "x" << second->Height();
        EXPECT_EQ(panel->Width(), 460);
        EXPECT_EQ(panel->Height(), 250);
        ASSERT_TRUE(RunUntil(app, [&] { return second->BackBuffer().Width() == 480; }));
        // What the screen shows of the window at its new size is the new back buffer.
        RunUntil(app, [] { return false; }, 300ms);
        const std::string path = std::string(F2_BINARY_DIR) + "/tests/forms_gui/second-window.png";
        ASSERT_EQ(std::system(("import -window root " + path + " 2>/dev/null").c_str()), 0);
        const platform::Raster shot = platform::ReadPng(path);
        const platform::Point at = second->NativeWindow().Position();
        ASSERT_GE(shot.Width(), at.x + 480);
        ASSERT_GE(shot.Height(), at.y + 300);
        int differing = 0;
        for (int y = 0; y < 300; y += 5)
            for (int x = 0; x < 480; x += 5)
                differing += (shot.At(at.x + x, at.y + y) & 0xFFFFFFu) != (second->BackBuffer().At(x, y) & 0xFFFFFFu);
        EXPECT_EQ(differing, 0) << "the screen differs from the resized window's back buffer";
        // Less than the minimum (no window manager enforces it here): the window goes back.
        ASSERT_EQ(XResize(second, 120, 90), 0);
        int w = 0, h = 0;
        ASSERT_TRUE(RunUntil(app, [&] {
            SDL_GetWindowSize(Handle(second), &w, &h);
            return second->Width() == 300 && second->Height() == 200 && w == 300 && h == 200;
        })) << "form " << second->Width() << "x" << second->Height() << ", window " << w << "x" << h;
        // The fixed main window kept its size throughout.
        EXPECT_EQ(main->Width(), 300);

        // The second window's close box hides it; the program goes on.
        PushClose(second);
        ASSERT_TRUE(RunUntil(app, [&] { return !second->Visible(); }));
        EXPECT_FALSE(Shown(second));
        EXPECT_FALSE(app.Terminated());
        EXPECT_TRUE(Shown(main));
        second->ShowForm();
        ASSERT_TRUE(RunUntil(app, [&] { return Shown(second); }));

        // The main window's close box ends the loop, with the second window still open.
        PushClose(main);
        EXPECT_TRUE(RunUntil(app, [&] { return app.Terminated(); }));
    }
    platform::InstallDesktop(nullptr);
}
