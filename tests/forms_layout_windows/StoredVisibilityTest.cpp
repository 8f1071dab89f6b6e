// A window whose layout stores Visible = true: reading postpones the showing until the window is
// whole, and afterwards the window appears like any window that is shown from code: OnShow once,
// the position rule, the native window on screen, activation and the focus on its first control.

#include "LayoutForms.h"

#include "forms/MessageQueue.h"
#include "forms/TApplication.h"
#include "platform/HeadlessDesktop.h"
#include "tests/support/FreshDesktop.h"

#include <gtest/gtest.h>

#include <memory>

using layoutwindows::Compile;

// A window with one edit field, read from `Layout` by its constructor.
class TVisibleForm : public TForm {
    F2_CLASS(TVisibleForm, TForm)
public:
    explicit TVisibleForm(TComponent* owner) : TForm(owner) { layoutwindows::ReadInto(*this, Layout); }
    TEdit* Edit1 = nullptr;
    static std::vector<uint8_t> Layout;
};

F2_DEFINE_CLASS(TVisibleForm, TForm, F2_FACTORY(TVisibleForm))
{
    c.Field("Edit1", &TVisibleForm::Edit1);
}

std::vector<uint8_t> TVisibleForm::Layout;

namespace {

const char* const kVisibleLayout = "Form1 : TVisibleForm {\n"
                                   "  Visible = true\n"
                                   "  Position = poScreenCenter\n"
                                   "  ClientWidth = 200\n"
                                   "  ClientHeight = 100\n"
                                   "  Edit1 : TEdit {\n"
                                   "    Left = 8\n"
                                   "    Top = 8\n"
                                   "    Text = \"12\"\n"
                                   "  }\n"
                                   "}\n";

class StoredVisibility : public ::testing::Test {
protected:
    void SetUp() override
    {
        desk = InstallFreshDesktop(1000, 800);
        app = std::make_unique<TApplication>(nullptr);
        TVisibleForm::Layout = Compile(kVisibleLayout);
    }

    void TearDown() override
    {
        app.reset();
        TVisibleForm::Layout.clear();
        MessageQueue::Clear();
    }

    const platform::HeadlessWindow& WindowOf(TCustomForm* form)
    {
        return *desk->FindWindow(form->NativeWindow().Id());
    }

    // Loop passes until the loop has waited once.
    void RunUntilIdle()
    {
        const int waits = desk->WaitCount();
        for (int guard = 0; desk->WaitCount() == waits && guard < 1000; ++guard)
            app->HandleMessage();
    }

    platform::HeadlessDesktop* desk = nullptr;
    std::unique_ptr<TApplication> app;
};

TEST_F(StoredVisibility, TheMainWindowAppearsWhenTheLoopStartsWithOneShowActivationAndFocus)
{
    TVisibleForm* form = nullptr;
    app->CreateForm(form);
    ASSERT_TRUE(form->Visible());
    int shows = 0;
    form->SetOnShow([&](TObject*) { ++shows; });
    desk->onWait = [&] {
        platform::Event close;
        close.type = platform::EventType::Close;
        close.window = form->NativeWindow().Id();
        desk->PostEvent(close);
    };
    bool visibleWhileRunning = false;
    app->SetOnIdle([&](TObject*, bool&) { visibleWhileRunning = WindowOf(form).IsVisible(); });
    app->Run();

    EXPECT_TRUE(visibleWhileRunning);
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(WindowOf(form).Position(), (platform::Point{400, 350}));   // centred
    EXPECT_TRUE(form->Active());
    ASSERT_NE(form->Edit1, nullptr);
    EXPECT_EQ(form->FocusedControl(), form->Edit1);
}

TEST_F(StoredVisibility, ASecondWindowCreatedWhileRunningAppearsAtTheNextPass)
{
    TForm* main = nullptr;
    app->CreateForm(main);
    main->ShowForm();
    RunUntilIdle();

    auto* second = new TVisibleForm(app.get());
    int shows = 0;
    second->SetOnShow([&](TObject*) { ++shows; });
    RunUntilIdle();

    ASSERT_TRUE(second->HasNativeWindow());
    EXPECT_TRUE(WindowOf(second).IsVisible());
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(TCustomForm::ActiveForm(), second);
    EXPECT_EQ(second->FocusedControl(), second->Edit1);

    // Showing it again from code changes nothing: it is already there.
    second->ShowForm();
    RunUntilIdle();
    EXPECT_EQ(shows, 1);
}

TEST_F(StoredVisibility, AWindowHiddenBeforeTheLoopRunsStaysHidden)
{
    TForm* main = nullptr;
    app->CreateForm(main);
    main->ShowForm();
    RunUntilIdle();

    auto* second = new TVisibleForm(app.get());
    second->SetVisible(false);
    RunUntilIdle();
    EXPECT_FALSE(second->HasNativeWindow() && WindowOf(second).IsVisible());
    EXPECT_EQ(TCustomForm::ActiveForm(), main);
}

} // namespace
