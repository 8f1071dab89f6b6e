#include "forms/TPopupLayer.h"

#include "forms/HandleRegistry.h"
#include "forms/TCustomForm.h"

using platform::Point;
using platform::Rect;

namespace {

bool IsMouse(uint32_t msg)
{
    return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST;
}

bool IsButtonDown(uint32_t msg)
{
    return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDOWN ||
           msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDOWN || msg == WM_MBUTTONDBLCLK;
}

// The button-up that ends the press a button-down message starts.
uint32_t ReleaseOf(uint32_t down)
{
    switch (down) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return WM_LBUTTONUP;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return WM_RBUTTONUP;
    default: return WM_MBUTTONUP;
    }
}

} // namespace

void TPopupLayer::Open(PopupMenu menu, Point at, std::function<void(int)> chosen, const void* owner)
{
    Open(std::move(menu), at, nullptr);
    chosen_ = std::move(chosen);
    owner_ = owner;
}

void TPopupLayer::Show(PopupContent& content, TWinControl* target)
{
    showing_ = &content;
    target_ = target ? target->Handle() : 0;
    chosen_ = nullptr;
    owner_ = nullptr;
    pendingRelease_ = 0;
}

void TPopupLayer::OpenList(DropDownList list, TWinControl* target)
{
    Close();
    list_ = std::move(list);
    Show(list_, target);
    form_.InvalidateFormRect(list_.Bounds());
}

void TPopupLayer::Forget(const void* owner)
{
    if (!owner || owner != owner_)
        return;
    chosen_ = nullptr;
    owner_ = nullptr;
    Close();
}

bool TPopupLayer::IsOpenFor(const TWinControl* control) const
{
    return IsOpen() && control && target_ != 0 && target_ == control->Handle();
}

void TPopupLayer::Open(PopupMenu menu, Point at, TWinControl* target)
{
    Close();
    menu_ = std::move(menu);
    Show(menu_, target);
    const TFont& font = font_;
    const TextMeasure measure = [&font](std::string_view text) { return TControl::TextSize(font, text).cx; };
    menu_.Open(at, Rect{0, 0, form_.Width(), form_.Height()}, measure, TControl::TextSize(font_, "0").cy);
    form_.InvalidateFormRect(menu_.Bounds());
}

void TPopupLayer::Close()
{
    if (!Content().IsOpen())
        return;
    Content().Close();
    form_.InvalidateFormRect(Content().Bounds());
}

bool TPopupLayer::TakeRelease(const TMsg& msg)
{
    if (pendingRelease_ == 0)
        return false;
    if (IsMouse(pendingRelease_)) {
        if (msg.message != pendingRelease_)
            return false;
    } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        return false;
    } else if (msg.message != pendingRelease_ || msg.wParam != pendingKey_) {
        // Another key first: the owed key-up no longer belongs to the menu.
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
            pendingRelease_ = 0;
        return false;
    }
    pendingRelease_ = 0;
    return true;
}

bool TPopupLayer::HandleInput(const TMsg& msg)
{
    PopupContent& popup = Content();
    if (!popup.IsOpen())
        return TakeRelease(msg);
    const Rect before = popup.Bounds();
    if (IsMouse(msg.message)) {
        TWinControl* window = HandleRegistry::Find(msg.hwnd);
        const Point origin = window ? window->ClientOrigin() : Point{0, 0};
        const Point p{origin.x + MouseX(msg.lParam), origin.y + MouseY(msg.lParam)};
        PopupResult result;
        if (msg.message == WM_MOUSEMOVE) {
            // While a menu is open the pointer is the plain arrow, whatever lies beneath.
            if (form_.HasNativeWindow())
                form_.NativeWindow().SetCursor(platform::Cursor::Arrow);
            result = popup.MouseMove(p);
        } else if (IsButtonDown(msg.message)) {
            result = popup.MouseDown(p);
            if (!popup.IsOpen()) {
                pendingRelease_ = ReleaseOf(msg.message);
                pendingKey_ = 0;
            }
        } else if (msg.message == WM_MOUSEWHEEL) {
            result = popup.Wheel(int16_t(uint16_t(msg.wParam >> 16)) / 120);
        } else {
            result = popup.MouseUp(p);
        }
        Apply(result, before);
        return true;
    }
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const PopupResult result = popup.Key(uint16_t(msg.wParam), msg.message == WM_SYSKEYDOWN);
        if (!popup.IsOpen()) {
            pendingRelease_ = msg.message == WM_KEYDOWN ? WM_KEYUP : WM_SYSKEYUP;
            pendingKey_ = msg.wParam;
        }
        Apply(result, before);
        return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR: return true;
    default: return false;
    }
}

void TPopupLayer::Apply(const PopupResult& result, const Rect& before)
{
    if (result.repaint)
        form_.InvalidateFormRect(before);
    if (!result.chosen)
        return;
    if (chosen_) {
        // Taken out first: the handler may open another popup in this layer.
        const std::function<void(int)> chosen = std::move(chosen_);
        chosen_ = nullptr;
        owner_ = nullptr;
        target_ = 0;
        chosen(*result.chosen);
        return;
    }
    // The control may have gone, or been disabled, while the menu was open.
    TWinControl* target = HandleRegistry::Find(target_);
    target_ = 0;
    if (target && target->Enabled())
        target->Perform(WM_COMMAND, uintptr_t(*result.chosen));
}

void TPopupLayer::Paint(platform::DeviceContext& dc, const Rect& area) const
{
    const PopupContent& popup = Content();
    if (!popup.IsOpen() || popup.Bounds().Intersect(area).IsEmpty())
        return;
    dc.RemoveClip();
    dc.SetOrigin({0, 0});
    dc.IntersectClip(area);
    // A menu is drawn in the menu font; a list selects the font of its box itself.
    dc.SetFont(font_.PlatformSpec());
    popup.Paint(dc, ClassicPalette::System());
}
