#include "forms/TApplication.h"

#include "forms/HandleRegistry.h"
#include "forms/MessageQueue.h"
#include "forms/ResourceTable.h"
#include "forms/TCustomForm.h"
#include "forms/TMemoryStream.h"
#include "forms/TPopupLayer.h"
#include "platform/Desktop.h"
#include "rtl/Format.h"
#include "rtl/Text.h"

#include <cxxabi.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <typeinfo>

TApplication* Application = nullptr;

F2_DEFINE_CLASS(TApplication, TComponent, F2_NO_FACTORY) {}

namespace {

std::string Demangled(const std::type_info& type)
{
    int status = 0;
    char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string result = status == 0 && name ? name : type.name();
    std::free(name);
    return result;
}

std::string ClassNameOf(const std::exception& e)
{
    if (const auto* known = dynamic_cast<const Exception*>(&e))
        return known->ClassName();
    return Demangled(typeid(e));
}

// "." is added when the text is not empty and its last character compares above ".".
std::string WithFullStop(const std::string& text)
{
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        return text + ".";
    return text;
}

std::string ModuleName()
{
    const std::string path = TApplication::ExeName();
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::function<void()>& InitProcedure()
{
    static std::function<void()> procedure;
    return procedure;
}

// Which keys a dialog offers to its controls first, as WM_GETDLGCODE bits (0: not a dialog key).
intptr_t DialogKeyCode(uint16_t key)
{
    switch (key) {
    case platform::vk::Tab: return DLGC_WANTTAB;
    case platform::vk::Left:
    case platform::vk::Right:
    case platform::vk::Up:
    case platform::vk::Down: return DLGC_WANTARROWS;
    case platform::vk::Return:
    case platform::vk::Escape: return DLGC_WANTALLKEYS;
    default: return 0;
    }
}

platform::MessageBoxRequest RequestFromFlags(const std::string& text, const std::string& caption, uint32_t flags)
{
    platform::MessageBoxRequest request{caption, text};
    using B = platform::MessageBoxButtons;
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: request.buttons = B::OkCancel; break;
    case MB_ABORTRETRYIGNORE: request.buttons = B::AbortRetryIgnore; break;
    case MB_YESNOCANCEL: request.buttons = B::YesNoCancel; break;
    case MB_YESNO: request.buttons = B::YesNo; break;
    case MB_RETRYCANCEL: request.buttons = B::RetryCancel; break;
    default: request.buttons = B::Ok; break;
    }
    using I = platform::MessageBoxIcon;
    switch (flags & MB_ICONMASK) {
    case MB_ICONERROR: request.icon = I::Error; break;
    case MB_ICONQUESTION: request.icon = I::Question; break;
    case MB_ICONWARNING: request.icon = I::Warning; break;
    case MB_ICONINFORMATION: request.icon = I::Information; break;
    default: request.icon = I::None; break;
    }
    request.defaultButton = int((flags & MB_DEFMASK) >> 8);
    return request;
}

} // namespace

TApplication::TApplication(TComponent* owner)
    : TComponent(owner), title_(TitleFromPath(ExeName())), icon_(std::make_unique<TIcon>()),
      handle_(HandleRegistry::Reserve())
{
    if (!Application)
        Application = this;
    if (Application == this)
        MessageQueue::SetApplicationWindow(handle_, [this](TMessage& message) {
            WindowProcedure(message);
            return message.Result;
        });
    LoadIcon();
    icon_->SetOnChange([](TObject*) {
        for (TCustomForm* form : TCustomForm::Forms())
            form->UpdateIcon();
    });
}

void TApplication::LoadIcon()
{
    // The icon comes from the program's resources when it has one; a program without it
    // (a test) simply has no icon, and neither does one whose icon resource is damaged.
    auto bytes = ResourceTable::Find(ResourceTable::kIcon, "MAINICON");
    if (!bytes)
        return;
    try {
        TMemoryStream stream(std::vector<uint8_t>(bytes->begin(), bytes->end()));
        icon_->LoadFromStream(stream);
    } catch (const Exception&) {
        icon_ = std::make_unique<TIcon>();
    }
}

TApplication::~TApplication()
{
    icon_->SetOnChange(nullptr);
    DestroyComponents();
    if (MessageQueue::ApplicationWindow() == handle_)
        MessageQueue::SetApplicationWindow(0, nullptr);
    if (Application == this)
        Application = nullptr;
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove || !component || component != mainForm_)
        return;
    mainForm_ = nullptr;
    if (running_)
        Terminate();
}

void TApplication::SetInitProc(std::function<void()> procedure)
{
    InitProcedure() = std::move(procedure);
}

void TApplication::Initialize()
{
    if (InitProcedure())
        InitProcedure()();
}

int TApplication::HookMainWindow(TWindowHook hook)
{
    const int id = nextHook_++;
    windowHooks_.emplace_back(id, std::move(hook));
    return id;
}

void TApplication::UnhookMainWindow(int hook)
{
    std::erase_if(windowHooks_, [hook](const auto& entry) { return entry.first == hook; });
}

void TApplication::WindowProcedure(TMessage& message)
{
    // A copy: a hook may add or remove hooks.
    const auto hooks = windowHooks_;
    for (const auto& [id, hook] : hooks)
        if (hook(message))
            return;
    switch (message.Msg) {
    case WM_CLOSE:
        // Closing the application closes its main form, which may still refuse.
        if (mainForm_)
            mainForm_->Close();
        else
            Terminate();
        return;
    default: return;
    }
}

void TApplication::Minimize()
{
    if (!mainForm_)
        return;
    mainForm_->SetWindowState(wsMinimized);
    // Nothing else stands for the program on this desktop: the minimised window must be there.
    if (!mainForm_->Visible())
        mainForm_->ShowForm();
}

void TApplication::Restore()
{
    if (mainForm_)
        mainForm_->SetWindowState(wsNormal);
}

std::string TApplication::ExeName()
{
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, size_t(n)) : std::string();
}

std::string TApplication::TitleFromPath(std::string_view path)
{
    const size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    if (name.empty())
        return {};
    return std::string(1, name[0]) + rtl::LowerCase(name.substr(1));
}

void TApplication::FormCreated(TCustomForm* form)
{
    if (mainForm_ || !form)
        return;
    mainForm_ = form;
    form->NativeWindow();
}

void TApplication::Run()
{
    running_ = true;
    if (!mainForm_) {
        running_ = false;
        return;
    }
    // The show command the program was started with.
    if (showCommand_ == SW_SHOWMAXIMIZED)
        mainForm_->SetWindowState(wsMaximized);
    else if (showCommand_ == SW_SHOWMINNOACTIVE)
        mainForm_->SetWindowState(wsMinimized);
    if (showMainForm_) {
        try {
            if (mainForm_->WindowState() == wsMinimized)
                Minimize();
            else
                mainForm_->ShowForm();
        } catch (...) {
            HandleException(this);
        }
    }
    while (!terminated_) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
    running_ = false;
}

void TApplication::HandleMessage()
{
    TMsg msg;
    if (!ProcessMessage(msg))
        Idle();
}

void TApplication::ProcessMessages()
{
    TMsg msg;
    while (ProcessMessage(msg)) {
    }
}

bool TApplication::ProcessMessage(TMsg& msg)
{
    if (!MessageQueue::PeekMessage(msg))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    if (onMessage_)
        onMessage_(msg, handled);
    if (handled)
        return true;
    if (PopupTakes(msg))
        return true;
    // Keyboard pre-handling: the CN_ form of a key message to the capture window, else to the
    // message's own window; a non-zero answer takes the message.
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        TWinControl* target = nullptr;
        if (TControl* capture = MessageQueue::Capture()) {
            target = dynamic_cast<TWinControl*>(capture);
            if (!target)
                target = capture->Parent();
        }
        if (!target)
            target = HandleRegistry::Find(msg.hwnd);
        if (target && target->Perform(msg.message + CN_BASE, msg.wParam, msg.lParam) != 0)
            return true;
    }
    if (IsDialogMessage(msg))
        return true;
    MessageQueue::TranslateMessage(msg);
    MessageQueue::DispatchMessage(msg);
    return true;
}

bool TApplication::IsDialogMessage(const TMsg& msg)
{
    // Only the messages of the dialog window and of the controls inside it.
    TWinControl* dialog = HandleRegistry::Find(dialogHandle_);
    TWinControl* target = HandleRegistry::Find(msg.hwnd);
    if (!dialog || !target)
        return false;
    bool inside = false;
    for (TControl* c = target; c && !inside; c = c->Parent())
        inside = c == dialog;
    if (!inside)
        return false;
    // A dialog key that the control does not want for itself goes to the dialog (Tab and the
    // arrows move the focus, Enter and Escape press its buttons); a key it used makes no
    // character. Everything else the dialog translates and dispatches as the loop would.
    if (msg.message == WM_KEYDOWN) {
        const auto key = uint16_t(msg.wParam);
        const intptr_t code = DialogKeyCode(key);
        if (code != 0 && (target->Perform(WM_GETDLGCODE) & code) == 0 &&
            dialog->Perform(CM_DIALOGKEY, key, msg.lParam) != 0)
            return true;
    }
    MessageQueue::TranslateMessage(msg);
    MessageQueue::DispatchMessage(msg);
    return true;
}

bool TApplication::PopupTakes(const TMsg& msg)
{
    const bool input = (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
                       (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST);
    if (!input)
        return false;
    TWinControl* window = HandleRegistry::Find(msg.hwnd);
    TCustomForm* form = window ? window->ParentForm() : nullptr;
    // Input for another window closes a menu left open elsewhere.
    for (TCustomForm* other : TCustomForm::Forms())
        if (other != form)
            other->PopupLayer().Close();
    return form && form->PopupLayer().HandleInput(msg);
}

TControl* TApplication::ControlUnderMouse() const
{
    // The pointer may be over any of the program's windows: the active one is asked first
    // (it is on top where windows overlap), then the main window, then the others.
    std::vector<TCustomForm*> order;
    if (TCustomForm* active = TCustomForm::ActiveForm())
        order.push_back(active);
    if (mainForm_)
        order.push_back(mainForm_);
    for (TCustomForm* other : TCustomForm::Forms())
        order.push_back(other);
    TCustomForm* form = nullptr;
    platform::Point p;
    for (TCustomForm* candidate : order) {
        if (!candidate->Visible() || !candidate->HasNativeWindow())
            continue;
        p = platform::CurrentDesktop().MousePosition(candidate->NativeWindow());
        if (platform::Rect{0, 0, candidate->Width(), candidate->Height()}.Contains(p)) {
            form = candidate;
            break;
        }
    }
    if (!form)
        return nullptr;
    TControl* found = form;
    for (auto* window = static_cast<TWinControl*>(form); window;) {
        TControl* child = window->ControlAtPos(window->FormToClient(p), true, true);
        if (!child)
            break;
        found = child;
        window = dynamic_cast<TWinControl*>(child);
    }
    return found;
}

void TApplication::Idle()
{
    // Mouse-enter / mouse-leave for the control under the pointer (disabled ones included).
    TControl* under = ControlUnderMouse();
    TWinControl* lastWindow = HandleRegistry::Find(mouseControl_);
    TControl* last = lastWindow;
    if (lastWindow && mouseGraphic_) {
        last = nullptr;
        for (int i = 0; i < lastWindow->ControlCount(); ++i)
            if (lastWindow->Controls(i) == mouseGraphic_)
                last = mouseGraphic_;
    }
    if (under != last) {
        TControl* capture = MessageQueue::Capture();
        if (last && (!capture || capture == last))
            last->Perform(CM_MOUSELEAVE);
        auto* window = dynamic_cast<TWinControl*>(under);
        mouseGraphic_ = under && !window ? under : nullptr;
        mouseControl_ = window ? window->Handle() : (under ? under->Parent()->Handle() : 0);
        if (under && (!capture || capture == under))
            under->Perform(CM_MOUSEENTER);
    }
    bool done = true;
    try {
        if (onIdle_)
            onIdle_(this, done);
    } catch (...) {
        HandleException(this);
    }
    if (done)
        MessageQueue::WaitMessage();
}

void TApplication::Terminate()
{
    for (auto& proc : terminateProcs_)
        if (!proc())
            return;
    MessageQueue::PostQuitMessage(0);
}

void TApplication::HandleException(TObject* sender)
{
    // A drag or a pressed button is released first.
    if (TControl* capture = MessageQueue::Capture())
        capture->Perform(WM_CANCELMODE);
    try {
        throw;
    } catch (const Exception& e) {
        HandleKnownException(sender, e);
    } catch (const std::exception& e) {
        // Not one of the framework's: the runtime's own display.
        platform::CurrentDesktop().ShowMessageBox(nullptr, "Application Error", StartupFailureText(e),
                                                  platform::MessageBoxIcon::Error);
    } catch (...) {
        platform::CurrentDesktop().ShowMessageBox(nullptr, "Application Error", "Unknown exception.",
                                                  platform::MessageBoxIcon::Error);
    }
}

void TApplication::HandleKnownException(TObject* sender, const Exception& e)
{
    if (onException_) {
        onException_(sender, e);
        return;
    }
    ShowException(e);
}

void TApplication::ShowException(const Exception& e)
{
    MessageBox(WithFullStop(e.Message()), title_, MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, uint32_t flags)
{
    // Remembered by handle: a window or control that goes while the box is open is not
    // touched afterwards.
    TCustomForm* active = TCustomForm::ActiveForm();
    const HWND activeHandle = active ? active->Handle() : 0;
    const HWND focusHandle = active && active->FocusedControl() ? active->FocusedControl()->Handle() : 0;

    // The other windows take no input while the box is open.
    std::vector<HWND> disabled;
    for (TCustomForm* form : TCustomForm::Forms())
        if (form->HasNativeWindow() && form->Enabled()) {
            form->NativeWindow().SetEnabled(false);
            disabled.push_back(form->Handle());
        }
    TCustomForm* ownerForm = active && active->HasNativeWindow() ? active : mainForm_;
    platform::NativeWindow* owner = ownerForm && ownerForm->HasNativeWindow() ? &ownerForm->NativeWindow() : nullptr;
    const platform::MessageBoxAnswer answer =
        platform::CurrentDesktop().ShowMessageBox(owner, RequestFromFlags(text, caption, flags));
    for (HWND handle : disabled)
        if (auto* form = dynamic_cast<TCustomForm*>(HandleRegistry::Find(handle)))
            form->NativeWindow().SetEnabled(true);

    // Back to the window and the control the user was in.
    if (auto* form = dynamic_cast<TCustomForm*>(HandleRegistry::Find(activeHandle)); form && form->Visible()) {
        form->Perform(WM_ACTIVATE, 1);
        TWinControl* focus = HandleRegistry::Find(focusHandle);
        if (focus && focus->ParentForm() == form && focus->CanFocus())
            form->SetFocusedControl(focus);
    }
    return int(answer);
}

std::string StartupFailureText(const std::exception& e)
{
    // Here the full stop follows every message that does not already end in one; the message
    // box of an escaping exception has a rule of its own (WithFullStop).
    const std::string message = e.what();
    const bool endsInStop = !message.empty() && message.back() == '.';
    return rtl::Format("Exception %s in module %s at %p.\r\n%s%s\r\n", ClassNameOf(e), ModuleName(),
                       static_cast<const void*>(&e), message, endsInStop ? "" : ".");
}

int ShowStartupFailure(const std::exception& e)
{
    const std::string text = StartupFailureText(e);
    std::fputs(text.c_str(), stderr);
    platform::CurrentDesktop().ShowMessageBox(nullptr, "Application Error", text, platform::MessageBoxIcon::Error);
    return 1;
}
