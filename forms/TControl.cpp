#include "forms/TControl.h"

#include "forms/MessageQueue.h"
#include "forms/TCustomForm.h"
#include "forms/TPopupMenu.h"
#include "forms/TWinControl.h"
#include "platform/Desktop.h"
#include "rtl/Exception.h"
#include "rtl/NumberText.h"

F2_DEFINE_CLASS(TControl, TComponent, F2_NO_FACTORY)
{
    c.Property("Left", &TControl::Left, &TControl::SetLeft);
    c.Property("Top", &TControl::Top, &TControl::SetTop);
    c.Property("Width", &TControl::Width, &TControl::SetWidth);
    c.Property("Height", &TControl::Height, &TControl::SetHeight);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(1);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(1);
    c.Property("Color", &TControl::Color, &TControl::SetColor);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
    c.Property("Font", &TControl::Font, &TControl::SetFont);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
    c.Property("Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault);
    c.Property("Hint", &TControl::Hint, &TControl::SetHint);
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Anchors", &TControl::Anchors, &TControl::SetAnchors);
    c.Property("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu);
    c.Property("OnClick", &TControl::OnClick, &TControl::SetOnClick);
    c.Property("OnMouseDown", &TControl::OnMouseDown, &TControl::SetOnMouseDown);
    c.Property("OnMouseUp", &TControl::OnMouseUp, &TControl::SetOnMouseUp);
    c.Property("OnMouseMove", &TControl::OnMouseMove, &TControl::SetOnMouseMove);
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>())
{
    font_->SetOnChange([this](TObject*) {
        // A font set on the control itself is no longer the parent's.
        if (!takingParentFont_) {
            parentFont_ = false;
            NoteStored(sfFont);
        }
        Perform(CM_FONTCHANGED);
    });
}

TControl::~TControl()
{
    MessageQueue::ControlDestroyed(this);
    font_->SetOnChange(nullptr);
    if (parent_)
        parent_->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (width < 0)
        width = 0;
    if (height < 0)
        height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    Invalidate();
    const bool sized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
    if (sized) {
        ArrangeChildren();
        Resized();
    }
    if (!arranging_)
        PlacedByCode();
}

void TControl::TakeAnchorRules()
{
    if (!parent_)
        return;
    anchorBounds_ = BoundsRect();
    anchorParentWidth_ = parent_->ClientWidth();
    anchorParentHeight_ = parent_->ClientHeight();
}

void TControl::PlacedByCode()
{
    TakeAnchorRules();
    if (align_ != alNone && parent_)
        parent_->Realign();
}

void TControl::SetAlign(TAlign align)
{
    if (align == align_)
        return;
    align_ = align;
    if (!parent_)
        return;
    TakeAnchorRules();
    parent_->Realign();
}

void TControl::SetAnchors(TAnchors anchors)
{
    if (anchors == anchors_)
        return;
    anchors_ = anchors;
    TakeAnchorRules();
}

void TControl::Loaded()
{
    TComponent::Loaded();
    // The parent has its final size now (a window applies its stored size after reading).
    TakeAnchorRules();
    if (align_ != alNone && parent_)
        parent_->Realign();
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    if (menu == popupMenu_)
        return;
    if (popupMenu_)
        RemoveFreeNotification(popupMenu_);
    popupMenu_ = menu;
    if (menu)
        FreeNotification(menu);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component && component == popupMenu_)
        popupMenu_ = nullptr;
}

bool TControl::OpenPopupMenu(platform::Point at)
{
    if (!popupMenu_ || !popupMenu_->AutoPopup())
        return false;
    return popupMenu_->Popup(this, at);
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    if (!visible)
        Invalidate();
    visible_ = visible;
    if (visible)
        Invalidate();
    Perform(CM_VISIBLECHANGED, visible);
    // A docked control that comes or goes gives or takes the room of its siblings.
    if (align_ != alNone && parent_)
        parent_->Realign();
}

void TControl::SetEnabled(bool enabled)
{
    rtl::StoreProperty(enabled_, enabled, [this] { Perform(CM_ENABLEDCHANGED); });
}

bool TControl::Showing() const
{
    const TControl* c = this;
    for (; c->parent_; c = c->parent_)
        if (!c->visible_)
            return false;
    const auto* form = dynamic_cast<const TCustomForm*>(c);
    return form && form->Visible();
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    TWinControl* old = parent_;
    if (parent_)
        parent_->RemoveControl(this);
    if (old && align_ != alNone)
        old->Realign();
    if (parent)
        parent->InsertControl(this);
    TakeAnchorRules();
    if (parent && align_ != alNone)
        parent->Realign();
}

TCustomForm* TControl::ParentForm() const
{
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetColor(TColor color)
{
    if (color == color_) {
        parentColor_ = false;
        return;
    }
    color_ = color;
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value)
{
    if (value == parentColor_)
        return;
    parentColor_ = value;
    if (value && parent_)
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value)
{
    if (value == parentFont_)
        return;
    parentFont_ = value;
    if (value && parent_)
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetText(const std::string& text)
{
    rtl::StoreProperty(text_, text, [this] { Perform(CM_TEXTCHANGED); });
}

void TControl::SetCursor(TCursor cursor)
{
    rtl::StoreProperty(cursor_, cursor, [this] { Perform(CM_CURSORCHANGED); });
}

void TControl::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    if (value)
        AdjustSize();
}

void TControl::Invalidate()
{
    if (!parent_ || !visible_)
        return;
    if (TCustomForm* form = ParentForm())
        form->InvalidateFormRect(BoundsInForm());
}

void TControl::Update()
{
    if (TCustomForm* form = ParentForm())
        form->PaintPending();
}

intptr_t TControl::Perform(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

bool TControl::IsInputMessage(uint32_t msg)
{
    return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
           (msg >= CN_KEYDOWN && msg <= CN_SYSCHAR);
}

void TControl::WndProc(TMessage& message)
{
    // The one place where a disabled control loses its input.
    if (!enabled_ && IsInputMessage(message.Msg))
        return;
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN: MouseMessage(message, mbLeft, true, false); break;
    case WM_LBUTTONDBLCLK: MouseMessage(message, mbLeft, true, true); break;
    case WM_LBUTTONUP: MouseMessage(message, mbLeft, false, false); break;
    case WM_RBUTTONDOWN: MouseMessage(message, mbRight, true, false); break;
    case WM_RBUTTONDBLCLK: MouseMessage(message, mbRight, true, true); break;
    case WM_RBUTTONUP: MouseMessage(message, mbRight, false, false); break;
    case WM_MBUTTONDOWN: MouseMessage(message, mbMiddle, true, false); break;
    case WM_MBUTTONDBLCLK: MouseMessage(message, mbMiddle, true, true); break;
    case WM_MBUTTONUP: MouseMessage(message, mbMiddle, false, false); break;
    case WM_MOUSEMOVE:
        MouseMove(MouseShiftState(message.WParam), MouseX(message.LParam), MouseY(message.LParam));
        break;
    case CM_MOUSEENTER: MouseEnter(); break;
    case CM_MOUSELEAVE: MouseLeave(); break;
    case WM_CANCELMODE:
    case CM_CANCELMODE: CancelMode(); break;
    case CM_FONTCHANGED: FontChanged(); break;
    case CM_COLORCHANGED: ColorChanged(); break;
    case CM_TEXTCHANGED: TextChanged(); break;
    case CM_ENABLEDCHANGED: EnabledChanged(); break;
    case CM_VISIBLECHANGED: VisibleChanged(); break;
    case CM_PARENTFONTCHANGED: ParentFontChanged(); break;
    case CM_PARENTCOLORCHANGED: ParentColorChanged(); break;
    default: DefaultHandler(message); break;
    }
}

void TControl::MouseMessage(TMessage& message, TMouseButton button, bool down, bool doubleClick)
{
    TShiftState shift = MouseShiftState(message.WParam);
    if (doubleClick)
        shift.Include(ssDouble);
    const int x = MouseX(message.LParam), y = MouseY(message.LParam);
    if (button == mbLeft) {
        // Left button: the control captures the mouse while it is held, and a release over
        // the control that was pressed is a click.
        if (down) {
            SetMouseCapture(true);
            clicked_ = clickEvents_;
        } else {
            SetMouseCapture(false);
            if (clicked_) {
                clicked_ = false;
                if (ClientRect().Contains({x, y}))
                    Click();
            }
        }
    }
    if (down)
        MouseDown(button, shift, x, y);
    else
        MouseUp(button, shift, x, y);
    // The right button released over the control opens its popup menu, as classic context
    // menus open.
    if (button == mbRight && !down && ClientRect().Contains({x, y}))
        OpenPopupMenu({x, y});
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (onMouseDown_)
        onMouseDown_(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (onMouseUp_)
        onMouseUp_(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (onMouseMove_)
        onMouseMove_(this, shift, x, y);
}

void TControl::CancelMode()
{
    clicked_ = false;
    if (MouseCapture())
        SetMouseCapture(false);
}

void TControl::FontChanged()
{
    AdjustSize();
    Invalidate();
}

void TControl::ColorChanged()
{
    Invalidate();
}

void TControl::TextChanged()
{
    AdjustSize();
    Invalidate();
}

void TControl::EnabledChanged()
{
    Invalidate();
}

void TControl::VisibleChanged() {}

void TControl::ParentFontChanged()
{
    if (!parentFont_ || !parent_)
        return;
    takingParentFont_ = true;
    try {
        font_->Assign(parent_->Font());
    } catch (...) {
        takingParentFont_ = false;
        throw;
    }
    takingParentFont_ = false;
}

void TControl::ParentColorChanged()
{
    if (!parentColor_ || !parent_ || color_ == parent_->Color())
        return;
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED);
}

platform::Point TControl::ClientOrigin() const
{
    platform::Point p{0, 0};
    for (const TControl* c = this; c->parent_; c = c->parent_) {
        p.x += c->left_;
        p.y += c->top_;
    }
    return p;
}

platform::Rect TControl::BoundsInForm() const
{
    const platform::Point o = ClientOrigin();
    return {o.x, o.y, o.x + width_, o.y + height_};
}

platform::Point TControl::FormToClient(platform::Point formPoint) const
{
    const platform::Point o = ClientOrigin();
    return {formPoint.x - o.x, formPoint.y - o.y};
}

bool TControl::MouseCapture() const
{
    return MessageQueue::Capture() == this;
}

void TControl::SetMouseCapture(bool capture)
{
    if (capture)
        MessageQueue::SetCapture(this);
    else if (MouseCapture())
        MessageQueue::ReleaseCapture();
}

void TControl::Click()
{
    if (onClick_)
        onClick_(this);
}

void TControl::ChangeScale(int m, int d)
{
    if (m == d || d == 0)
        return;
    if (m > 0 && d > 0)
        scale_ = scale_ * m / d;
    const TScalingFlags all{sfLeft, sfTop, sfWidth, sfHeight, sfFont};
    const TScalingFlags flags = IsLoading() ? scalingFlags_ : all;
    const auto scaled = [&](TScalingFlag flag, int value) {
        return flags.Contains(flag) ? rtl::MulDiv(value, m, d) : value;
    };
    SetBounds(scaled(sfLeft, left_), scaled(sfTop, top_), scaled(sfWidth, width_), scaled(sfHeight, height_));
    if (!parentFont_ && flags.Contains(sfFont))
        font_->SetHeight(rtl::MulDiv(font_->Height(), m, d));
}

int TControl::PixelZoom() const
{
    // A hair of tolerance: scalings that multiply to 2 may come out as 1.9999999.
    return std::max(1, int(scale_ + 1e-9));
}

TComponent* TControl::GetParentComponent() const
{
    return parent_;
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* win = dynamic_cast<TWinControl*>(parent))
        SetParent(win);
}

TShiftState KeyboardShiftState()
{
    TShiftState shift;
    const uint32_t mods = platform::CurrentDesktop().ModifierState();
    if (mods & platform::ModShift)
        shift.Include(ssShift);
    if (mods & platform::ModCtrl)
        shift.Include(ssCtrl);
    if (mods & platform::ModAlt)
        shift.Include(ssAlt);
    return shift;
}

TShiftState MouseShiftState(uintptr_t keys)
{
    TShiftState shift = KeyboardShiftState();
    if (keys & MK_LBUTTON)
        shift.Include(ssLeft);
    if (keys & MK_RBUTTON)
        shift.Include(ssRight);
    if (keys & MK_MBUTTON)
        shift.Include(ssMiddle);
    return shift;
}

platform::Size TControl::TextSize(const TFont& font, std::string_view utf8)
{
    // One scratch context serves every measurement; measuring draws nothing.
    static platform::Raster scratch(1, 1);
    static platform::DeviceContext dc(scratch);
    dc.SetFont(font.PlatformSpec());
    platform::Size size = dc.TextExtent(utf8);
    if (utf8.empty())
        size.cy = dc.Metrics().height;
    return size;
}
