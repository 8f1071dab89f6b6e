#include "forms/TCustomForm.h"

#include "forms/MessageQueue.h"
#include "forms/TApplication.h"
#include "forms/TFiler.h"
#include "forms/TIcon.h"
#include "forms/TPopupLayer.h"
#include "forms/TReader.h"
#include "forms/TSizeConstraints.h"
#include "forms/HandleRegistry.h"
#include "rtl/NumberText.h"

#include <algorithm>
#include <cstdlib>

namespace {
std::vector<TCustomForm*>& FormList()
{
    static std::vector<TCustomForm*> forms;
    return forms;
}
TCustomForm* activeForm = nullptr;
} // namespace

F2_DEFINE_CLASS(TCustomForm, TWinControl, F2_NO_FACTORY)
{
    c.Property("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
    c.Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
    c.Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
    c.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable);
    c.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons);
    c.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned);
    c.Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal);
    c.Property("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
    c.Property("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon);
    c.Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    c.Property("Constraints", &TCustomForm::Constraints, &TCustomForm::SetConstraints);
    c.Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(0);
    c.Property("OnShow", &TCustomForm::OnShow, &TCustomForm::SetOnShow);
    c.Property("OnCreate", &TCustomForm::OnCreate, &TCustomForm::SetOnCreate);
    c.Property("OnHide", &TCustomForm::OnHide, &TCustomForm::SetOnHide);
    c.Property("OnActivate", &TCustomForm::OnActivate, &TCustomForm::SetOnActivate);
    c.Property("OnClose", &TCustomForm::OnClose, &TCustomForm::SetOnClose);
    c.Property("OnCloseQuery", &TCustomForm::OnCloseQuery, &TCustomForm::SetOnCloseQuery);
    c.Property("OnResize", &TCustomForm::OnResize, &TCustomForm::SetOnResize);
}

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), icon_(std::make_unique<TIcon>()), popup_(std::make_unique<TPopupLayer>(*this))
{
    // The icon read from a layout (Icon.Data) or loaded later reaches the window at once.
    icon_->SetOnChange([this](TObject*) { UpdateIcon(); });
    // New limits apply at once, to the form's size and to what the user may drag it to.
    constraints_ = std::make_unique<TSizeConstraints>();
    constraints_->SetOnChange([this](TObject*) {
        SetBounds(Left(), Top(), Width(), Height());
        ApplyMinimumSize();
    });
    // A desktop that does not know its density leaves the standard one.
    if (const int ppi = platform::CurrentDesktop().PixelsPerInch(); ppi > 0)
        pixelsPerInch_ = ppi;
    SetVisibleSilently(false);
    SetColor(clBtnFace);
    InitBounds(320, 240);
    FormList().push_back(this);
    // Every window is known process-wide by its name while it lives: the layout reader makes a
    // new window's name unique among them (a second Form1 becomes Form1_1) and resolves
    // references into them ("Form2.Edit1").
    RegisterGlobalComponent(this);
}

TCustomForm::~TCustomForm()
{
    UnregisterGlobalComponent(this);
    // Controls go while the form is still whole.
    DestroyComponents();
    icon_->SetOnChange(nullptr);
    constraints_->SetOnChange(nullptr);
    if (activeForm == this)
        activeForm = nullptr;
    auto& list = FormList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

const std::vector<TCustomForm*>& TCustomForm::Forms()
{
    return FormList();
}

TCustomForm* TCustomForm::FindByNativeId(uint64_t id)
{
    for (TCustomForm* form : FormList())
        if (form->native_ && form->native_->Id() == id)
            return form;
    return nullptr;
}

TCustomForm* TCustomForm::ActiveForm()
{
    return activeForm;
}

void TCustomForm::SetPixelsPerInch(int ppi)
{
    if (ppi == 0 || ppi >= 36)
        pixelsPerInch_ = ppi;
}

void TCustomForm::SetClientWidth(int width)
{
    if (ComponentState().Contains(csReading))
        storedClientWidth_ = width;
    else
        SetWidth(width);
}

void TCustomForm::SetClientHeight(int height)
{
    if (ComponentState().Contains(csReading))
        storedClientHeight_ = height;
    else
        SetHeight(height);
}

void TCustomForm::SetConstraints(TSizeConstraints* constraints)
{
    constraints_->Assign(constraints);
}

void TCustomForm::SetBounds(int left, int top, int width, int height)
{
    if (constraints_) {
        width = constraints_->ClampWidth(width);
        height = constraints_->ClampHeight(height);
    }
    TWinControl::SetBounds(left, top, width, height);
}

void TCustomForm::ApplyMinimumSize()
{
    if (native_)
        native_->SetMinimumSize(constraints_->MinWidth(), constraints_->MinHeight());
}

void TCustomForm::SizeFromDesktop(int width, int height)
{
    // A fixed-size window keeps the size the program gave it, whatever the desktop reports.
    if (!Resizable() || !native_)
        return;
    sizingFromDesktop_ = true;
    try {
        SetBounds(Left(), Top(), width, height);
    } catch (...) {
        sizingFromDesktop_ = false;
        throw;
    }
    sizingFromDesktop_ = false;
    // Limits the desktop did not know of: the window takes the size the form settled on.
    if (Width() != width || Height() != height)
        native_->SetClientSize(Width(), Height());
}

namespace {
platform::WindowState NativeState(TWindowState state)
{
    switch (state) {
    case wsMinimized: return platform::WindowState::Minimized;
    case wsMaximized: return platform::WindowState::Maximized;
    case wsNormal: break;
    }
    return platform::WindowState::Normal;
}
} // namespace

void TCustomForm::SetWindowState(TWindowState state)
{
    if (state == windowState_)
        return;
    windowState_ = state;
    if (!native_ || !Visible() || IsLoading())
        return;
    native_->SetState(NativeState(state));
    // A minimised window gives up the activation; restored, the desktop activates it again.
    if (state == wsMinimized)
        Activate(false);
}

void TCustomForm::SetIcon(TIcon* icon)
{
    icon_->Assign(icon);
}

void TCustomForm::UpdateIcon()
{
    if (!native_)
        return;
    if (!icon_->Empty())
        native_->SetIcon(icon_->Image());
    else if (Application && Application->Icon() && !Application->Icon()->Empty())
        native_->SetIcon(Application->Icon()->Image());
}

void TCustomForm::DefineProperties(TFiler& filer)
{
    TWinControl::DefineProperties(filer);
    filer.DefineProperty("TextHeight", [this](TReader& reader) { textHeight_ = reader.ReadInteger(); });
    filer.DefineProperty("IgnoreFontProperty",
                         [this](TReader& reader) { ignoreFontProperty_ = reader.ReadBoolean(); });
}

void TCustomForm::ReadState(TReader& reader)
{
    storedClientWidth_ = 0;
    storedClientHeight_ = 0;
    textHeight_ = 0;
    TWinControl::ReadState(reader);
    if (ignoreFontProperty_) {
        // A top-level window's parent font is the desktop's default font.
        TFont desktopFont;
        Font()->Assign(&desktopFont);
    }
    AdaptToScreen();
    if (ignoreFontProperty_)
        SetParentFont(true);   // after any scaling, which marks the font as the window's own
    if (storedClientWidth_ > 0 || storedClientHeight_ > 0)
        SetBounds(Left(), Top(), storedClientWidth_ > 0 ? storedClientWidth_ : Width(),
                  storedClientHeight_ > 0 ? storedClientHeight_ : Height());
    // The flags describe this layout only; a later layout of the same pass brings its own.
    std::vector<TWinControl*> windows{this};
    for (size_t i = 0; i < windows.size(); ++i)
        for (int k = 0; k < windows[i]->ControlCount(); ++k) {
            TControl* child = windows[i]->Controls(k);
            child->SetScalingFlags({});
            if (auto* window = dynamic_cast<TWinControl*>(child))
                windows.push_back(window);
        }
}

void TCustomForm::AdaptToScreen()
{
    // A negative text height is no measurement: scaling by it would mirror every position.
    if (pixelsPerInch_ == 0 || textHeight_ <= 0)
        return;
    const int stored = pixelsPerInch_;
    const int screen = platform::CurrentDesktop().PixelsPerInch();   // 0: unknown, nothing to adapt to
    const bool otherDensity = screen > 0 && screen != stored;
    if (otherDensity)
        Font()->SetHeight(rtl::MulDiv(Font()->Height(), screen, stored));
    if (screen > 0)
        pixelsPerInch_ = screen;
    const int measured = TextSize(*Font(), "0").cy;
    if (measured <= 0)
        return;
    // By default every measure follows the text: measured over stored text height.
    int m = measured, d = textHeight_;
    if (otherDensity && std::abs(measured - rtl::MulDiv(textHeight_, screen, stored)) <= 1) {
        // On a screen of another density the font measures what the density predicts, up to
        // the rounding of its own metrics (25 instead of 26 for 13 at twice the density).
        // Scaling by that measurement would leave every measure a little short of the
        // density; the density's own ratio scales exactly (twice the pixels at twice the
        // density). A font that measures otherwise (another face than the one designed with)
        // still scales by its measurement.
        m = screen;
        d = stored;
    }
    if (m == d)
        return;
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->ChangeScale(m, d);
    storedClientWidth_ = rtl::MulDiv(storedClientWidth_, m, d);
    storedClientHeight_ = rtl::MulDiv(storedClientHeight_, m, d);
}

TWinControl* TCustomForm::ActiveControl() const
{
    return HandleRegistry::Find(activeControl_);
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == this)
        control = nullptr;
    activeControl_ = control ? control->Handle() : 0;
    if (Visible() && control && control->CanFocus())
        SetFocusedControl(control);
}

TWinControl* TCustomForm::FocusedControl() const
{
    return HandleRegistry::Find(focused_);
}

void TCustomForm::SetFocusedControl(TWinControl* control)
{
    TWinControl* old = FocusedControl();
    if (old == control)
        return;
    focused_ = 0;
    if (old) {
        old->Perform(CM_EXIT);
        old->Perform(WM_KILLFOCUS);
    }
    if (!control)
        return;
    focused_ = control->Handle();
    activeControl_ = focused_;
    control->Perform(CM_ENTER);
    control->Perform(WM_SETFOCUS);
}

void TCustomForm::DefocusControl(TControl* control)
{
    TWinControl* focused = FocusedControl();
    for (TControl* c = focused; c; c = c->Parent())
        if (c == control) {
            SetFocusedControl(nullptr);
            break;
        }
    for (TControl* c = ActiveControl(); c; c = c->Parent())
        if (c == control) {
            activeControl_ = 0;
            break;
        }
}

void TCustomForm::SelectFirst()
{
    TWinControl* active = ActiveControl();
    if (active && active->CanFocus()) {
        SetFocusedControl(active);
        return;
    }
    if (TWinControl* first = FindNextControl(nullptr, true, true))
        SetFocusedControl(first);
}

platform::NativeWindow& TCustomForm::NativeWindow()
{
    if (!native_) {
        platform::WindowOptions options;
        options.caption = GetText();
        options.clientWidth = Width();
        options.clientHeight = Height();
        options.resizable = borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin;
        options.minimizeBox = borderIcons_.Contains(biMinimize) && borderStyle_ != bsDialog;
        options.maximizeBox = borderIcons_.Contains(biMaximize) && options.resizable;
        options.appId = Application ? Application->AppId() : std::string(TApplication::kDefaultAppId);
        native_ = platform::CurrentDesktop().CreateWindow(options);
        native_->MoveTo(Left(), Top());
        UpdateIcon();
        ApplyMinimumSize();
        dirty_ = {};
        dirtyPartCount_ = 0;
        InvalidateFormRect({0, 0, Width(), Height()});
    }
    return *native_;
}

void TCustomForm::SetText(const std::string& text)
{
    if (text == GetText())
        return;
    TWinControl::SetText(text);
    if (native_)
        native_->SetCaption(text);
}

void TCustomForm::Invalidate()
{
    InvalidateFormRect({0, 0, Width(), Height()});
}

void TCustomForm::InvalidateFormRect(const platform::Rect& rect)
{
    const platform::Rect r = rect.Intersect({0, 0, Width(), Height()});
    if (r.IsEmpty())
        return;
    if (dirty_.IsEmpty())
        dirty_ = r;
    else
        dirty_ = {std::min(dirty_.left, r.left), std::min(dirty_.top, r.top), std::max(dirty_.right, r.right),
                  std::max(dirty_.bottom, r.bottom)};
    AddDirtyPart(r);
}

void TCustomForm::AddDirtyPart(const platform::Rect& rect)
{
    const auto meet = [](const platform::Rect& a, const platform::Rect& b) {
        return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
    };
    // Parts that meet the new one (or touch it) join it; the grown part may meet others.
    platform::Rect merged = rect;
    for (int i = 0; i < dirtyPartCount_;) {
        const platform::Rect& part = dirtyParts_[size_t(i)];
        if (!meet(part, merged)) {
            ++i;
            continue;
        }
        merged = {std::min(part.left, merged.left), std::min(part.top, merged.top),
                  std::max(part.right, merged.right), std::max(part.bottom, merged.bottom)};
        dirtyParts_[size_t(i)] = dirtyParts_[size_t(--dirtyPartCount_)];
        i = 0;
    }
    if (dirtyPartCount_ == kMaxDirtyParts) {
        dirtyParts_[0] = dirty_;
        dirtyPartCount_ = 1;
        return;
    }
    dirtyParts_[size_t(dirtyPartCount_++)] = merged;
}

bool TCustomForm::NeedsPaint() const
{
    return native_ && Visible() && !dirty_.IsEmpty();
}

void TCustomForm::PaintPending()
{
    if (!NeedsPaint())
        return;
    if (backBuffer_.Width() != Width() || backBuffer_.Height() != Height()) {
        backBuffer_.Resize(Width(), Height(), ColorToPixel(Color()));
        dc_.reset();
        InvalidateFormRect({0, 0, Width(), Height()});
    }
    if (!dc_)
        dc_ = std::make_unique<platform::DeviceContext>(backBuffer_);
    // Taken before painting: a paint handler that invalidates schedules another paint.
    const std::array<platform::Rect, kMaxDirtyParts> parts = dirtyParts_;
    const int count = dirtyPartCount_;
    dirty_ = {};
    dirtyPartCount_ = 0;
    for (int i = 0; i < count; ++i) {
        PaintTree(*dc_, parts[size_t(i)]);
        popup_->Paint(*dc_, parts[size_t(i)]);
    }
    dc_->RemoveClip();
    dc_->SetOrigin({0, 0});
    if (native_ && !backBuffer_.IsEmpty())
        native_->PresentChanged(backBuffer_, std::span<const platform::Rect>(parts.data(), size_t(count)));
}

void TCustomForm::Present()
{
    if (native_ && !backBuffer_.IsEmpty())
        native_->Present(backBuffer_);
}

void TCustomForm::Resized()
{
    if (native_ && !sizingFromDesktop_)
        native_->SetClientSize(Width(), Height());
    Invalidate();
    if (!IsLoading() && onResize_)
        onResize_(this);
}

void TCustomForm::DoShow()
{
    if (onShow_)
        onShow_(this);
}

void TCustomForm::DoCreate()
{
    if (onCreate_)
        onCreate_(this);
}

void TCustomForm::Loaded()
{
    TWinControl::Loaded();
    DoCreate();
    // The window's own after-load notification comes first, before its controls have theirs:
    // a layout that made it visible gets it shown by the loop, once everything is in place.
    if (showPending_)
        MessageQueue::PostMessage(Handle(), CM_SHOWINGCHANGED);
}

void TCustomForm::ShowForm()
{
    if (!Visible())
        SetVisible(true);
    else if (showPending_)
        ShowIfStillPending();
    else
        BringToFront();
}

void TCustomForm::ShowIfStillPending()
{
    if (!showPending_ || !Visible() || IsLoading())
        return;
    showPending_ = false;
    ShowNative();
}

void TCustomForm::VisibleChanged()
{
    if (IsLoading()) {
        showPending_ = Visible();
        return;
    }
    showPending_ = false;
    if (Visible())
        ShowNative();
    else if (native_) {
        popup_->Close();
        if (onHide_)
            onHide_(this);
        native_->Hide();
        const bool wasActive = active_;
        Activate(false);
        if (wasActive)
            PassActivation();
    }
}

void TCustomForm::BringToFront()
{
    if (!Visible() || !native_)
        return;
    native_->Raise();
    Activate(true);
}

void TCustomForm::Release()
{
    // Posted, so that the handler that asks for it (a button's click, OnClose) finishes on a
    // whole window; a message for a window that is gone by then is dropped.
    MessageQueue::PostMessage(Handle(), CM_RELEASE);
}

void TCustomForm::PassActivation()
{
    // As on the desktop: the main window takes over, else the window shown most recently.
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    TCustomForm* next = main && main != this && main->Visible() && main->native_ ? main : nullptr;
    for (auto it = FormList().rbegin(); !next && it != FormList().rend(); ++it)
        if (*it != this && (*it)->Visible() && (*it)->native_)
            next = *it;
    if (next)
        next->Activate(true);
}

void TCustomForm::ShowNative()
{
    NativeWindow();
    DoShow();
    if (!shownOnce_ && (position_ == poScreenCenter || position_ == poDesktopCenter)) {
        // Centred on the client size; "div" truncates toward zero.
        const auto& desktop = platform::CurrentDesktop();
        SetBounds((desktop.ScreenWidth() - Width()) / 2, (desktop.ScreenHeight() - Height()) / 2, Width(),
                  Height());
    }
    shownOnce_ = true;
    native_->MoveTo(Left(), Top());
    native_->Show();
    Invalidate();
    if (windowState_ != wsNormal)
        native_->SetState(NativeState(windowState_));
    if (windowState_ != wsMinimized)
        Activate(true);
}

void TCustomForm::Activate(bool active)
{
    if (active == active_)
        return;
    // One window of the program is active at a time.
    if (active && activeForm && activeForm != this)
        activeForm->Activate(false);
    active_ = active;
    if (active) {
        activeForm = this;
        if (onActivate_)
            onActivate_(this);
        if (!FocusedControl())
            SelectFirst();
    } else {
        // A menu does not stay open over a window the user has left.
        popup_->Close();
        if (activeForm == this)
            activeForm = nullptr;
    }
}

void TCustomForm::EnabledChanged()
{
    TWinControl::EnabledChanged();
    if (native_)
        native_->SetEnabled(Enabled());
}

void TCustomForm::Close()
{
    bool canClose = true;
    if (onCloseQuery_)
        onCloseQuery_(this, canClose);
    if (!canClose)
        return;
    const bool isMain = Application && Application->MainForm() == this;
    TCloseAction action = isMain ? caFree : caHide;
    if (onClose_)
        onClose_(this, action);
    if (action == caNone)
        return;
    if (isMain) {
        Application->Terminate();
        return;
    }
    SetVisible(false);
    if (action == caFree)
        Release();
}

bool TCustomForm::DialogKey(uint16_t key, TShiftState shift)
{
    namespace vk = platform::vk;
    if (!shift.Contains(ssAlt)) {
        switch (key) {
        case vk::Tab:
            if (shift.Contains(ssCtrl))
                break;
            SelectNext(FocusedControl(), !shift.Contains(ssShift), true);
            return true;
        case vk::Left:
        case vk::Right:
        case vk::Up:
        case vk::Down:
            // Arrows move among the siblings of the focused control, tab stops or not, to
            // those that let an arrow stop there.
            if (TWinControl* focused = FocusedControl(); focused && focused->Parent()) {
                const bool forward = key == vk::Right || key == vk::Down;
                if (TWinControl* next = focused->Parent()->FindNextChild(
                        focused, forward, [](const TWinControl& sibling) { return sibling.ArrowStop(); }))
                    next->SetFocus();
                return true;
            }
            return false;
        default: break;
        }
    }
    return TWinControl::DialogKey(key, shift);
}

void TCustomForm::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        // From the queue (no device context): paint what is dirty and present it.
        if (message.WParam == 0) {
            PaintPending();
            return;
        }
        break;
    case WM_CLOSE: Close(); return;
    case CM_SHOWINGCHANGED: ShowIfStillPending(); return;
    case WM_ACTIVATE: Activate(message.WParam != 0); return;
    case WM_SIZE:
        SizeFromDesktop(int(uint32_t(message.LParam) & 0xFFFF), int(uint32_t(message.LParam) >> 16));
        return;
    case CM_RELEASE:
        // Nothing of the window may be touched after this.
        delete this;
        return;
    case WM_SYSCOMMAND:
        if (message.WParam == SC_CLOSE) {
            Close();
            return;
        }
        break;
    default: break;
    }
    TWinControl::Dispatch(message);
}
