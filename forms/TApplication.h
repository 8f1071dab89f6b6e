#pragma once
// The application object: title and icon, the main form, and the event loop.
//
// One pass of the loop (HandleMessage) takes one message, or does idle work when none waits:
//   1. take the next message without waiting (a posted quit comes first);
//   2. quit: set Terminated;
//   3. otherwise the message hook (OnMessage) may take it; then an open popup menu of the
//      message's form takes mouse and keyboard input; then keyboard pre-handling: a key
//      message (256..264) goes as its CN_ form to the capture window, else to its own window,
//      and a non-zero answer takes it; then the modeless dialog window (DialogHandle) takes
//      the messages of its own controls; otherwise it is translated (a key-down becomes its
//      characters) and dispatched to its window.
// The application window is no window on this desktop, but it has a handle (Handle) and a
// window procedure: the window hooks see its messages first; a close request (the desktop's
// own, from SIGTERM or the end of the session) closes the main form.
// Idle: mouse-enter/-leave for the control under the pointer, the idle hook, then a blocking
// wait for the desktop's next event. An exception escaping a pass is shown (HandleException)
// and the loop goes on.

#include "forms/MessageBoxFlags.h"
#include "forms/Messages.h"
#include "forms/TComponent.h"
#include "forms/TIcon.h"
#include "rtl/Exception.h"

#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

class TControl;
class TCustomForm;

class TApplication : public TComponent {
    F2_CLASS(TApplication, TComponent)
public:
    using TMessageEvent = std::function<void(TMsg& msg, bool& handled)>;
    using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
    using TExceptionEvent = std::function<void(TObject* sender, const Exception& e)>;
    // A hook on the application window; answering true takes the message.
    using TWindowHook = std::function<bool(TMessage& message)>;

    // Show commands a program can be started with.
    static constexpr int SW_SHOWNORMAL = 1, SW_SHOWMAXIMIZED = 3, SW_SHOWMINNOACTIVE = 7;

    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // The process-wide initialisation procedure, for units that need work done before the
    // first form is created; none is registered by default.
    static void SetInitProc(std::function<void()> procedure);
    // Calls the initialisation procedure, if one is registered.
    void Initialize();
    // Creates a form owned by the application; the reference is set before the constructor
    // runs and cleared when it raises. The first form becomes the main form.
    template <class T>
    void CreateForm(T*& reference)
    {
        void* memory = ::operator new(sizeof(T));
        reference = static_cast<T*>(memory);
        try {
            new (memory) T(this);
        } catch (...) {
            ::operator delete(memory);
            reference = nullptr;
            throw;
        }
        FormCreated(reference);
    }
    TCustomForm* MainForm() const { return mainForm_; }

    void Run();
    void HandleMessage();
    void ProcessMessages();
    bool ProcessMessage(TMsg& msg);
    void Idle();
    void Terminate();
    bool Terminated() const { return terminated_; }
    bool Running() const { return running_; }
    // Terminate procedures run in registration order; one returning false stops termination.
    void AddTerminateProc(std::function<bool()> proc) { terminateProcs_.push_back(std::move(proc)); }

    // Shows the current exception (call from a catch block).
    void HandleException(TObject* sender);
    void ShowException(const Exception& e);
    // A modal message box of the desktop with the MB_ flags (buttons, icon, default button);
    // returns the chosen button (IDOK ... IDNO). While it is open every window is disabled;
    // afterwards the window that was active is active again, with the focus where it was.
    int MessageBox(const std::string& text, const std::string& caption, uint32_t flags = MB_OK);

    // The application window's handle: messages posted to it go to its window procedure.
    HWND Handle() const { return handle_; }
    // Window hooks see the application window's messages first, in the order they were added;
    // the returned number unhooks one again.
    int HookMainWindow(TWindowHook hook);
    void UnhookMainWindow(int hook);
    // A modeless dialog window (a form, or any windowed control) that gets the keyboard
    // handling of a dialog for the messages of its controls; 0 for none. A destroyed one is
    // simply no longer found.
    HWND DialogHandle() const { return dialogHandle_; }
    void SetDialogHandle(HWND handle) { dialogHandle_ = handle; }

    // Minimising the application minimises (and shows) the main form; restoring restores it.
    void Minimize();
    void Restore();

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    // The icon of the windows that have none of their own; a change reaches them at once.
    TIcon* Icon() const { return icon_.get(); }
    // The name the desktop knows the program's windows by (window class, app id), matching
    // the program's desktop entry. Applies to windows created afterwards.
    static constexpr std::string_view kDefaultAppId = "filter2";
    const std::string& AppId() const { return appId_; }
    void SetAppId(const std::string& appId) { appId_ = appId; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool value) { showMainForm_ = value; }
    // The show command the program was started with (SW_SHOWNORMAL, SW_SHOWMAXIMIZED,
    // SW_SHOWMINNOACTIVE); Run reads it when it shows the main form.
    void SetShowCommand(int command) { showCommand_ = command; }
    int ShowCommand() const { return showCommand_; }

    void SetOnMessage(TMessageEvent h) { onMessage_ = std::move(h); }
    void SetOnIdle(TIdleEvent h) { onIdle_ = std::move(h); }
    void SetOnException(TExceptionEvent h) { onException_ = std::move(h); }

    // "ABC.DEF.exe" -> "Abc": the last path component, cut at the first ".", all but the
    // first character in lower case.
    static std::string TitleFromPath(std::string_view path);
    static std::string ExeName();   // the program file's full path

protected:
    // The main form going away while the loop runs ends the loop: the program never runs on
    // without its main window.
    void Notification(TComponent* component, TOperation operation) override;

private:
    void WindowProcedure(TMessage& message);
    bool IsDialogMessage(const TMsg& msg);
    void FormCreated(TCustomForm* form);
    TControl* ControlUnderMouse() const;
    void HandleKnownException(TObject* sender, const Exception& e);
    void LoadIcon();
    bool PopupTakes(const TMsg& msg);

    std::string title_;
    std::unique_ptr<TIcon> icon_;
    std::string appId_{kDefaultAppId};
    TCustomForm* mainForm_ = nullptr;
    bool running_ = false;
    bool terminated_ = false;
    bool showMainForm_ = true;
    int showCommand_ = SW_SHOWNORMAL;
    HWND handle_ = 0;
    HWND dialogHandle_ = 0;
    std::vector<std::pair<int, TWindowHook>> windowHooks_;
    int nextHook_ = 1;
    HWND mouseControl_ = 0;          // windowed control under the mouse
    TControl* mouseGraphic_ = nullptr;   // or a graphic control under it (checked before use)
    std::vector<std::function<bool()>> terminateProcs_;
    TMessageEvent onMessage_;
    TIdleEvent onIdle_;
    TExceptionEvent onException_;
};

// The application object; created by the program (or a test) before any form.
extern TApplication* Application;

// The display of an exception that escaped start-up: a message box "Application Error" and the
// same text on standard error. Returns the exit code (1).
int ShowStartupFailure(const std::exception& e);
// The text of that display: "Exception %s in module %s at %p.\r\n%s%s\r\n".
std::string StartupFailureText(const std::exception& e);
