#pragma once
// A top-level window: one native window of the desktop, a back buffer of its client size in
// which every control of the form paints, the keyboard focus of its controls, and the dialog
// keys (Tab / Shift+Tab move the focus, arrows move among siblings, Enter and Escape are
// offered to the buttons).
//
// Painting: invalidation only records a dirty rectangle (the union of what was invalidated),
// kept as a few separate parts. When the queue runs dry the form gets a WM_PAINT; for each
// part it repaints the controls that meet it into the back buffer (each under a clip of its
// own rectangle and with its own origin), then presents the buffer, telling the window which
// parts changed. The buffer, its device context and the dirty parts are reused, so a
// steady-state paint allocates nothing. An expose only presents again. An open
// popup menu (PopupLayer) is painted last, over every control.
//
// Size: a bsSizeable (or bsSizeToolWin) window can be resized by the user; the desktop's new
// size arrives as WM_SIZE, is held within Constraints (and the window put back when the
// desktop allowed less), the docked and anchored children follow, then OnResize runs. Code
// sizes go through the same limits. A fixed window ignores sizes the desktop reports.
//
// Several windows: one of the program's windows is active at a time (showing, bringing to
// front or the desktop's activation makes one active and the previous one inactive); each
// keeps its own focused control. When the active window is hidden, the main window (else the
// window shown last) becomes active. Closing a window other than the main one hides it, or
// with caFree destroys it after the message being handled; closing the main window ends the
// program.
//
// Reading a layout (ReadState) wraps the common part: the stored client size and text height
// are reset first; afterwards, when the layout stored both its pixels per inch and its text
// height, the window adapts to the screen: (a) a screen of another density scales the window's
// font height by screen / stored; (b) the screen's density becomes the window's; (c) when the
// text "0" in the window's font measures other than the stored text height, every control's
// left, top, width, height (and own font) and the stored client size are scaled by
// measured / stored, rounding to nearest, the values the layout stored only. Then the stored
// client size, when positive, is applied.

#include "forms/TWinControl.h"
#include "platform/Desktop.h"
#include "platform/DeviceContext.h"

#include <array>
#include <memory>

class TIcon;
class TPopupLayer;
class TReader;
class TSizeConstraints;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
F2_ENUM_TYPE(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
             "bsSizeToolWin");
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
F2_ENUM_TYPE(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp");
using TBorderIcons = TSet<TBorderIcon>;
F2_SET_TYPE(TBorderIcons, TBorderIcon);
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
F2_ENUM_TYPE(TWindowState, "wsNormal", "wsMinimized", "wsMaximized");
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
F2_ENUM_TYPE(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
             "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter");

class TCustomForm : public TWinControl {
    F2_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // The form's client size is its size: the desktop draws the frame outside it. While a
    // layout is read the value is kept and applied after reading (see ReadState).
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    // bsSizeable and bsSizeToolWin windows can be resized by the user; the others keep the
    // size the program gives them.
    bool Resizable() const { return borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin; }
    // The smallest (and largest) client size, for code and for the user alike.
    TSizeConstraints* Constraints() const { return constraints_.get(); }
    void SetConstraints(TSizeConstraints* constraints);
    // When set, the window's OnKeyDown, OnKeyPress and OnKeyUp see every keystroke before the
    // focused control does (and may take it by setting the key to 0).
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    // Normal, minimised (iconic) or maximised. A shown window takes the state at once, a
    // hidden one when it is shown; a window shown minimised does not become the active one.
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);
    // The density the layout was made for; 0 turns the adaptation to the screen off. Values
    // from 1 to 35 are no density and are ignored.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi);
    // The height of "0" in the window's font that the layout was made for (0: unknown).
    int TextHeight() const { return textHeight_; }
    // When a layout sets it, the window keeps the desktop's font instead of the stored one.
    bool IgnoreFontProperty() const { return ignoreFontProperty_; }
    TIcon* Icon() const { return icon_.get(); }
    void SetIcon(TIcon* icon);
    // Gives the native window the form's own icon, else the application's.
    void UpdateIcon();

    // The layer in which a popup menu of this form is drawn and takes the input.
    TPopupLayer& PopupLayer() { return *popup_; }
    const TPopupLayer& PopupLayer() const { return *popup_; }

    TWinControl* ActiveControl() const;
    void SetActiveControl(TWinControl* control);
    TWinControl* FocusedControl() const;
    // Moves the focus (OnExit/focus-lost of the old control, then OnEnter/focus-gained).
    void SetFocusedControl(TWinControl* control);
    // A control that is being disabled, hidden or removed gives up the focus it or a child has.
    void DefocusControl(TControl* control);
    void ControlRemoved(TControl* control) { DefocusControl(control); }
    void SelectFirst();

    // Showing: OnShow, then the position rule, then the native window appears. A window that
    // is already shown comes to the front instead; one whose layout made it visible is shown
    // now if it is not on screen yet.
    void ShowForm();
    // Puts the shown window above the program's others and makes it the active one.
    void BringToFront();
    // Destroys the window once the message being handled is done (from its own handlers).
    void Release();
    // Asks OnCloseQuery and OnClose; closing the main form terminates the application.
    void Close();
    bool Active() const { return active_; }

    const TNotifyEvent& OnShow() const { return onShow_; }
    void SetOnShow(const TNotifyEvent& h) { onShow_ = h; }
    const TNotifyEvent& OnCreate() const { return onCreate_; }
    void SetOnCreate(const TNotifyEvent& h) { onCreate_ = h; }
    const TNotifyEvent& OnHide() const { return onHide_; }
    void SetOnHide(const TNotifyEvent& h) { onHide_ = h; }
    const TNotifyEvent& OnActivate() const { return onActivate_; }
    void SetOnActivate(const TNotifyEvent& h) { onActivate_ = h; }
    const TCloseEvent& OnClose() const { return onClose_; }
    void SetOnClose(const TCloseEvent& h) { onClose_ = h; }
    const TCloseQueryEvent& OnCloseQuery() const { return onCloseQuery_; }
    void SetOnCloseQuery(const TCloseQueryEvent& h) { onCloseQuery_ = h; }
    // After the client size changed (by code or by the user) and the children followed it.
    const TNotifyEvent& OnResize() const { return onResize_; }
    void SetOnResize(const TNotifyEvent& h) { onResize_ = h; }

    // The desktop window, made on first need.
    platform::NativeWindow& NativeWindow();
    bool HasNativeWindow() const { return native_ != nullptr; }
    const platform::Raster& BackBuffer() const { return backBuffer_; }

    // Painting (see the top of this file).
    void InvalidateFormRect(const platform::Rect& rect);
    bool NeedsPaint() const;
    const platform::Rect& DirtyRect() const { return dirty_; }
    void PaintPending();
    void Present();

    void Invalidate() override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetText(const std::string& text) override;
    void Dispatch(TMessage& message) override;
    void Loaded() override;
    void ReadState(TReader& reader) override;
    void DefineProperties(TFiler& filer) override;
    bool HasParent() const override { return false; }

    // Every form that exists, in creation order (the desktop's list of top-level windows).
    static const std::vector<TCustomForm*>& Forms();
    static TCustomForm* FindByNativeId(uint64_t id);
    static TCustomForm* ActiveForm();

protected:
    virtual void DoShow();
    virtual void DoCreate();
    bool DialogKey(uint16_t key, TShiftState shift) override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void Resized() override;
    void PaintWindow(platform::DeviceContext&) override {}

private:
    void ShowNative();
    void ShowIfStillPending();
    void Activate(bool active);
    // The active window is going away: activation passes to another shown window.
    void PassActivation();
    void AdaptToScreen();
    void ApplyMinimumSize();
    void SizeFromDesktop(int width, int height);

    std::unique_ptr<platform::NativeWindow> native_;
    platform::Raster backBuffer_;
    std::unique_ptr<platform::DeviceContext> dc_;
    platform::Rect dirty_;   // the bounding box of the parts below
    // The dirty area as a few separate rectangles, so that two far-apart controls that change
    // together repaint (and present) themselves, not everything between them. Parts that meet
    // merge; when there are too many, the bounding box becomes the only part.
    void AddDirtyPart(const platform::Rect& rect);
    static constexpr int kMaxDirtyParts = 4;
    std::array<platform::Rect, kMaxDirtyParts> dirtyParts_{};
    int dirtyPartCount_ = 0;
    HWND focused_ = 0;
    HWND activeControl_ = 0;
    bool active_ = false;
    bool shownOnce_ = false;
    bool keyPreview_ = false;
    bool sizingFromDesktop_ = false;   // the desktop already has the size being set
    // Made visible while its layout was read: the showing waits until the window is whole.
    bool showPending_ = false;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    int pixelsPerInch_ = 96;
    int textHeight_ = 0;
    bool ignoreFontProperty_ = false;
    int storedClientWidth_ = 0;    // stored by the layout being read
    int storedClientHeight_ = 0;
    std::unique_ptr<TIcon> icon_;
    std::unique_ptr<TSizeConstraints> constraints_;
    std::unique_ptr<TPopupLayer> popup_;
    TNotifyEvent onShow_;
    TNotifyEvent onCreate_;
    TNotifyEvent onHide_;
    TNotifyEvent onActivate_;
    TCloseEvent onClose_;
    TCloseQueryEvent onCloseQuery_;
    TNotifyEvent onResize_;
};
