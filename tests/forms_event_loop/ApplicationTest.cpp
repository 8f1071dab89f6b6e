// The application object beyond the loop itself: the start-up failure display, message boxes
// with buttons and their answer, the modeless dialog window, the hooks on the application
// window, the initialisation procedure and the show command the program was started with.

#include "tests/support/WindowFixture.h"

#include "forms/HandleRegistry.h"
#include "forms/TButton.h"
#include "forms/TEdit.h"

#include <regex>

namespace {

// The message line of the start-up failure text: what follows the first "\r\n".
std::string StartupMessageLine(const std::exception& e)
{
    const std::string text = StartupFailureText(e);
    const size_t start = text.find("\r\n");
    return start == std::string::npos ? text : text.substr(start + 2);
}

TEST(StartupFailure, TheTextNamesClassModuleAndAddressAndEndsTheMessageWithOneFullStop)
{
    const std::string text = StartupFailureText(EReadError("Stream read error"));
    EXPECT_TRUE(std::regex_match(text, std::regex("Exception EReadError in module [^ ]+ at (0x)?[0-9a-f]+\\.\r\n"
                                                   "Stream read error\\.\r\n")))
        << text;
    // A full stop is added whenever the message does not already end in one, whatever the last
    // character is: unlike the message box of an escaping exception, ")" and "" get one too.
    EXPECT_EQ(StartupMessageLine(EReadError("Ends with a stop.")), "Ends with a stop.\r\n");
    EXPECT_EQ(StartupMessageLine(EReadError("Property Left (line 3)")), "Property Left (line 3).\r\n");
    EXPECT_EQ(StartupMessageLine(EReadError("")), ".\r\n");
    EXPECT_EQ(StartupMessageLine(EReadError("Value 5")), "Value 5.\r\n");
    EXPECT_EQ(StartupMessageLine(std::runtime_error("std, no stop!")), "std, no stop!.\r\n");
}

class MessageBoxTest : public WindowTest {
protected:
    using Answer = platform::MessageBoxAnswer;
    const platform::HeadlessDesktop::MessageRecord& LastBox() { return desk->Messages().back(); }
};

TEST_F(MessageBoxTest, FlagsChooseButtonsIconAndDefaultAndTheChosenButtonIsReturned)
{
    Show();
    // Without an answer the box answers its default button, as Enter would.
    EXPECT_EQ(app->MessageBox("Copy the values?", "Filter2", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(LastBox().buttons, platform::MessageBoxButtons::YesNo);
    EXPECT_EQ(LastBox().icon, platform::MessageBoxIcon::Question);
    EXPECT_EQ(LastBox().defaultAnswer, Answer::No);
    EXPECT_EQ(LastBox().caption, "Filter2");
    EXPECT_EQ(LastBox().text, "Copy the values?");
    EXPECT_EQ(LastBox().owner, form->NativeWindow().Id());

    EXPECT_EQ(app->MessageBox("t", "c", MB_OKCANCEL | MB_ICONWARNING), IDOK);
    EXPECT_EQ(LastBox().icon, platform::MessageBoxIcon::Warning);
    EXPECT_EQ(app->MessageBox("t", "c", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3 | MB_ICONERROR), IDIGNORE);
    EXPECT_EQ(LastBox().icon, platform::MessageBoxIcon::Error);
    EXPECT_EQ(app->MessageBox("t", "c", MB_RETRYCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(LastBox().icon, platform::MessageBoxIcon::Information);
    // A default button the set does not have falls back to the first.
    EXPECT_EQ(app->MessageBox("t", "c", MB_YESNO | MB_DEFBUTTON3), IDYES);
    EXPECT_EQ(app->MessageBox("t", "c"), IDOK);
    EXPECT_EQ(LastBox().icon, platform::MessageBoxIcon::None);

    // The user's choice comes back as it is; a box closed without a button answers Cancel
    // where there is one, else what stands for "no".
    desk->answerMessageBox = [](const auto&) { return Answer::Yes; };
    EXPECT_EQ(app->MessageBox("t", "c", MB_YESNOCANCEL), IDYES);
    desk->answerMessageBox = [](const auto&) { return Answer::Cancel; };
    EXPECT_EQ(app->MessageBox("t", "c", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(app->MessageBox("t", "c", MB_YESNO), IDNO);   // no Cancel button to press
    EXPECT_EQ(app->MessageBox("t", "c", MB_ABORTRETRYIGNORE), IDABORT);
    EXPECT_EQ(LastBox().answer, Answer::Abort);
}

TEST_F(MessageBoxTest, EveryWindowIsDisabledWhileItIsOpenThenActivationAndFocusComeBack)
{
    auto* first = new TEdit(form);
    first->SetParent(form);
    auto* second = new TEdit(form);
    second->SetParent(form);
    second->SetTop(40);
    TForm* other = nullptr;
    app->CreateForm(other);
    other->ShowForm();
    Show();
    form->ShowForm();
    form->Perform(WM_ACTIVATE, 1);
    form->SetFocusedControl(second);
    ASSERT_EQ(TCustomForm::ActiveForm(), form);

    bool allDisabled = false;
    desk->answerMessageBox = [&](const auto&) {
        allDisabled = !desk->FindWindow(form->NativeWindow().Id())->IsEnabled() &&
                      !desk->FindWindow(other->NativeWindow().Id())->IsEnabled();
        // While the box is up the desktop moves the activation elsewhere.
        other->Perform(WM_ACTIVATE, 1);
        other->SetFocusedControl(nullptr);
        form->SetFocusedControl(first);
        return Answer::Ok;
    };
    EXPECT_EQ(app->MessageBox("t", "c", MB_OK), IDOK);
    EXPECT_TRUE(allDisabled);
    EXPECT_TRUE(desk->FindWindow(form->NativeWindow().Id())->IsEnabled());
    EXPECT_TRUE(desk->FindWindow(other->NativeWindow().Id())->IsEnabled());
    EXPECT_EQ(TCustomForm::ActiveForm(), form);
    EXPECT_EQ(form->FocusedControl(), second);

    // The remembered window or control may go while the box is open: nothing is touched then.
    desk->answerMessageBox = [&](const auto&) {
        delete second;
        return Answer::Ok;
    };
    form->SetFocusedControl(second);
    EXPECT_EQ(app->MessageBox("t", "c", MB_OK), IDOK);
    EXPECT_EQ(TCustomForm::ActiveForm(), form);
    EXPECT_EQ(form->ControlCount(), 1);
    desk->answerMessageBox = [&](const auto&) {
        delete other;
        return Answer::Ok;
    };
    other = nullptr;
    app->CreateForm(other);
    other->ShowForm();
    other->Perform(WM_ACTIVATE, 1);
    EXPECT_EQ(app->MessageBox("t", "c", MB_OK), IDOK);
    EXPECT_TRUE(desk->FindWindow(form->NativeWindow().Id())->IsEnabled());
}

class ApplicationWindowTest : public WindowTest {};

TEST_F(ApplicationWindowTest, HooksSeeItsMessagesFirstInOrderAndItsCloseRequestClosesTheMainForm)
{
    Show();
    std::vector<std::string> seen;
    bool keepRunning = true;
    const int first = app->HookMainWindow([&](TMessage& m) {
        seen.push_back("first " + std::to_string(m.Msg));
        return m.Msg == WM_CLOSE && keepRunning;
    });
    app->HookMainWindow([&](TMessage& m) {
        seen.push_back("second " + std::to_string(m.Msg));
        return false;
    });

    // The desktop's own close request (SIGTERM, the end of the session) is addressed to it.
    platform::Event quit;
    quit.type = platform::EventType::Close;
    quit.window = 0;
    desk->PostEvent(quit);
    MessageQueue::PostMessage(app->Handle(), WM_NULL);
    RunUntilIdle();
    // Posted messages come before the desktop's input.
    EXPECT_EQ(seen, (std::vector<std::string>{"first 0", "second 0", "first 16"}));
    EXPECT_FALSE(app->Terminated());
    TMsg msg;
    EXPECT_FALSE(MessageQueue::PeekMessage(msg) && msg.message == WM_QUIT) << "a taken close request ended the program";

    // Without the hook that takes it, the close request closes the main form: the loop ends.
    app->UnhookMainWindow(first);
    seen.clear();
    desk->PostEvent(quit);
    desk->onWait = [&] { FAIL() << "the loop waited after the close request"; };
    app->Run();
    EXPECT_TRUE(app->Terminated());
    EXPECT_EQ(seen, (std::vector<std::string>{"second 16"}));

    // A main form that refuses to close keeps the program running.
    form->SetOnCloseQuery([](TObject*, bool& canClose) { canClose = false; });
    MessageQueue::PostMessage(app->Handle(), WM_CLOSE);
    ASSERT_TRUE(MessageQueue::PeekMessage(msg));
    MessageQueue::DispatchMessage(msg);
    EXPECT_FALSE(MessageQueue::PeekMessage(msg) && msg.message == WM_QUIT);
}

TEST_F(ApplicationWindowTest, TheMainFormGoingAwayWhileTheLoopRunsEndsTheLoop)
{
    Show();
    // Program code frees the main form (outside of its own handlers).
    bool freed = false;
    app->SetOnIdle([&](TObject*, bool&) {
        if (!freed) {
            freed = true;
            delete form;
        }
    });
    desk->onWait = [&] { FAIL() << "the loop waited on without its main form"; };
    app->Run();
    EXPECT_TRUE(app->Terminated());
    EXPECT_EQ(app->MainForm(), nullptr);
    form = nullptr;
}

TEST_F(ApplicationWindowTest, AModelessDialogKeepsItsKeysWhileAnotherWindowHoldsTheMouse)
{
    // The main window holds the mouse (a drag in progress): keyboard pre-handling offers keys
    // to it, and it has no use for Escape. The dialog still takes Escape for its Cancel button.
    auto* dragged = new TButton(form);
    dragged->SetParent(form);
    Show();
    TForm* dialog = nullptr;
    app->CreateForm(dialog);
    auto* edit = new TEdit(dialog);
    edit->SetParent(dialog);
    auto* cancel = new TButton(dialog);
    cancel->SetParent(dialog);
    cancel->SetTop(40);
    cancel->SetCancel(true);
    int cancelled = 0;
    cancel->SetOnClick([&](TObject*) { ++cancelled; });
    dialog->ShowForm();
    RunUntilIdle();
    dialog->SetFocusedControl(edit);

    auto escapeInDialog = [&] {
        dragged->SetMouseCapture(true);
        platform::Event key;
        key.type = platform::EventType::KeyDown;
        key.window = dialog->NativeWindow().Id();
        key.key = vk::Escape;
        key.text = "\x1b";
        desk->PostEvent(key);
        RunUntilIdle();
        dragged->SetMouseCapture(false);
    };
    escapeInDialog();
    EXPECT_EQ(cancelled, 0) << "not a registered dialog: the key goes to the edit only";

    app->SetDialogHandle(dialog->Handle());
    escapeInDialog();
    EXPECT_EQ(cancelled, 1);
    EXPECT_EQ(edit->GetText(), "") << "the key the dialog used made no character";

    // Typing into the dialog still reaches its controls through the dialog.
    Key('5', "5");   // to the main window: not the dialog's
    platform::Event typed;
    typed.type = platform::EventType::KeyDown;
    typed.window = dialog->NativeWindow().Id();
    typed.key = '7';
    typed.text = "7";
    desk->PostEvent(typed);
    RunUntilIdle();
    EXPECT_EQ(edit->GetText(), "7");

    // A dialog that is gone is simply not found any more.
    delete dialog;
    Key(vk::Escape, "\x1b");
    EXPECT_EQ(cancelled, 1);
}

TEST(ApplicationStart, InitializeCallsTheRegisteredProcedure)
{
    MessageQueue::Clear();
    platform::InstallDesktop(std::make_unique<platform::HeadlessDesktop>(800, 600));
    TApplication app(nullptr);
    app.Initialize();   // none registered: nothing happens
    int calls = 0;
    TApplication::SetInitProc([&] { ++calls; });
    app.Initialize();
    EXPECT_EQ(calls, 1);
    TApplication::SetInitProc(nullptr);
    app.Initialize();
    EXPECT_EQ(calls, 1);
}

TEST(NoDesktopInstalled, TheFrameworkRunsOnTheNullDesktopWithoutAskingForOne)
{
    MessageQueue::Clear();
    platform::InstallDesktop(nullptr);
    TApplication app(nullptr);
    TForm form(nullptr);
    EXPECT_EQ(form.PixelsPerInch(), 96);   // the density of the screen is unknown: the standard one
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetText("100");
    edit->SelectAll();
    edit->Perform(WM_COPY);    // the clipboard is nobody's
    edit->Select(3, 0);
    edit->Perform(WM_PASTE);   // and holds nothing to paste
    EXPECT_EQ(edit->GetText(), "100");
    EXPECT_TRUE(KeyboardShiftState().IsEmpty());
    // Boxes reach nobody and answer as if dismissed; an escaping exception is shown to nobody.
    EXPECT_EQ(app.MessageBox("Copy the values?", "Filter2", MB_YESNO), IDNO);
    try {
        throw EConvertError("bad");
    } catch (...) {
        app.HandleException(&app);
    }
    // No window can be made, as before any desktop is installed.
    EXPECT_THROW(form.NativeWindow(), EInvalidOperation);
    TMsg msg;
    MessageQueue::WaitMessage();   // returns: nothing can arrive
    EXPECT_FALSE(MessageQueue::PeekMessage(msg));
}

class ShowCommandTest : public WindowTest {
protected:
    // Runs the loop until its first wait, then closes the main form.
    void RunOnce()
    {
        desk->onWait = [&] {
            platform::Event close;
            close.type = platform::EventType::Close;
            close.window = form->NativeWindow().Id();
            desk->PostEvent(close);
        };
        app->Run();
    }

    void AddEdit()
    {
        auto* edit = new TEdit(form);
        edit->SetParent(form);
    }
};

TEST_F(ShowCommandTest, MinimisedWithoutActivationShowsTheMainWindowIconic)
{
    AddEdit();
    int shows = 0;
    form->SetOnShow([&](TObject*) { ++shows; });
    app->SetShowCommand(TApplication::SW_SHOWMINNOACTIVE);
    bool activeWhileRunning = true;
    app->SetOnIdle([&](TObject*, bool&) { activeWhileRunning = form->Active(); });
    RunOnce();
    EXPECT_EQ(shows, 1);
    EXPECT_TRUE(Window().IsVisible());
    EXPECT_EQ(Window().State(), platform::WindowState::Minimized);
    EXPECT_EQ(form->WindowState(), wsMinimized);
    EXPECT_FALSE(activeWhileRunning);
    EXPECT_EQ(form->FocusedControl(), nullptr);

    // Restored by the user: the desktop activates it, and the focus rules apply.
    app->Restore();
    EXPECT_EQ(Window().State(), platform::WindowState::Normal);
    form->Perform(WM_ACTIVATE, 1);
    EXPECT_NE(form->FocusedControl(), nullptr);
}

TEST_F(ShowCommandTest, MaximisedShowsTheMainWindowMaximisedAndActiveAndNormalIsNormal)
{
    AddEdit();
    app->SetShowCommand(TApplication::SW_SHOWMAXIMIZED);
    RunOnce();
    EXPECT_EQ(Window().State(), platform::WindowState::Maximized);
    EXPECT_NE(form->FocusedControl(), nullptr);
}

TEST_F(ShowCommandTest, TheNormalCommandShowsItNormallyAndNoShowFlagShowsNothing)
{
    RunOnce();
    EXPECT_TRUE(Window().IsVisible());
    EXPECT_EQ(Window().State(), platform::WindowState::Normal);
    EXPECT_EQ(app->ShowCommand(), TApplication::SW_SHOWNORMAL);

    TForm* hidden = nullptr;
    app.reset();
    app = std::make_unique<TApplication>(nullptr);
    app->CreateForm(hidden);
    form = hidden;
    app->SetShowMainForm(false);
    app->SetShowCommand(TApplication::SW_SHOWMINNOACTIVE);
    RunOnce();
    EXPECT_FALSE(Window().IsVisible());
}

} // namespace
