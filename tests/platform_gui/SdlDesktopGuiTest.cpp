// The SDL desktop on a real X display: what it presents reaches the screen at the place it
// was put, the window manager hints are set, keyboard and mouse input arrive as framework
// events, and an idle wait costs no processor time. Needs DISPLAY (xvfb-run), ImageMagick's
// import, xprop and xdotool.

#include "platform/PngFile.h"
#include "platform/SdlDesktop.h"
#include "platform/SdlWindow.h"
#include "tests/support/CommandOutput.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace platform;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr Pixel Red = MakePixel(255, 0, 0);
constexpr Pixel Blue = MakePixel(0, 0, 255);

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class SdlDesktopOnDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY"))
            FAIL() << "DISPLAY is not set: the gui tests need an X display; run them under "
                      "xvfb-run -a -s \"-screen 0 1280x1024x24\"";
        setenv("SDL_VIDEODRIVER", "x11", 1); // screenshots and xdotool speak X11
        desktop = std::make_unique<SdlDesktop>("filter2-gui-test");
        WindowOptions options;
        options.caption = "Desktop test / Тест";
        options.clientWidth = 200;
        options.clientHeight = 100;
        options.appId = "filter2-gui-test";
        window = desktop->CreateWindow(options);
        window->MoveTo(Left, Top);
        frame = Raster(200, 100, Red);
        for (int y = 0; y < 100; ++y)
            for (int x = 100; x < 200; ++x)
                frame.Set(x, y, Blue);
        window->Present(frame);
        window->Show();
    }

    // Handles what the desktop delivers for a while, presenting again on Expose.
    std::vector<Event> Pump(std::chrono::milliseconds duration)
    {
        std::vector<Event> events;
        const auto end = Clock::now() + duration;
        do {
            Event e;
            while (desktop->PollEvent(e)) {
                if (e.type == EventType::Expose)
                    window->Present(frame);
                events.push_back(e);
            }
            std::this_thread::sleep_for(10ms);
        } while (Clock::now() < end);
        return events;
    }

    Raster Screenshot()
    {
        const std::string path = (std::filesystem::temp_directory_path() /
                                  ("f2-gui-" + std::to_string(getpid()) + ".png")).string();
        std::string command = "import -window root " + path + " 2>/dev/null";
        if (std::system(command.c_str()) != 0)
            return {};
        Raster shot = ReadPng(path);
        std::remove(path.c_str());
        return shot;
    }

    static constexpr int Left = 120;
    static constexpr int Top = 140;
    std::unique_ptr<SdlDesktop> desktop;
    std::unique_ptr<NativeWindow> window;
    Raster frame;
};

} // namespace

TEST_F(SdlDesktopOnDisplay, PresentedFrameAppearsWhereTheWindowWasPut)
{
    // The window is mapped asynchronously: look again until it shows, for at most 10 s.
    Raster shot;
    bool shown = false;
    for (auto deadline = Clock::now() + 10s; !shown && Clock::now() < deadline;) {
        Pump(100ms);
        shot = Screenshot();
        shown = shot.Width() > Left + 200 && shot.At(Left, Top) == Red &&
                shot.At(Left + 199, Top + 99) == Blue;
    }
    ASSERT_TRUE(shown) << "the frame did not appear at " << Left << "," << Top;
    EXPECT_EQ(window->Position(), (Point{Left, Top}));
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(shot.At(Left + 50, Top + 50), Red);
    EXPECT_EQ(shot.At(Left + 99, Top + 50), Red);
    EXPECT_EQ(shot.At(Left + 100, Top + 50), Blue);
    EXPECT_EQ(shot.At(Left + 150, Top + 50), Blue);
    // The pixels just outside belong to something else.
    EXPECT_NE(shot.At(Left - 1, Top + 50), Red);
    EXPECT_NE(shot.At(Left + 200, Top + 50), Blue);
    EXPECT_NE(shot.At(Left + 50, Top - 1), Red);
    EXPECT_NE(shot.At(Left + 150, Top + 100), Blue);

    EXPECT_EQ(desktop->ScreenWidth(), 1280);
    EXPECT_EQ(desktop->ScreenHeight(), 1024);
}

TEST_F(SdlDesktopOnDisplay, WindowManagerLearnsClassAndBorderIcons)
{
    auto* sdl = dynamic_cast<SdlWindow*>(window.get());
    ASSERT_NE(sdl, nullptr);
    const uint64_t xid = sdl->X11WindowId();
    ASSERT_NE(xid, 0u);
    const std::string props =
        CommandOutput("xprop -id " + std::to_string(xid) + " WM_CLASS _MOTIF_WM_HINTS WM_NORMAL_HINTS");
    EXPECT_NE(props.find("\"filter2-gui-test\""), std::string::npos) << props;
    // Move and close only; border, title and window menu, no minimise or maximise box.
    EXPECT_NE(props.find("0x3, 0x24, 0x1a"), std::string::npos) << props;
    // Fixed size: the minimum and the maximum are the client size.
    EXPECT_NE(props.find("minimum size: 200 by 100"), std::string::npos) << props;
    EXPECT_NE(props.find("maximum size: 200 by 100"), std::string::npos) << props;
}

TEST_F(SdlDesktopOnDisplay, KeyboardAndMouseArriveAsFrameworkEvents)
{
    Pump(300ms);
    auto* sdl = dynamic_cast<SdlWindow*>(window.get());
    const std::string xid = std::to_string(sdl->X11WindowId());
    const std::string command = "xdotool mousemove --sync " + std::to_string(Left + 10) + " " +
                                std::to_string(Top + 20) + " windowfocus --sync " + xid +
                                " key a period BackSpace Return shift+b ctrl+a click 1";
    ASSERT_EQ(std::system(command.c_str()), 0);

    std::vector<Event> keys, mouse;
    for (auto deadline = Clock::now() + 5s; Clock::now() < deadline && mouse.size() < 2;) {
        for (const Event& e : Pump(50ms)) {
            if (e.type == EventType::KeyDown)
                keys.push_back(e);
            if (e.type == EventType::MouseDown || e.type == EventType::MouseUp)
                mouse.push_back(e);
        }
    }

    std::vector<std::pair<uint16_t, std::string>> got;
    for (const Event& e : keys)
        if (e.key != vk::Shift && e.key != vk::Control)
            got.emplace_back(e.key, e.text);
    const std::vector<std::pair<uint16_t, std::string>> expected{
        {'A', "a"}, {vk::OemPeriod, "."}, {vk::Back, "\b"}, {vk::Return, "\r"},
        {'B', "B"}, {'A', "\x01"}};
    EXPECT_EQ(got, expected);

    ASSERT_EQ(mouse.size(), 2u);
    EXPECT_EQ(mouse[0].type, EventType::MouseDown);
    EXPECT_EQ(mouse[0].button, MouseButton::Left);
    EXPECT_EQ(mouse[0].x, 10);
    EXPECT_EQ(mouse[0].y, 20);
    EXPECT_EQ(mouse[1].type, EventType::MouseUp);
    EXPECT_EQ(desktop->MousePosition(*window), (Point{10, 20}));
}

TEST_F(SdlDesktopOnDisplay, MessageBoxIsModalAndAnswersReturn)
{
    Pump(300ms);
    // Once the box is up: click and type into the main window, then answer the box.
    const std::string script = R"((for i in $(seq 50); do
          id=$(xwininfo -root -tree | grep '"Box caption"' | awk '{print $1}')
          [ -n "$id" ] && break; sleep 0.1; done
        xdotool mousemove --sync )" + std::to_string(Left + 10) + " " + std::to_string(Top + 10) +
                               R"( click 1 key x sleep 0.2
        xdotool windowfocus --sync $id key Return) >/dev/null 2>&1 &)";
    ASSERT_EQ(std::system(script.c_str()), 0);

    const auto start = Clock::now();
    desktop->ShowMessageBox(window.get(), "Box caption", "Text of the box.", MessageBoxIcon::Error);
    EXPECT_LT(Clock::now() - start, 20s);

    auto isInput = [](const Event& e) {
        return e.type == EventType::MouseDown || e.type == EventType::KeyDown;
    };
    for (const Event& e : Pump(300ms))
        EXPECT_FALSE(isInput(e)) << "input made while the box was up reached the window";

    // Input after the box has gone arrives as usual.
    ASSERT_EQ(std::system("xdotool click 1"), 0);
    bool clicked = false;
    for (auto deadline = Clock::now() + 5s; !clicked && Clock::now() < deadline;)
        for (const Event& e : Pump(50ms))
            clicked = clicked || e.type == EventType::MouseDown;
    EXPECT_TRUE(clicked);
}

TEST_F(SdlDesktopOnDisplay, MessageBoxButtonsAnswerWhatEnterAndEscapeChoose)
{
    Pump(300ms);
    // Answers the box with the given caption by a key, once it is up.
    auto answerWith = [](const std::string& caption, const std::string& key) {
        const std::string script = R"((for i in $(seq 50); do
              id=$(xwininfo -root -tree | grep '")" + caption + R"("' | awk '{print $1}')
              [ -n "$id" ] && break; sleep 0.1; done
            xdotool windowfocus --sync $id key )" + key + R"() >/dev/null 2>&1 &)";
        return std::system(script.c_str());
    };
    MessageBoxRequest request{"Yes or no", "Copy the values?", MessageBoxIcon::Question,
                              MessageBoxButtons::YesNo, 1};
    ASSERT_EQ(answerWith("Yes or no", "Return"), 0);
    EXPECT_EQ(desktop->ShowMessageBox(window.get(), request), MessageBoxAnswer::No);   // the default

    request = {"Three ways", "Save?", MessageBoxIcon::Warning, MessageBoxButtons::YesNoCancel, 0};
    ASSERT_EQ(answerWith("Three ways", "Return"), 0);
    EXPECT_EQ(desktop->ShowMessageBox(window.get(), request), MessageBoxAnswer::Yes);
    ASSERT_EQ(answerWith("Three ways", "Escape"), 0);
    EXPECT_EQ(desktop->ShowMessageBox(window.get(), request), MessageBoxAnswer::Cancel);
}

TEST_F(SdlDesktopOnDisplay, IdleWaitUsesNoProcessorTime)
{
    Pump(300ms); // let the window settle: map, expose, focus

    std::atomic<bool> woken{false};
    std::thread waker([&] {
        std::this_thread::sleep_for(2s);
        woken = true;
        SDL_Event e{};
        e.type = SDL_USEREVENT;
        SDL_PushEvent(&e);
    });

    const double cpuBefore = CpuSeconds();
    const auto start = Clock::now();
    int wakes = 0;
    while (!woken) {
        Event e;
        while (desktop->PollEvent(e)) {
        }
        desktop->WaitEvent();
        ++wakes;
    }
    const double cpu = CpuSeconds() - cpuBefore;
    const auto waited = Clock::now() - start;
    waker.join();

    EXPECT_GE(waited, 1900ms);
    EXPECT_LT(cpu, 0.1) << "an idle wait of 2 s cost " << cpu << " s of processor time";
    EXPECT_LT(wakes, 20);
}
