// The press rules that push buttons and radio buttons share, through the real loop: a press
// completes only where it started, and leaving the control or losing the focus cancels it.

#include "tests/support/WindowFixture.h"

#include "forms/TButton.h"
#include "forms/TRadioButton.h"

namespace {

enum class Kind { Push, Radio };

class ButtonPress : public WindowTest, public ::testing::WithParamInterface<Kind> {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (GetParam() == Kind::Push) {
            auto* push = new TButton(form);
            push->SetParent(form);
            control = push;
            control->SetOnClick([this](TObject*) { log.push_back("pressed"); });
        } else {
            auto* radio = new TRadioButton(form);
            radio->SetParent(form);
            radio->SetCaption("R");
            control = radio;
            control->SetOnClick([this](TObject*) { log.push_back("pressed"); });
        }
        control->SetBounds(10, 10, 80, 24);
        other = new TButton(form);
        other->SetParent(form);
        other->SetBounds(10, 60, 80, 24);
        Show();
    }

    // A radio button acts only when it turns checked: make the next press count again.
    void Rearm()
    {
        if (auto* radio = dynamic_cast<TRadioButton*>(control))
            radio->SetChecked(false);
        log.clear();
    }

    void Post(EventType type, int x, int y)
    {
        Mouse(type, x, y);
        RunUntilIdle();
    }
    void PostKey(EventType type, uint16_t key, const std::string& text = {})
    {
        platform::Event e;
        e.type = type;
        e.window = form->NativeWindow().Id();
        e.key = key;
        e.text = text;
        desk->PostEvent(e);
        RunUntilIdle();
    }

    bool Pressed() const { return dynamic_cast<TButtonControl&>(*control).DrawnPressed(); }

    TWinControl* control = nullptr;
    TButton* other = nullptr;
};

} // namespace

TEST_P(ButtonPress, AMousePressCompletesOnlyInsideAndLooksPressedOnlyWhileInside)
{
    Post(EventType::MouseDown, 20, 20);
    EXPECT_TRUE(Pressed());
    EXPECT_TRUE(control->Focused());
    Post(EventType::MouseMove, 200, 150);   // dragged off: looks released, still tracked
    EXPECT_FALSE(Pressed());
    Post(EventType::MouseMove, 30, 20);     // and back
    EXPECT_TRUE(Pressed());
    Post(EventType::MouseMove, 200, 150);
    Post(EventType::MouseUp, 200, 150);     // released outside: nothing
    EXPECT_FALSE(Pressed());
    EXPECT_TRUE(log.empty());
    Post(EventType::MouseMove, 20, 20);     // no longer tracked: moving back does not press
    EXPECT_FALSE(Pressed());

    Post(EventType::MouseDown, 20, 20);
    Post(EventType::MouseUp, 25, 22);
    EXPECT_EQ(log, (std::vector<std::string>{"pressed"}));
    EXPECT_FALSE(Pressed());
}

TEST_P(ButtonPress, SpaceCompletesOnReleaseUnlessTheFocusLeftMeanwhile)
{
    control->SetFocus();
    RunUntilIdle();
    PostKey(EventType::KeyDown, vk::Space, " ");
    EXPECT_TRUE(Pressed());
    PostKey(EventType::KeyDown, vk::Space, " ");   // auto-repeat changes nothing
    PostKey(EventType::KeyUp, vk::Space);
    EXPECT_EQ(log, (std::vector<std::string>{"pressed"}));
    EXPECT_FALSE(Pressed());

    Rearm();
    PostKey(EventType::KeyDown, vk::Space, " ");
    other->SetFocus();   // the focus moves on while Space is held
    RunUntilIdle();
    EXPECT_FALSE(Pressed());
    control->SetFocus();
    RunUntilIdle();
    PostKey(EventType::KeyUp, vk::Space);   // a release without its press does nothing
    EXPECT_TRUE(log.empty());
}

INSTANTIATE_TEST_SUITE_P(PushAndRadio, ButtonPress, ::testing::Values(Kind::Push, Kind::Radio),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                             return info.param == Kind::Push ? std::string("Push") : std::string("Radio");
                         });
