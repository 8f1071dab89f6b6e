// Work that the idle handler leaves behind (a quit, a posted message, a control to repaint) is
// done before the event loop blocks for the next input: the real loop on the headless desktop,
// where every blocking wait is counted.

#include "tests/support/WindowFixture.h"

#include "forms/TLabel.h"

#include <string>
#include <vector>

namespace {

// A message number of the program's own range, which no control handles.
constexpr uint32_t ProbeMessage = 0x0400;

class IdleWork : public WindowTest {
protected:
    // Ends the loop through the close box once it has waited: only a loop that overlooked
    // the idle handler's work gets that far in the first test.
    void CloseOnWait()
    {
        desk->onWait = [this] {
            waits.push_back(Window().PresentCount());
            platform::Event close;
            close.type = platform::EventType::Close;
            close.window = form->NativeWindow().Id();
            desk->PostEvent(close);
        };
    }
    std::vector<int> waits;   // the window's present count at each wait
};

} // namespace

TEST_F(IdleWork, AQuitPostedByTheIdleHandlerEndsTheLoopWithoutWaiting)
{
    int idlePasses = 0;
    app->SetOnIdle([&](TObject*, bool& done) {
        ++idlePasses;
        app->Terminate();
        done = true;   // the handler is done: the loop would now wait for input
    });
    CloseOnWait();
    app->Run();
    EXPECT_TRUE(app->Terminated());
    EXPECT_FALSE(app->Running());
    EXPECT_EQ(idlePasses, 1);
    EXPECT_EQ(desk->WaitCount(), 0) << "the loop waited for input after the quit";
    EXPECT_TRUE(Window().IsVisible());   // ended by the quit, not by the close box
}

TEST_F(IdleWork, AMessagePostedByTheIdleHandlerIsTakenBeforeTheLoopWaits)
{
    std::vector<std::string> seen;
    app->SetOnMessage([&](TMsg& msg, bool& handled) {
        if (msg.message != ProbeMessage)
            return;
        seen.push_back("message " + std::to_string(msg.wParam));
        handled = true;
    });
    int idlePasses = 0;
    app->SetOnIdle([&](TObject*, bool& done) {
        if (++idlePasses == 1)
            MessageQueue::PostMessage(form->Handle(), ProbeMessage, 7, 0);
        done = true;
    });
    desk->onWait = [&] {
        seen.push_back("wait");
        platform::Event close;
        close.type = platform::EventType::Close;
        close.window = form->NativeWindow().Id();
        desk->PostEvent(close);
    };
    app->Run();
    EXPECT_EQ(seen, (std::vector<std::string>{"message 7", "wait"}));
    EXPECT_EQ(idlePasses, 2);
}

TEST_F(IdleWork, AChangeMadeByTheIdleHandlerIsPaintedBeforeTheLoopWaits)
{
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption("before");
    Show();
    const int shown = Window().PresentCount();
    const platform::Raster before = Window().LastFrame();
    int idlePasses = 0;
    app->SetOnIdle([&](TObject*, bool& done) {
        if (++idlePasses == 1)
            label->SetCaption("after, and longer");
        done = true;
    });
    CloseOnWait();
    app->Run();
    ASSERT_EQ(waits.size(), 1u);
    EXPECT_GT(waits[0], shown) << "the loop waited with the change unpainted";
    // What was presented shows the new caption.
    const platform::Raster& after = Window().LastFrame();
    ASSERT_EQ(after.Width(), before.Width());
    int changed = 0;
    for (int y = 0; y < after.Height(); ++y)
        for (int x = 0; x < after.Width(); ++x)
            changed += after.At(x, y) != before.At(x, y);
    EXPECT_GT(changed, 0);
}
