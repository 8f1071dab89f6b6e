#include "platform/HeadlessDesktop.h"
#include "platform/NullDesktop.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

Event Key(uint64_t window, uint16_t key, uint32_t modifiers = 0)
{
    Event e;
    e.type = EventType::KeyDown;
    e.window = window;
    e.key = key;
    e.modifiers = modifiers;
    return e;
}

Event Mouse(EventType type, uint64_t window, int x, int y)
{
    Event e;
    e.type = type;
    e.window = window;
    e.x = x;
    e.y = y;
    e.button = MouseButton::Left;
    return e;
}

Event Close(uint64_t window)
{
    Event e;
    e.type = EventType::Close;
    e.window = window;
    return e;
}

} // namespace

TEST(HeadlessDesktop, EventsComeOutInPostedOrderThenNone)
{
    HeadlessDesktop desktop;
    desktop.PostEvent(Key(1, 'A'));
    desktop.PostEvent(Mouse(EventType::MouseDown, 1, 3, 4));
    desktop.PostEvent(Close(1));
    EXPECT_EQ(desktop.PendingEvents(), 3u);

    Event e;
    ASSERT_TRUE(desktop.PollEvent(e));
    EXPECT_EQ(e.type, EventType::KeyDown);
    EXPECT_EQ(e.key, 'A');
    ASSERT_TRUE(desktop.PollEvent(e));
    EXPECT_EQ(e.type, EventType::MouseDown);
    EXPECT_EQ(e.x, 3);
    ASSERT_TRUE(desktop.PollEvent(e));
    EXPECT_EQ(e.type, EventType::Close);
    EXPECT_FALSE(desktop.PollEvent(e));
    EXPECT_FALSE(desktop.PollEvent(e));
}

TEST(HeadlessDesktop, WaitCallsTheHookOnlyWhenNothingIsWaitingAndCountsEveryWait)
{
    HeadlessDesktop desktop;
    desktop.WaitEvent(); // no hook: returns at once
    EXPECT_EQ(desktop.WaitCount(), 1);

    int hookCalls = 0;
    desktop.onWait = [&] {
        ++hookCalls;
        desktop.PostEvent(Close(7));
    };
    desktop.WaitEvent();
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(desktop.PendingEvents(), 1u);

    // Something is waiting: the wait returns without asking the hook for more.
    desktop.WaitEvent();
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(desktop.WaitCount(), 3);

    Event e;
    ASSERT_TRUE(desktop.PollEvent(e));
    EXPECT_EQ(e.type, EventType::Close);
    EXPECT_EQ(e.window, 7u);
}

TEST(HeadlessDesktop, HookDrivesALoopToItsEnd)
{
    // The shape of a framework loop: take what is there, else wait; the hook feeds one
    // keystroke per wait and finally a close.
    HeadlessDesktop desktop;
    int fed = 0;
    desktop.onWait = [&] {
        if (fed < 3)
            desktop.PostEvent(Key(1, uint16_t('0' + fed)));
        else
            desktop.PostEvent(Close(1));
        ++fed;
    };
    std::string keys;
    for (bool running = true; running;) {
        Event e;
        if (!desktop.PollEvent(e)) {
            desktop.WaitEvent();
            continue;
        }
        if (e.type == EventType::Close)
            running = false;
        else
            keys += char(e.key);
    }
    EXPECT_EQ(keys, "012");
    EXPECT_EQ(desktop.WaitCount(), 4);
}

TEST(HeadlessDesktop, InputToADisabledWindowIsDroppedButCloseAndExposeArrive)
{
    HeadlessDesktop desktop;
    auto window = desktop.CreateWindow({});
    const uint64_t id = window->Id();
    window->SetEnabled(false);
    desktop.PostEvent(Key(id, 'A'));
    desktop.PostEvent(Mouse(EventType::MouseDown, id, 1, 1));
    Event expose;
    expose.type = EventType::Expose;
    expose.window = id;
    desktop.PostEvent(expose);
    desktop.PostEvent(Key(id + 1, 'B')); // another (unknown) window is not affected

    Event e;
    ASSERT_TRUE(desktop.PollEvent(e));
    EXPECT_EQ(e.type, EventType::Expose);
    ASSERT_TRUE(desktop.PollEvent(e));
    EXPECT_EQ(e.key, 'B');
    EXPECT_FALSE(desktop.PollEvent(e));

    window->SetEnabled(true);
    desktop.PostEvent(Key(id, 'C'));
    ASSERT_TRUE(desktop.PollEvent(e));
    EXPECT_EQ(e.key, 'C');
}

TEST(HeadlessDesktop, TakingInputUpdatesModifierStateAndMousePosition)
{
    HeadlessDesktop desktop;
    auto window = desktop.CreateWindow({});
    window->MoveTo(100, 50);
    desktop.SetMousePosition({130, 70});
    EXPECT_EQ(desktop.MousePosition(*window), (Point{30, 20}));

    desktop.SetModifierState(ModCtrl);
    EXPECT_EQ(desktop.ModifierState(), uint32_t(ModCtrl));

    desktop.PostEvent(Key(window->Id(), 'A', ModShift));
    desktop.PostEvent(Mouse(EventType::MouseMove, window->Id(), 5, 6));
    Event e;
    ASSERT_TRUE(desktop.PollEvent(e));
    EXPECT_EQ(desktop.ModifierState(), uint32_t(ModShift));
    EXPECT_EQ(desktop.MousePosition(*window), (Point{30, 20})); // keys do not move the mouse
    ASSERT_TRUE(desktop.PollEvent(e));
    EXPECT_EQ(desktop.ModifierState(), 0u);
    EXPECT_EQ(desktop.MousePosition(*window), (Point{5, 6}));
}

TEST(HeadlessDesktop, ScreenMetricsAreConfigurable)
{
    HeadlessDesktop standard;
    EXPECT_EQ(standard.ScreenWidth(), 1024);
    EXPECT_EQ(standard.ScreenHeight(), 768);
    EXPECT_EQ(standard.PixelsPerInch(), 96);

    HeadlessDesktop large(1920, 1080, 120);
    EXPECT_EQ(large.ScreenWidth(), 1920);
    EXPECT_EQ(large.ScreenHeight(), 1080);
    EXPECT_EQ(large.PixelsPerInch(), 120);
    large.SetScreenSize(-5, 600);
    EXPECT_EQ(large.ScreenWidth(), 0);
    EXPECT_EQ(large.ScreenHeight(), 600);
}

TEST(HeadlessDesktop, RecordsMessageBoxesUrlsAndClipboard)
{
    HeadlessDesktop desktop;
    auto owner = desktop.CreateWindow({});
    std::vector<std::string> seenWhileOpen;
    desktop.onMessageBox = [&](const HeadlessDesktop::MessageRecord& m) {
        seenWhileOpen.push_back(m.text);
    };
    desktop.ShowMessageBox(owner.get(), "Filter", "Bad value.", MessageBoxIcon::Error);
    desktop.ShowMessageBox(nullptr, "Other", "", MessageBoxIcon::None);

    ASSERT_EQ(desktop.Messages().size(), 2u);
    EXPECT_EQ(desktop.Messages()[0].owner, owner->Id());
    EXPECT_EQ(desktop.Messages()[0].caption, "Filter");
    EXPECT_EQ(desktop.Messages()[0].text, "Bad value.");
    EXPECT_EQ(desktop.Messages()[0].icon, MessageBoxIcon::Error);
    EXPECT_EQ(desktop.Messages()[1].owner, 0u);
    EXPECT_EQ(seenWhileOpen, (std::vector<std::string>{"Bad value.", ""}));

    desktop.OpenUrl("https://example.org/a");
    desktop.OpenUrl("https://example.org/b");
    EXPECT_EQ(desktop.Urls(), (std::vector<std::string>{"https://example.org/a", "https://example.org/b"}));

    EXPECT_EQ(desktop.ClipboardText(), "");
    desktop.SetClipboardText("0,7 Гц");
    EXPECT_EQ(desktop.ClipboardText(), "0,7 Гц");
}

TEST(HeadlessWindow, RecordsWhatTheFrameworkAsksFor)
{
    HeadlessDesktop desktop;
    WindowOptions options;
    options.caption = "Фильтр";
    options.clientWidth = 300;
    options.clientHeight = 200;
    options.appId = "filter2";
    auto native = desktop.CreateWindow(options);
    HeadlessWindow* window = desktop.LastWindow();
    ASSERT_EQ(window, native.get());

    EXPECT_EQ(window->Caption(), "Фильтр");
    EXPECT_EQ(window->ClientWidth(), 300);
    EXPECT_EQ(window->ClientHeight(), 200);
    EXPECT_EQ(window->Options().appId, "filter2");
    EXPECT_FALSE(window->IsVisible());
    EXPECT_TRUE(window->IsEnabled());

    window->SetCaption("Other");
    window->SetClientSize(10, 20);
    window->MoveTo(-3, 7);
    window->Show();
    window->SetCursor(Cursor::IBeam);
    Raster icon(32, 32, MakePixel(1, 2, 3, 0));
    window->SetIcon(icon);
    EXPECT_EQ(window->Caption(), "Other");
    EXPECT_EQ(window->ClientWidth(), 10);
    EXPECT_EQ(window->ClientHeight(), 20);
    EXPECT_EQ(window->Position(), (Point{-3, 7}));
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(window->CurrentCursor(), Cursor::IBeam);
    EXPECT_EQ(window->Icon().At(31, 31), MakePixel(1, 2, 3, 0));
    window->Hide();
    EXPECT_FALSE(window->IsVisible());
}

TEST(HeadlessWindow, KeepsACopyOfTheLastFrame)
{
    HeadlessDesktop desktop;
    auto window = desktop.CreateWindow({});
    auto* headless = desktop.LastWindow();
    EXPECT_EQ(headless->PresentCount(), 0);
    EXPECT_TRUE(headless->LastFrame().IsEmpty());

    Raster frame(4, 3, MakePixel(255, 0, 0));
    window->Present(frame);
    frame.Fill(MakePixel(0, 0, 255)); // the caller draws on: the window keeps what it got
    EXPECT_EQ(headless->LastFrame().At(3, 2), MakePixel(255, 0, 0));
    window->Present(frame);
    EXPECT_EQ(headless->LastFrame().At(0, 0), MakePixel(0, 0, 255));
    EXPECT_EQ(headless->PresentCount(), 2);
}

TEST(HeadlessWindow, DesktopListsLiveWindowsAndSurvivesEitherGoingFirst)
{
    auto desktop = std::make_unique<HeadlessDesktop>();
    auto first = desktop->CreateWindow({});
    auto second = desktop->CreateWindow({});
    EXPECT_NE(first->Id(), second->Id());
    EXPECT_EQ(desktop->Windows().size(), 2u);
    EXPECT_EQ(desktop->FindWindow(first->Id()), first.get());

    second.reset();
    EXPECT_EQ(desktop->Windows().size(), 1u);
    EXPECT_EQ(desktop->LastWindow(), first.get());
    EXPECT_EQ(desktop->FindWindow(12345), nullptr);

    desktop.reset(); // the window outlives its desktop and stays usable
    first->SetCaption("still here");
    first.reset();
}

TEST(CurrentDesktop, InstallingReplacesAndWithoutOneTheNullDesktopStandsIn)
{
    InstallDesktop(nullptr);
    Desktop& none = CurrentDesktop();
    ASSERT_NE(dynamic_cast<NullDesktop*>(&none), nullptr);
    // No screen and no input: no window, nothing arrives, the wait does not block, a box
    // reaches nobody and answers as if dismissed, the clipboard stays empty.
    EXPECT_THROW(none.CreateWindow(WindowOptions{}), EInvalidOperation);
    Event event;
    EXPECT_FALSE(none.PollEvent(event));
    none.WaitEvent();
    EXPECT_EQ(none.ShowMessageBox(nullptr, {"Caption", "Text", MessageBoxIcon::Question, MessageBoxButtons::YesNo}),
              MessageBoxAnswer::No);
    none.SetClipboardText("copied");
    EXPECT_EQ(none.ClipboardText(), "");
    EXPECT_EQ(none.PixelsPerInch(), 0);   // unknown
    EXPECT_EQ(none.ModifierState(), 0u);

    InstallDesktop(std::make_unique<HeadlessDesktop>(800, 600));
    EXPECT_EQ(CurrentDesktop().ScreenWidth(), 800);
    InstallDesktop(std::make_unique<HeadlessDesktop>(640, 480));
    EXPECT_EQ(CurrentDesktop().ScreenWidth(), 640);
    InstallDesktop(nullptr);
    EXPECT_NE(dynamic_cast<NullDesktop*>(&CurrentDesktop()), nullptr);
}
