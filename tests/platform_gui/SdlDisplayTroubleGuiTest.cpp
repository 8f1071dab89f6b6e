// The SDL desktop when the display misbehaves, on a real X display (run under xvfb-run):
// requests that reach a window another client has destroyed end nothing and print nothing;
// SIGTERM during a wait ends the wait and arrives as the desktop's close request.

#include "platform/SdlDesktop.h"
#include "platform/SdlWindow.h"

#include <gtest/gtest.h>
// After gtest: the X headers define names (None, Bool) that gtest uses.
#include <SDL.h>
#include <SDL_syswm.h>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

using namespace platform;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// Standard error goes into a file while the object lives; Text() reads what arrived.
class CapturedErrors {
public:
    CapturedErrors() : path_("/tmp/f2-gui-stderr-" + std::to_string(getpid()))
    {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int file = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(file, STDERR_FILENO);
        close(file);
    }
    ~CapturedErrors()
    {
        Restore();
        std::remove(path_.c_str());
    }
    std::string Text()
    {
        Restore();
        std::ifstream in(path_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    void Restore()
    {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        saved_ = -1;
    }
    std::string path_;
    int saved_ = -1;
};

class SdlDisplayTrouble : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY"))
            FAIL() << "DISPLAY is not set: run under xvfb-run -a -s \"-screen 0 1280x1024x24\"";
        setenv("SDL_VIDEODRIVER", "x11", 1);
        desktop = std::make_unique<SdlDesktop>("filter2-gui-test");
        WindowOptions options;
        options.caption = "Trouble";
        options.clientWidth = 120;
        options.clientHeight = 80;
        window = desktop->CreateWindow(options);
        frame = Raster(120, 80, MakePixel(0, 128, 0));
        window->Present(frame);
        window->Show();
        Drain();
    }

    void Drain()
    {
        Event e;
        while (desktop->PollEvent(e)) {
        }
    }

    // A round trip on SDL's own connection: every error its requests caused has come back.
    void SyncWithServer()
    {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        ASSERT_TRUE(SDL_GetWindowWMInfo(static_cast<SdlWindow*>(window.get())->Handle(), &info));
        XSync(info.info.x11.display, False);
    }

    std::unique_ptr<SdlDesktop> desktop;
    std::unique_ptr<NativeWindow> window;
    Raster frame;
};

TEST_F(SdlDisplayTrouble, RequestsToAWindowAnotherClientDestroyedEndNothingAndPrintNothing)
{
    const auto xid = static_cast<SdlWindow*>(window.get())->X11WindowId();
    ASSERT_NE(xid, 0u);
    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    XDestroyWindow(other, ::Window(xid));
    XSync(other, False);
    XCloseDisplay(other);

    CapturedErrors errors;
    // Each of these sends requests naming the window that is gone (BadWindow, BadDrawable).
    window->SetCaption("gone");
    window->MoveTo(10, 10);
    window->Present(frame);
    window->SetCursor(platform::Cursor::IBeam);
    SyncWithServer();
    Drain();
    window.reset();   // SDL destroys, unmaps and forgets a window that no longer exists
    desktop.reset();  // and closes its connections
    EXPECT_EQ(errors.Text(), "");
}

TEST_F(SdlDisplayTrouble, SigtermDuringAWaitEndsItAndArrivesAsTheDesktopsCloseRequest)
{
    std::atomic<bool> waitEnded{false};
    std::thread signaller([&] {
        std::this_thread::sleep_for(300ms);
        kill(getpid(), SIGTERM);
        // Should the signal not end the wait, wake it after a while so that the test fails
        // instead of hanging.
        for (int i = 0; i < 100 && !waitEnded; ++i)
            std::this_thread::sleep_for(50ms);
        desktop->Wake();
    });
    const auto start = Clock::now();
    desktop->WaitEvent();
    const auto waited = Clock::now() - start;
    waitEnded = true;
    signaller.join();

    EXPECT_LT(waited, 4s) << "the wait went on after SIGTERM";
    Event e;
    bool closed = false;
    while (desktop->PollEvent(e))
        closed = closed || (e.type == EventType::Close && e.window == 0);
    EXPECT_TRUE(closed) << "SIGTERM did not arrive as the desktop's close request (window 0)";
}

TEST_F(SdlDisplayTrouble, AnotherThreadEndsTheWaitWithWakeOrWithAnEventOfItsOwn)
{
    const auto xid = static_cast<SdlWindow*>(window.get())->X11WindowId();
    for (bool byEvent : {false, true}) {
        std::atomic<bool> sent{false};
        std::atomic<bool> done{false};
        std::atomic<bool> nudged{false};
        std::thread other([&] {
            std::this_thread::sleep_for(200ms);
            sent = true;
            if (byEvent) {
                SDL_Event e{};
                e.type = SDL_USEREVENT;
                SDL_PushEvent(&e);
            } else {
                desktop->Wake();
            }
            // Should that not end the wait, an event of the display does, so that the test
            // fails instead of hanging.
            for (int i = 0; i < 100 && !done; ++i)
                std::this_thread::sleep_for(50ms);
            if (!done)
                if (Display* x = XOpenDisplay(nullptr)) {
                    nudged = true;
                    XEvent nudge{};
                    nudge.xclient.type = ClientMessage;
                    nudge.xclient.window = ::Window(xid);
                    nudge.xclient.format = 32;
                    XSendEvent(x, ::Window(xid), False, NoEventMask, &nudge);
                    XCloseDisplay(x);
                }
        });
        // Events of the display may end a wait as well; the loop goes on until the thread's.
        int waits = 0;
        bool arrived = false;
        while (!arrived && waits < 50) {
            desktop->WaitEvent();
            ++waits;
            if (byEvent) {
                SDL_Event e;
                arrived = SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_USEREVENT, SDL_USEREVENT) == 1;
            } else {
                arrived = sent;
            }
            Drain();
        }
        done = true;
        other.join();
        EXPECT_TRUE(arrived) << (byEvent ? "event" : "Wake");
        EXPECT_FALSE(nudged) << (byEvent ? "event" : "Wake") << ": the wait went on for 5 s";
        EXPECT_LT(waits, 20) << "the wait returned without anything to wait for";
    }
}

} // namespace
