// Idle processing tells controls when the mouse pointer enters and leaves them
// (CM_MOUSEENTER 0xB013, CM_MOUSELEAVE 0xB014).

#include "tests/support/WindowFixture.h"

#include "forms/TCustomControl.h"
#include "forms/TGraphicControl.h"

using platform::EventType;

namespace {

static_assert(CM_MOUSEENTER == 0xB013 && CM_MOUSELEAVE == 0xB014);

template <class Base>
class TTracked : public Base {
public:
    TTracked(TComponent* owner, std::string name, std::vector<std::string>& log)
        : Base(owner), name_(std::move(name)), log_(log)
    {
    }

protected:
    void MouseEnter() override { log_.push_back("enter " + name_); }
    void MouseLeave() override { log_.push_back("leave " + name_); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class MouseTrackingTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        auto* window = new TTracked<TCustomControl>(form, "panel", log);
        window->SetParent(form);
        panel = window;
        panel->SetBounds(10, 10, 100, 100);
        inner = new TTracked<TGraphicControl>(form, "inner", log);
        inner->SetParent(window);
        inner->SetBounds(10, 10, 30, 30);
        label = new TTracked<TGraphicControl>(form, "label", log);
        label->SetParent(form);
        label->SetBounds(150, 10, 50, 50);
        Show();
        log.clear();
    }

    void MoveTo(int x, int y)
    {
        Mouse(EventType::MouseMove, x, y);
        RunUntilIdle();
    }

    TControl* panel = nullptr;
    TControl* inner = nullptr;
    TControl* label = nullptr;
};

TEST_F(MouseTrackingTest, EachMoveToAnotherControlLeavesTheOldOneAndEntersTheNew)
{
    MoveTo(60, 60);
    MoveTo(70, 70);   // still the panel: nothing new
    MoveTo(25, 25);   // the graphic control inside the panel
    MoveTo(160, 20);
    MoveTo(250, 150); // the bare form
    EXPECT_EQ(log, (std::vector<std::string>{"enter panel", "leave panel", "enter inner", "leave inner",
                                             "enter label", "leave label"}));
}

TEST_F(MouseTrackingTest, DisabledControlsAreTrackedToo)
{
    panel->SetEnabled(false);
    label->SetEnabled(false);
    MoveTo(60, 60);
    MoveTo(160, 20);
    EXPECT_EQ(log, (std::vector<std::string>{"enter panel", "leave panel", "enter label"}));
}

TEST_F(MouseTrackingTest, WhileAnotherControlHoldsTheCaptureNoneIsNotified)
{
    MoveTo(160, 20);
    Mouse(EventType::MouseDown, 160, 20);   // the label captures the mouse
    RunUntilIdle();
    ASSERT_EQ(MessageQueue::Capture(), label);
    log.clear();
    // The capturing label hears that it was left; the panel, not holding the capture, is
    // not told it was entered.
    MoveTo(60, 60);
    EXPECT_EQ(log, (std::vector<std::string>{"leave label"}));
    MoveTo(160, 20);   // back over the capturing label: it hears it again
    EXPECT_EQ(log, (std::vector<std::string>{"leave label", "enter label"}));
    Mouse(EventType::MouseUp, 160, 20);
    RunUntilIdle();
    MoveTo(60, 60);
    EXPECT_EQ(log, (std::vector<std::string>{"leave label", "enter label", "leave label", "enter panel"}));
}

} // namespace
