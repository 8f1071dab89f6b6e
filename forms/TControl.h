#pragma once
// The base of every control: bounds relative to the parent's client area, visibility, enabled
// state, parent, colour and font (taken from the parent while ParentColor/ParentFont hold),
// caption text, cursor and the mouse events. Messages reach a control through Perform/WndProc;
// one switch in Dispatch turns each into a typed virtual handler, and WndProc drops mouse and
// keyboard input for a disabled control before that switch.

#include "forms/ChildLayout.h"
#include "forms/Events.h"
#include "forms/Messages.h"
#include "forms/TColor.h"
#include "forms/TComponent.h"
#include "forms/TCursor.h"
#include "forms/TFont.h"
#include "platform/DeviceContext.h"
#include "platform/Raster.h"
#include "rtl/StoreProperty.h"

#include <memory>
#include <string>
#include <string_view>

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
F2_ENUM_TYPE(TAlignment, "taLeftJustify", "taRightJustify", "taCenter");

// The values of a control that its layout stored. A window that adapts a layout to the screen
// while it is loading scales only these; afterwards every value is scaled.
enum TScalingFlag { sfLeft, sfTop, sfWidth, sfHeight, sfFont };
using TScalingFlags = TSet<TScalingFlag>;

class TControl : public TComponent {
    F2_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { NoteStored(sfLeft); SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { NoteStored(sfTop); SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { NoteStored(sfWidth); SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { NoteStored(sfHeight); SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    platform::Rect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual platform::Rect ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Visible with every parent up to a visible form.
    bool Showing() const;

    // Docking to a side of the parent and the edges that follow the parent's size (see
    // ChildLayout). Defaults: no alignment, anchored left and top (the control stays put).
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);

    // The menu a right-click (or the context-menu key) opens over the control; not owned.
    TPopupMenu* GetPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    TCustomForm* ParentForm() const;   // the form this control sits on (itself for a form)

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* font) { font_->Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    // Caption and Text are the same string (an edit box's text, a label's caption).
    virtual std::string GetText() const { return text_; }
    virtual void SetText(const std::string& text);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& text) { SetText(text); }

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }

    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& handler) { onClick_ = handler; }
    const TMouseEvent& OnMouseDown() const { return onMouseDown_; }
    void SetOnMouseDown(const TMouseEvent& handler) { onMouseDown_ = handler; }
    const TMouseEvent& OnMouseUp() const { return onMouseUp_; }
    void SetOnMouseUp(const TMouseEvent& handler) { onMouseUp_ = handler; }
    const TMouseMoveEvent& OnMouseMove() const { return onMouseMove_; }
    void SetOnMouseMove(const TMouseMoveEvent& handler) { onMouseMove_ = handler; }

    // Marks the control's rectangle for the next paint of its form.
    virtual void Invalidate();
    // Paints what is pending on the form now instead of when the queue runs dry.
    void Update();
    void Repaint() { Invalidate(); Update(); }

    intptr_t Perform(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    virtual void WndProc(TMessage& message);
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage&) {}

    // Coordinates: the control's client (0,0) in its form's client coordinates, and a point of
    // the form's client area in this control's client coordinates.
    platform::Point ClientOrigin() const;
    platform::Rect BoundsInForm() const;
    platform::Point FormToClient(platform::Point formPoint) const;

    bool MouseCapture() const;
    void SetMouseCapture(bool capture);

    virtual void Click();
    // Multiplies left, top, width and height by m/d, rounding to nearest, and the font's
    // height when the control has a font of its own. While loading, only the values the
    // layout stored (ScalingFlags) are scaled.
    virtual void ChangeScale(int m, int d);
    // How many screen pixels a pixel of a fixed-size drawing (a picture, a radio circle) takes
    // each way: the whole number of times the scalings so far hold (2 at twice the density, 1
    // at one and a half), so that such drawings grow by whole pixels and stay sharp.
    int PixelZoom() const;
    TScalingFlags ScalingFlags() const { return scalingFlags_; }
    void SetScalingFlags(TScalingFlags flags) { scalingFlags_ = flags; }
    bool HasParent() const override { return true; }
    void Loaded() override;
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    // The size of text in a font (advance width, cell height), measured without a canvas.
    static platform::Size TextSize(const TFont& font, std::string_view utf8);

    // Inputs reach only enabled controls; answers also for messages a subclass adds.
    static bool IsInputMessage(uint32_t msg);

protected:
    // Typed handlers of Dispatch.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void CancelMode();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    // Resizes to the content when AutoSize is on (labels, images).
    virtual void AdjustSize() {}
    // Called after the bounds changed.
    virtual void Resized() {}
    // Called when the size changed, before Resized: a container places its children again.
    virtual void ArrangeChildren() {}
    // Opens the popup menu at a point of the client area; false when there is none to open.
    bool OpenPopupMenu(platform::Point at);
    void Notification(TComponent* component, TOperation operation) override;

    void SetTextSilently(const std::string& text) { text_ = text; }
    void SetVisibleSilently(bool visible) { visible_ = visible; }
    // Off for controls that decide themselves what a click is (buttons).
    void SetClickEvents(bool value) { clickEvents_ = value; }

    // A setter of something the control shows: the value already held changes nothing; a new
    // one is stored and the control repaints.
    template <class T>
    void Store(T& field, const T& value) { rtl::StoreProperty(field, value, [this] { Invalidate(); }); }

    // Fixed-height defaults of subclasses, without invalidation.
    void InitBounds(int width, int height) { width_ = width; height_ = height; }

private:
    friend class TWinControl;
    // Records that a layout being read sets this value.
    void NoteStored(TScalingFlag flag)
    {
        if (ComponentState().Contains(csReading))
            scalingFlags_.Include(flag);
    }
    void MouseMessage(TMessage& message, TMouseButton button, bool down, bool doubleClick);
    // Remembers the bounds and the parent's client size that the anchors work from.
    void TakeAnchorRules();
    // After code placed the control: new anchor rules, and a docked control's siblings move.
    void PlacedByCode();

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TWinControl* parent_ = nullptr;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool takingParentFont_ = false;
    std::string text_;
    TCursor cursor_ = crDefault;
    bool autoSize_ = false;
    double scale_ = 1.0;   // the product of the scalings so far
    TScalingFlags scalingFlags_;
    TAlign align_ = alNone;
    TAnchors anchors_ = kDefaultAnchors;
    platform::Rect anchorBounds_;
    int anchorParentWidth_ = 0;
    int anchorParentHeight_ = 0;
    bool arranging_ = false;          // the parent is placing this control
    TPopupMenu* popupMenu_ = nullptr;
    bool clickEvents_ = true;
    bool clicked_ = false;
    std::string hint_;
    TNotifyEvent onClick_;
    TMouseEvent onMouseDown_;
    TMouseEvent onMouseUp_;
    TMouseMoveEvent onMouseMove_;
};

// The shift state of an input event: modifiers from the desktop, mouse keys from WParam.
TShiftState KeyboardShiftState();
TShiftState MouseShiftState(uintptr_t keys);
