#include "tests/support/WindowFixture.h"

#include "forms/HandleRegistry.h"
#include "forms/TButton.h"
#include "forms/TEdit.h"
#include "forms/TGroupBox.h"
#include "forms/TLabel.h"
#include "forms/TRadioButton.h"

namespace {

TEST(ApplicationTitle, LastPathComponentCutAtTheFirstDotLowerCasedButTheFirst)
{
    EXPECT_EQ(TApplication::TitleFromPath("/opt/x.y/ABC.DEF.exe"), "Abc");
    EXPECT_EQ(TApplication::TitleFromPath("C:\\Tools\\FILTER2.EXE"), "Filter2");
    EXPECT_EQ(TApplication::TitleFromPath("/usr/bin/filter2"), "filter2");   // the first stays as it is
    EXPECT_EQ(TApplication::TitleFromPath("/usr/bin/.hidden"), "");
}

class LoopTest : public WindowTest {};

TEST_F(LoopTest, AnExceptionFromAHandlerShowsOneBoxWithTheFullStopRuleAndTheLoopGoesOn)
{
    auto* button = new TButton(form);
    button->SetParent(form);
    std::string message = "Bad value";
    int clicks = 0;
    button->SetOnClick([&](TObject*) {
        ++clicks;
        throw EConvertError(message);
    });
    Show();
    app->SetTitle("Filter2");
    Click(5, 5);
    ASSERT_EQ(desk->Messages().size(), 1u);
    EXPECT_EQ(desk->Messages()[0].text, "Bad value.");
    EXPECT_EQ(desk->Messages()[0].caption, "Filter2");
    EXPECT_EQ(desk->Messages()[0].icon, platform::MessageBoxIcon::Error);
    message = "Ends with a stop.";
    Click(5, 5);
    message = "";
    Click(5, 5);
    message = "Number 5";   // "5" is above "." as well
    Click(5, 5);
    ASSERT_EQ(desk->Messages().size(), 4u);
    EXPECT_EQ(desk->Messages()[1].text, "Ends with a stop.");
    EXPECT_EQ(desk->Messages()[2].text, "");
    EXPECT_EQ(desk->Messages()[3].text, "Number 5.");
    EXPECT_EQ(clicks, 4);
    EXPECT_EQ(MessageQueue::Capture(), nullptr);   // the pressed button was released
}

TEST_F(LoopTest, AQuitPostedFromAHandlerEndsTheLoopAfterTheCurrentMessage)
{
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetOnChange([this](TObject*) { app->Terminate(); });
    Show();
    autoRun = false;
    Type("12");
    desk->onWait = [this] { FAIL() << "the loop waited instead of ending"; };
    app->Run();
    EXPECT_TRUE(app->Terminated());
    EXPECT_FALSE(app->Running());
    EXPECT_EQ(edit->GetText(), "1");
    EXPECT_GT(desk->PendingEvents(), 0u);   // the rest of the input was never taken
}

TEST_F(LoopTest, TheIdleLoopBlocksOncePerIdlePassAndTheCloseBoxEndsIt)
{
    int idlePasses = 0;
    app->SetOnIdle([&](TObject*, bool& done) {
        ++idlePasses;
        done = true;
    });
    desk->onWait = [&] {
        if (desk->WaitCount() == 3) {
            platform::Event close;
            close.type = platform::EventType::Close;
            close.window = form->NativeWindow().Id();
            desk->PostEvent(close);
        }
    };
    app->Run();
    EXPECT_TRUE(app->Terminated());
    // Every idle pass waited exactly once: no pass returned without blocking.
    EXPECT_EQ(desk->WaitCount(), 3);
    EXPECT_EQ(idlePasses, 3);
    EXPECT_TRUE(Window().IsVisible());
}

TEST_F(LoopTest, ShowRunsOnShowThenCentresOnTheClientSizeThenShowsTheWindow)
{
    form->SetPosition(poScreenCenter);
    form->SetBounds(203, 233, 746, 493);
    bool visibleInOnShow = true;
    form->SetOnShow([&](TObject*) { visibleInOnShow = Window().IsVisible(); });
    Show();
    EXPECT_FALSE(visibleInOnShow);
    EXPECT_EQ(form->Left(), (1024 - 746) / 2);
    EXPECT_EQ(form->Top(), (768 - 493) / 2);
    EXPECT_EQ(Window().Position(), (platform::Point{139, 137}));
    EXPECT_TRUE(Window().IsVisible());
}

TEST_F(LoopTest, AMessageForADestroyedControlIsDropped)
{
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    const HWND handle = edit->Handle();
    delete edit;
    EXPECT_EQ(HandleRegistry::Find(handle), nullptr);
    MessageQueue::PostMessage(handle, WM_CHAR, '5');
    Show();   // runs the loop over the posted message without touching freed memory
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(LoopTest, ADisabledControlGetsNoMouseInputAndALabelGetsClicksThroughItsParent)
{
    auto* button = AddControl<TButton>(form, form, 0, 0, 50, 20);
    button->SetEnabled(false);
    button->SetOnClick([this](TObject*) { log.push_back("button"); });
    auto* group = AddControl<TGroupBox>(form, form, 100, 100, 150, 80);
    auto* label = AddControl<TLabel>(form, group, 10, 20, 40, 13);
    label->SetAutoSize(false);
    label->SetOnClick([this](TObject* sender) { log.push_back(static_cast<TLabel*>(sender) ? "label" : "?"); });
    Show();
    Click(10, 10);
    Click(100 + 15, 100 + 25);
    EXPECT_EQ(log, (std::vector<std::string>{"label"}));
    // Pressed on the label, released elsewhere: no click.
    Mouse(platform::EventType::MouseDown, 115, 125);
    Mouse(platform::EventType::MouseUp, 200, 170);
    RunUntilIdle();
    EXPECT_EQ(log.size(), 1u);
}

class FocusTest : public WindowTest {
protected:
    TEdit* AddEdit(TWinControl* parent, int top)
    {
        auto* edit = AddControl<TEdit>(form, parent, 5, top, 40, 21);
        return edit;
    }
};

TEST_F(FocusTest, TabAndShiftTabWalkNestedContainersInTabOrder)
{
    // Created in one order, tab order set as a layout would set it (while loading).
    auto* a = AddEdit(form, 0);
    auto* group = AddControl<TGroupBox>(form, form, 60, 0, 200, 150);
    auto* g1 = AddEdit(group, 20);
    auto* g2 = AddEdit(group, 50);
    auto* b = AddEdit(form, 40);
    for (TComponent* c : {static_cast<TComponent*>(a), static_cast<TComponent*>(group), static_cast<TComponent*>(g1),
                          static_cast<TComponent*>(g2), static_cast<TComponent*>(b), static_cast<TComponent*>(form)})
        c->SetComponentStateFlag(csLoading, true);
    b->SetTabOrder(0);
    group->SetTabOrder(2);
    a->SetTabOrder(1);
    g2->SetTabOrder(0);
    g1->SetTabOrder(1);
    for (TComponent* c : {static_cast<TComponent*>(a), static_cast<TComponent*>(group), static_cast<TComponent*>(g1),
                          static_cast<TComponent*>(g2), static_cast<TComponent*>(b), static_cast<TComponent*>(form)}) {
        c->SetComponentStateFlag(csLoading, false);
        c->Loaded();
    }
    EXPECT_EQ(b->TabOrder(), 0);
    EXPECT_EQ(group->TabOrder(), 2);
    EXPECT_EQ(g2->TabOrder(), 0);
    Show();
    std::vector<TWinControl*> seen{form->FocusedControl()};
    for (int i = 0; i < 4; ++i) {
        Key(vk::Tab, "\t");
        seen.push_back(form->FocusedControl());
    }
    EXPECT_EQ(seen, (std::vector<TWinControl*>{b, a, g2, g1, b}));
    Key(vk::Tab, "\t", platform::ModShift);
    EXPECT_EQ(form->FocusedControl(), g1);

    // A disabled control and the children of a hidden container are skipped.
    g2->SetEnabled(false);
    Key(vk::Tab, "\t", platform::ModShift);
    EXPECT_EQ(form->FocusedControl(), a);
    group->SetVisible(false);
    Key(vk::Tab, "\t");
    EXPECT_EQ(form->FocusedControl(), b);
}

TEST_F(FocusTest, RenumberingTabOrderMovesOnlyThatControl)
{
    auto* a = AddEdit(form, 0);
    auto* b = AddEdit(form, 30);
    auto* c = AddEdit(form, 60);
    c->SetTabOrder(0);
    EXPECT_EQ(c->TabOrder(), 0);
    EXPECT_EQ(a->TabOrder(), 1);
    EXPECT_EQ(b->TabOrder(), 2);
    a->SetTabOrder(99);   // clamped to the end
    EXPECT_EQ(a->TabOrder(), 2);
    EXPECT_EQ(b->TabOrder(), 1);
}

TEST_F(FocusTest, EnterAndExitRunAsTheFocusMovesAndDisablingTheFocusedControlDropsIt)
{
    auto* a = AddEdit(form, 0);
    auto* b = AddEdit(form, 30);
    a->SetOnExit([this](TObject*) { log.push_back("exit a"); });
    b->SetOnEnter([this](TObject*) { log.push_back("enter b"); });
    Show();
    Key(vk::Tab, "\t");
    EXPECT_EQ(log, (std::vector<std::string>{"exit a", "enter b"}));
    b->SetEnabled(false);
    EXPECT_EQ(form->FocusedControl(), nullptr);
    EXPECT_THROW(b->SetFocus(), EInvalidOperation);
}

class RadioTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            auto* r = AddControl<TRadioButton>(form, form, 10, 10 + 20 * i, 100, 17);
            r->SetCaption("R" + std::to_string(i));
            radios.push_back(r);
        }
        other = new TRadioButton(form);
        auto* group = AddControl<TGroupBox>(form, form, 150, 0, 120, 100);
        other->SetParent(group);
        other->SetBounds(10, 20, 100, 17);
        other->SetChecked(true);
        radios[0]->SetChecked(true);
        for (auto* r : radios)
            r->SetOnClick([this](TObject* sender) { log.push_back(static_cast<TRadioButton*>(sender)->Caption()); });
        Show();
    }
    std::vector<TRadioButton*> radios;
    TRadioButton* other = nullptr;
};

TEST_F(RadioTest, CheckingOneUnchecksItsSiblingsAndClickRunsOnlyOnTurningChecked)
{
    Click(20, 35);   // R1
    EXPECT_EQ(log, (std::vector<std::string>{"R1"}));
    EXPECT_FALSE(radios[0]->Checked());
    EXPECT_TRUE(radios[1]->Checked());
    EXPECT_TRUE(other->Checked());   // another parent, another group
    Click(20, 35);   // already checked: nothing
    EXPECT_EQ(log.size(), 1u);
    radios[2]->SetChecked(true);   // from code, also a click
    radios[2]->SetChecked(true);
    EXPECT_EQ(log, (std::vector<std::string>{"R1", "R2"}));
}

TEST_F(RadioTest, OnlyTheCheckedButtonIsATabStopAndArrowsMoveAndCheckWithinTheGroup)
{
    EXPECT_TRUE(radios[0]->TabStop());
    EXPECT_FALSE(radios[1]->TabStop());
    EXPECT_EQ(form->FocusedControl(), radios[0]);
    Key(vk::Down);
    EXPECT_EQ(form->FocusedControl(), radios[1]);
    EXPECT_TRUE(radios[1]->Checked());
    EXPECT_TRUE(radios[1]->TabStop());
    EXPECT_FALSE(radios[0]->TabStop());
    Key(vk::Up);
    Key(vk::Up);   // wraps to the last one
    EXPECT_EQ(form->FocusedControl(), radios[2]);
    EXPECT_EQ(log, (std::vector<std::string>{"R1", "R0", "R2"}));
    Key(vk::Tab, "\t");   // leaves the group for the checked button of the next one
    EXPECT_EQ(form->FocusedControl(), other);
}

TEST_F(LoopTest, SettingTheSameTextTwiceRaisesOneChangeAndNoKeyPress)
{
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetOnChange([this](TObject*) { log.push_back("change"); });
    edit->SetOnKeyPress([this](TObject*, char&) { log.push_back("press"); });
    edit->SetText("0,71");
    edit->SetText("0,71");
    EXPECT_EQ(log, (std::vector<std::string>{"change"}));
    edit->SetText("");
    EXPECT_EQ(log.size(), 2u);
}

} // namespace
