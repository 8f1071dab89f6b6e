// A main window and a second window made later, through the real loop on the headless desktop:
// each keeps its own focus and takes the input addressed to it, activation moves between them,
// showing the second again brings it to the front, its close box or Escape hides it (or, with
// caFree, destroys it) while the program goes on, and only closing the main window ends it.

#include "tests/support/WindowFixture.h"

#include "forms/TEdit.h"
#include "forms/TPopupLayer.h"

#include <algorithm>
#include <functional>

namespace {

// Tells when the pointer comes and goes.
class TProbe : public TCustomControl {
public:
    TProbe(TComponent* owner, std::vector<std::string>& log) : TCustomControl(owner), log_(log) {}

protected:
    void MouseEnter() override { log_.push_back("enter"); }
    void MouseLeave() override { log_.push_back("leave"); }

private:
    std::vector<std::string>& log_;
};

class TwoWindowsTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        mainEdit = AddEdit(form);
        Show();
        mainEdit->SetFocus();
        second = new TForm(app.get());
        second->SetCaption("Details");
        second->SetBounds(40, 40, 260, 160);
        second->SetKeyPreview(true);
        second->SetOnKeyDown([this](TObject*, uint16_t& key, TShiftState) {
            if (key == vk::Escape) {
                key = 0;
                second->Close();
            }
        });
        second->SetOnShow([this](TObject*) { log.push_back("show"); });
        second->SetOnActivate([this](TObject*) { log.push_back("activate"); });
        secondEdit = AddEdit(second);
    }

    static TEdit* AddEdit(TForm* owner)
    {
        auto* edit = AddControl<TEdit>(owner, owner, 10, 10, 120, 21);
        return edit;
    }

    uint64_t Id(TCustomForm* f) { return f->NativeWindow().Id(); }
    platform::HeadlessWindow* Native(TCustomForm* f) { return desk->FindWindow(Id(f)); }

    void Post(uint64_t window, EventType type, uint16_t key = 0, const std::string& text = {})
    {
        platform::Event e;
        e.type = type;
        e.window = window;
        e.key = key;
        e.text = text;
        desk->PostEvent(e);
    }
    void PostTyping(uint64_t window, const std::string& text)
    {
        for (char c : text) {
            Post(window, EventType::KeyDown, uint16_t(c >= 'a' ? c - 32 : c), std::string(1, c));
            Post(window, EventType::KeyUp, uint16_t(c >= 'a' ? c - 32 : c));
        }
    }
    void TypeInto(uint64_t window, const std::string& text)
    {
        PostTyping(window, text);
        RunUntilIdle();
    }

    TEdit* mainEdit = nullptr;
    TForm* second = nullptr;
    TEdit* secondEdit = nullptr;
};

} // namespace

TEST_F(TwoWindowsTest, EachWindowKeepsItsOwnFocusAndTakesTheInputAddressedToIt)
{
    second->ShowForm();
    RunUntilIdle();
    EXPECT_TRUE(Native(form)->IsVisible());
    EXPECT_TRUE(Native(second)->IsVisible());
    EXPECT_EQ(desk->FrontWindow(), Id(second));
    EXPECT_TRUE(second->Active());
    EXPECT_FALSE(form->Active());
    EXPECT_EQ(TCustomForm::ActiveForm(), second);
    EXPECT_EQ(second->FocusedControl(), secondEdit);
    EXPECT_EQ(form->FocusedControl(), mainEdit);   // the main window remembers its focus

    TypeInto(Id(second), "12");
    TypeInto(Id(form), "7");
    EXPECT_EQ(secondEdit->GetText(), "12");
    EXPECT_EQ(mainEdit->GetText(), "7");

    // The desktop activates the main window (the user clicked it): the second one is left.
    Post(Id(second), EventType::FocusOut);
    Post(Id(form), EventType::FocusIn);
    RunUntilIdle();
    EXPECT_TRUE(form->Active());
    EXPECT_FALSE(second->Active());
    EXPECT_EQ(form->FocusedControl(), mainEdit);
    EXPECT_EQ(log, (Log{"show", "activate"}));
}

TEST_F(TwoWindowsTest, ShowingAShownWindowAgainBringsItToTheFrontWithoutShowingItTwice)
{
    second->ShowForm();
    RunUntilIdle();
    Post(Id(form), EventType::FocusIn);
    RunUntilIdle();
    ASSERT_TRUE(form->Active());
    const int raised = Native(second)->RaiseCount();
    second->ShowForm();
    RunUntilIdle();
    EXPECT_EQ(Native(second)->RaiseCount(), raised + 1);
    EXPECT_EQ(desk->FrontWindow(), Id(second));
    EXPECT_TRUE(second->Active());
    EXPECT_FALSE(form->Active());
    EXPECT_EQ(log, (Log{"show", "activate", "activate"}));
}

TEST_F(TwoWindowsTest, TheCloseBoxAndEscapeHideTheSecondWindowAndActivationReturns)
{
    second->ShowForm();
    RunUntilIdle();
    Post(Id(second), EventType::Close);
    RunUntilIdle();
    EXPECT_FALSE(second->Visible());
    EXPECT_FALSE(Native(second)->IsVisible());
    EXPECT_FALSE(app->Terminated());
    EXPECT_TRUE(form->Active());
    EXPECT_EQ(TCustomForm::ActiveForm(), form);

    second->ShowForm();
    RunUntilIdle();
    EXPECT_EQ(second->FocusedControl(), secondEdit);
    TypeInto(Id(second), "5");
    Post(Id(second), EventType::KeyDown, vk::Escape);
    Post(Id(second), EventType::KeyUp, vk::Escape);
    RunUntilIdle();
    EXPECT_FALSE(second->Visible());
    EXPECT_EQ(secondEdit->GetText(), "5");   // Escape went to the window, not into the edit
    EXPECT_FALSE(app->Terminated());
}

TEST_F(TwoWindowsTest, APopupLeftOpenInOneWindowClosesWhenTheOtherTakesInput)
{
    second->ShowForm();
    RunUntilIdle();
    secondEdit->OpenContextMenu({5, 5});
    ASSERT_TRUE(second->PopupLayer().IsOpen());
    TypeInto(Id(form), "3");
    EXPECT_FALSE(second->PopupLayer().IsOpen());
    EXPECT_EQ(mainEdit->GetText(), "3");
}

TEST_F(TwoWindowsTest, AWindowClosedWithFreeIsDestroyedAfterTheMessageAndItsInputIsDropped)
{
    second->SetOnClose([](TObject*, TCloseAction& action) { action = caFree; });
    second->ShowForm();
    RunUntilIdle();
    const uint64_t id = Id(second);
    Post(id, EventType::Close);
    Post(id, EventType::KeyDown, '1', "1");   // already queued for the window that goes
    RunUntilIdle();
    const auto& forms = TCustomForm::Forms();
    EXPECT_EQ(std::find(forms.begin(), forms.end(), second), forms.end());
    EXPECT_EQ(desk->FindWindow(id), nullptr);
    second = nullptr;
    EXPECT_TRUE(form->Active());
    EXPECT_EQ(mainEdit->GetText(), "");
    EXPECT_FALSE(app->Terminated());
}

TEST_F(TwoWindowsTest, TheRealLoopRunsOnAfterTheSecondWindowClosesAndEndsWithTheMainOne)
{
    // Each idle pass of Run takes the next step, as a user would act when the program waits.
    std::vector<std::function<void()>> steps = {
        [&] { second->ShowForm(); },
        [&] { PostTyping(Id(second), "42"); },
        [&] { Post(Id(second), EventType::Close); },
        [&] { log.push_back(second->Visible() ? "second shown" : "second hidden"); },
        [&] { second->ShowForm(); },
        [&] { Post(Id(form), EventType::Close); },
    };
    size_t next = 0;
    desk->onWait = [&] {
        if (next < steps.size())
            steps[next++]();
    };
    app->Run();
    desk->onWait = nullptr;
    EXPECT_EQ(next, steps.size());
    EXPECT_TRUE(app->Terminated());
    EXPECT_EQ(secondEdit->GetText(), "42");
    EXPECT_EQ(log, (Log{"show", "activate", "second hidden", "show", "activate"}));
}

TEST_F(TwoWindowsTest, ThePointerOverTheWindowThatIsNotActiveStillEntersAndLeavesItsControls)
{
    second->SetBounds(400, 40, 260, 160);   // beside the main window, not over it
    auto* probe = new TProbe(second, log);
    probe->SetParent(second);
    probe->SetBounds(10, 50, 100, 60);
    second->ShowForm();
    RunUntilIdle();
    Post(Id(form), EventType::FocusIn);
    RunUntilIdle();
    ASSERT_TRUE(form->Active());
    log.clear();
    platform::Event move;
    move.type = EventType::MouseMove;
    move.window = Id(second);
    move.x = 30;
    move.y = 70;
    desk->PostEvent(move);
    RunUntilIdle();
    move.y = 140;   // below the probe, still in the second window
    desk->PostEvent(move);
    RunUntilIdle();
    EXPECT_EQ(log, (Log{"enter", "leave"}));
}
