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

} // namespace

TApplication::TApplication(TComponent* owner)
    : TComponent(owner), title_(TitleFromPath(ExeName())), icon_(std::make_unique<TIcon>())
{
    if (!Application)
        Application = this;
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
    if (Application == this)
        Application = nullptr;
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
    // No minimised or maximised state exists for the fixed-size windows here; every show
    // command shows the main form normally.
    if (showMainForm_) {
        try {
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
    TCustomForm* form = TCustomForm::ActiveForm();
    if (!form)
        form = mainForm_;
    if (!form || !form->Visible() || !form->HasNativeWindow() || !platform::HasDesktop())
        return nullptr;
    const platform::Point p = platform::CurrentDesktop().MousePosition(form->NativeWindow());
    if (!platform::Rect{0, 0, form->Width(), form->Height()}.Contains(p))
        return nullptr;
    TControl* found = form;
    for (auto* window = static_cast<TWinControl*>(form); window;) {
        TControl* child = window->ControlAtPos(window->ScreenToClient(p), true, true);
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
        if (platform::HasDesktop())
            platform::CurrentDesktop().ShowMessageBox(nullptr, "Application Error", StartupFailureText(e),
                                                      platform::MessageBoxIcon::Error);
    } catch (...) {
        if (platform::HasDesktop())
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
    MessageBox(WithFullStop(e.Message()), title_);
}

void TApplication::MessageBox(const std::string& text, const std::string& caption)
{
    if (!platform::HasDesktop())
        return;
    // The other windows take no input while the box is open.
    std::vector<TCustomForm*> disabled;
    for (TCustomForm* form : TCustomForm::Forms())
        if (form->HasNativeWindow() && form->Enabled()) {
            form->NativeWindow().SetEnabled(false);
            disabled.push_back(form);
        }
    platform::NativeWindow* owner = mainForm_ && mainForm_->HasNativeWindow() ? &mainForm_->NativeWindow() : nullptr;
    platform::CurrentDesktop().ShowMessageBox(owner, caption, text, platform::MessageBoxIcon::Error);
    for (TCustomForm* form : disabled)
        form->NativeWindow().SetEnabled(true);
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
    if (platform::HasDesktop())
        platform::CurrentDesktop().ShowMessageBox(nullptr, "Application Error", text,
                                                  platform::MessageBoxIcon::Error);
    return 1;
}
