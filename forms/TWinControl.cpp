#include "forms/TWinControl.h"

#include "forms/HandleRegistry.h"
#include "forms/MessageQueue.h"
#include "forms/TCustomForm.h"
#include "platform/DeviceContext.h"
#include "platform/Desktop.h"
#include "rtl/AnsiCodePage.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

#include <algorithm>
#include <climits>

F2_DEFINE_CLASS(TWinControl, TControl, F2_NO_FACTORY)
{
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
    c.Property("OnEnter", &TWinControl::OnEnter, &TWinControl::SetOnEnter);
    c.Property("OnExit", &TWinControl::OnExit, &TWinControl::SetOnExit);
    c.Property("OnKeyDown", &TWinControl::OnKeyDown, &TWinControl::SetOnKeyDown);
    c.Property("OnKeyUp", &TWinControl::OnKeyUp, &TWinControl::SetOnKeyUp);
    c.Property("OnKeyPress", &TWinControl::OnKeyPress, &TWinControl::SetOnKeyPress);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), handle_(HandleRegistry::Register(this)) {}

TWinControl::~TWinControl()
{
    HandleRegistry::Unregister(handle_);
    // Children owned by someone else outlive us unparented rather than pointing at freed memory.
    for (TControl* child : controls_)
        child->parent_ = nullptr;
    controls_.clear();
    tabList_.clear();
}

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return controls_[size_t(index)];
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* win = dynamic_cast<TWinControl*>(control))
        tabList_.push_back(win);
    if (control->ParentFont())
        control->Perform(CM_PARENTFONTCHANGED);
    if (control->ParentColor())
        control->Perform(CM_PARENTCOLORCHANGED);
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control)
{
    control->Invalidate();
    if (TCustomForm* form = ParentForm())
        form->ControlRemoved(control);
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
    control->parent_ = nullptr;
}

TControl* TWinControl::ControlAtPos(platform::Point p, bool allowDisabled, bool allowWinControls) const
{
    auto hit = [&](TControl* c) {
        return c->Visible() && (allowDisabled || c->Enabled()) && c->BoundsRect().Contains(p);
    };
    if (allowWinControls)
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
            if (dynamic_cast<TWinControl*>(*it) && hit(*it))
                return *it;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (!dynamic_cast<TWinControl*>(*it) && hit(*it))
            return *it;
    return nullptr;
}

int TWinControl::TabOrder() const
{
    if (!Parent())
        return pendingTabOrder_;
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int order)
{
    // While a layout is read the siblings named by later tab orders may not exist yet; the
    // parent sorts its tab list once everything is there (Loaded).
    if (IsLoading() || !Parent()) {
        pendingTabOrder_ = order;
        return;
    }
    UpdateTabOrder(order);
}

void TWinControl::UpdateTabOrder(int order)
{
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    const int count = int(list.size());
    order = std::clamp(order, 0, count - 1);
    const int current = int(it - list.begin());
    if (order == current)
        return;
    list.erase(it);
    list.insert(list.begin() + order, this);
}

void TWinControl::FixupTabList()
{
    std::stable_sort(tabList_.begin(), tabList_.end(), [](TWinControl* a, TWinControl* b) {
        const int ka = a->pendingTabOrder_ >= 0 ? a->pendingTabOrder_ : INT_MAX;
        const int kb = b->pendingTabOrder_ >= 0 ? b->pendingTabOrder_ : INT_MAX;
        return ka < kb;
    });
    for (TWinControl* child : tabList_)
        child->pendingTabOrder_ = -1;
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    FixupTabList();
    Realign();
}

void TWinControl::Realign()
{
    if (IsLoading() || aligning_)
        return;
    std::vector<ChildPlacement> placements;
    std::vector<TControl*> followers;
    for (TControl* child : controls_) {
        // A child still being read has no final bounds or anchor rules yet; its Loaded asks again.
        if (child->IsLoading() || !ChildLayout::Follows(child->align_, child->anchors_))
            continue;
        followers.push_back(child);
        placements.push_back({child->align_, child->anchors_, child->visible_, child->BoundsRect(),
                              child->anchorBounds_, child->anchorParentWidth_, child->anchorParentHeight_});
    }
    if (followers.empty())
        return;
    ChildLayout::Arrange(ClientRect(), placements);
    aligning_ = true;
    try {
        for (size_t i = 0; i < followers.size(); ++i) {
            const platform::Rect& r = placements[i].bounds;
            followers[i]->arranging_ = true;
            followers[i]->SetBounds(r.left, r.top, r.Width(), r.Height());
            followers[i]->arranging_ = false;
        }
    } catch (...) {
        for (TControl* child : followers)
            child->arranging_ = false;
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

void TWinControl::SetTabStop(bool value)
{
    if (value == tabStop_)
        return;
    tabStop_ = value;
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

bool TWinControl::CanFocus() const
{
    const TCustomForm* form = ParentForm();
    if (!form || !form->Visible() || !form->Enabled())
        return false;
    for (const TControl* c = this; c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = ParentForm();
    if (!CanFocus() || !form)
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    form->SetFocusedControl(this == form ? nullptr : this);
}

bool TWinControl::Focused() const
{
    const TCustomForm* form = ParentForm();
    return form && form != this && form->FocusedControl() == this;
}

namespace {

// The entry after (or before) current in list, wrapping around, that accept takes; a current
// that is not in the list starts the search at the list's end (or start).
TWinControl* NextInCycle(const std::vector<TWinControl*>& list, const TWinControl* current, bool forward,
                         const std::function<bool(const TWinControl&)>& accept)
{
    const int count = int(list.size());
    if (count == 0)
        return nullptr;
    auto found = std::find(list.begin(), list.end(), current);
    const int start = found != list.end() ? int(found - list.begin()) : (forward ? count - 1 : 0);
    int i = start;
    do {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* candidate = list[size_t(i)];
        if (candidate != current && accept(*candidate))
            return candidate;
    } while (i != start);
    return nullptr;
}

} // namespace

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    return NextInCycle(list, current, forward, [checkTabStop](const TWinControl& candidate) {
        // Containers are passed through, not focused: their children follow them in the list.
        const bool eligible = checkTabStop ? candidate.TabStop() : candidate.ControlCount() == 0;
        return eligible && candidate.CanFocus();
    });
}

TWinControl* TWinControl::FindNextChild(const TWinControl* current, bool forward,
                                        const std::function<bool(const TWinControl&)>& accept) const
{
    return NextInCycle(tabList_, current, forward, [&accept](const TWinControl& candidate) {
        return candidate.CanFocus() && accept(candidate);
    });
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop))
        next->SetFocus();
}

void TWinControl::WndProc(TMessage& message)
{
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST && Enabled() && ForwardToGraphicChild(message))
        return;
    TControl::WndProc(message);
}

bool TWinControl::ForwardToGraphicChild(TMessage& message)
{
    // A graphic control has no window: its mouse messages arrive at its parent, which passes
    // them on (to the capturing child, else to the enabled graphic child under the pointer).
    TControl* capture = MessageQueue::Capture();
    TControl* target = nullptr;
    const int x = MouseX(message.LParam), y = MouseY(message.LParam);
    if (capture && capture != this) {
        if (capture->Parent() != this || dynamic_cast<TWinControl*>(capture))
            return false;
        target = capture;
    } else if (!capture) {
        target = ControlAtPos({x, y}, false, false);
    }
    if (!target)
        return false;
    message.Result = target->Perform(message.Msg, message.WParam,
                                     MakeMouseLParam(x - target->Left(), y - target->Top()));
    return true;
}

void TWinControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
        message.Result = 1;
        if (DoKeyDown(message))
            return;
        const auto key = uint16_t(message.WParam);
        intptr_t mask = 0;
        switch (key) {
        case platform::vk::Tab: mask = DLGC_WANTTAB; break;
        case platform::vk::Left:
        case platform::vk::Right:
        case platform::vk::Up:
        case platform::vk::Down: mask = DLGC_WANTARROWS; break;
        case platform::vk::Return:
        case platform::vk::Escape: mask = DLGC_WANTALLKEYS; break;
        default: break;
        }
        if (message.Msg == CN_KEYDOWN && mask != 0 && (Perform(WM_GETDLGCODE) & mask) == 0) {
            TCustomForm* form = ParentForm();
            if (form && form->Perform(CM_DIALOGKEY, key, message.LParam) != 0)
                return;
        }
        message.Result = 0;
        return;
    }
    case CN_KEYUP:
    case CN_SYSKEYUP: {
        message.Result = 1;
        auto key = uint16_t(message.WParam);
        if (TWinControl* form = PreviewForm())
            form->KeyUp(key, KeyboardShiftState());
        if (key != 0)
            KeyUp(key, KeyboardShiftState());
        if (key == 0)
            return;
        message.WParam = key;
        message.Result = 0;
        return;
    }
    case CN_CHAR: {
        message.Result = 1;
        TCustomForm* form = ParentForm();
        if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0 && form &&
            form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0)
            return;
        message.Result = 0;
        return;
    }
    case CN_SYSCHAR: message.Result = 0; return;
    case WM_KEYDOWN: {
        const auto key = uint16_t(message.WParam);
        const TShiftState shift = KeyboardShiftState();
        // The context-menu key and Shift+F10 open the control's popup menu, when it has one.
        const bool menuKey = key == platform::vk::Apps || (key == platform::vk::F10 && shift == TShiftState{ssShift});
        if (menuKey && OpenPopupMenu({Width() / 2, Height() / 2}))
            return;
        KeyDownDefault(key, shift);
        return;
    }
    case WM_SYSKEYDOWN:
        // Alt+F4 that nobody took closes the window, as the desktop's default does.
        if (message.WParam == platform::vk::F4)
            if (TCustomForm* form = ParentForm())
                form->Close();
        return;
    case WM_KEYUP: KeyUpDefault(uint16_t(message.WParam), KeyboardShiftState()); return;
    case WM_CHAR:
        if (!DoKeyPress(message))
            KeyChar(uint32_t(message.WParam));
        return;
    case WM_GETDLGCODE: message.Result = DialogCode(); return;
    case CM_DIALOGKEY:
        message.Result = DialogKey(uint16_t(message.WParam), KeyboardShiftState()) ? 1 : 0;
        return;
    case CM_DIALOGCHAR: message.Result = DialogChar(uint32_t(message.WParam)) ? 1 : 0; return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case WM_SETFOCUS: FocusGained(); return;
    case WM_KILLFOCUS: FocusLost(); return;
    case WM_ERASEBKGND:
        EraseBackground(*reinterpret_cast<platform::DeviceContext*>(message.WParam));
        message.Result = 1;
        return;
    case WM_PAINT:
        if (message.WParam)
            PaintWindow(*reinterpret_cast<platform::DeviceContext*>(message.WParam));
        return;
    default: TControl::Dispatch(message); return;
    }
}

TWinControl* TWinControl::PreviewForm() const
{
    TCustomForm* form = ParentForm();
    return form && form != this && form->KeyPreview() ? form : nullptr;
}

bool TWinControl::DoKeyDown(TMessage& message)
{
    auto key = uint16_t(message.WParam);
    if (TWinControl* form = PreviewForm()) {
        form->KeyDown(key, KeyboardShiftState());
        if (key == 0)
            return true;
    }
    KeyDown(key, KeyboardShiftState());
    if (key == 0)
        return true;
    message.WParam = key;
    return false;
}

bool TWinControl::DoKeyPress(TMessage& message)
{
    const auto codePoint = uint32_t(message.WParam);
    const char original = rtl::CodePointToAnsi(codePoint);
    char key = original;
    if (TWinControl* form = PreviewForm())
        form->KeyPress(key);
    if (key != 0)
        KeyPress(key);
    if (key == 0)
        return true;
    // A handler that replaced the character (a "." made ","): the control gets the new one.
    if (key != original)
        message.WParam = static_cast<unsigned char>(key) < 0x80 ? uintptr_t(key) : codePoint;
    return false;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift)
{
    if (OnKeyDown())
        OnKeyDown()(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift)
{
    if (OnKeyUp())
        OnKeyUp()(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    if (OnKeyPress())
        OnKeyPress()(this, key);
}

void TWinControl::KeyDownDefault(uint16_t, TShiftState) {}

void TWinControl::DoEnter()
{
    if (onEnter_)
        onEnter_(this);
}

void TWinControl::DoExit()
{
    if (onExit_)
        onExit_(this);
}

bool TWinControl::DialogKey(uint16_t key, TShiftState)
{
    // Offered to every child until one uses it (a default or cancel button).
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i]->Perform(CM_DIALOGKEY, key) != 0)
            return true;
    return false;
}

bool TWinControl::DialogChar(uint32_t ch)
{
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i]->Perform(CM_DIALOGCHAR, ch) != 0)
            return true;
    return false;
}

void TWinControl::EraseBackground(platform::DeviceContext& dc)
{
    dc.FillRect(ClientRect(), platform::BrushSpec{ColorToPixel(Color()), platform::BrushStyle::Solid});
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (size_t i = 0; i < controls_.size(); ++i)
        controls_[i]->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged()
{
    TControl::ColorChanged();
    for (size_t i = 0; i < controls_.size(); ++i)
        controls_[i]->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::EnabledChanged()
{
    TControl::EnabledChanged();
    if (!Enabled())
        if (TCustomForm* form = ParentForm(); form && form != this)
            form->DefocusControl(this);
}

void TWinControl::VisibleChanged()
{
    TControl::VisibleChanged();
    if (!Visible())
        if (TCustomForm* form = ParentForm(); form && form != this)
            form->DefocusControl(this);
}

void TWinControl::ChangeScale(int m, int d)
{
    if (m == d || d == 0)
        return;
    for (TControl* child : controls_)
        child->ChangeScale(m, d);
    TControl::ChangeScale(m, d);
}

void TWinControl::PaintTree(platform::DeviceContext& dc, const platform::Rect& area)
{
    const platform::Rect mine = BoundsInForm().Intersect(area);
    if (mine.IsEmpty())
        return;
    PaintSelf(dc, mine);
    // Graphic children first: windowed children paint over them. Later siblings on top.
    for (TControl* child : controls_) {
        if (!child->Visible() || dynamic_cast<TWinControl*>(child))
            continue;
        const platform::Rect r = child->BoundsInForm().Intersect(mine);
        if (r.IsEmpty())
            continue;
        const platform::Point o = child->ClientOrigin();
        dc.RemoveClip();
        dc.SetOrigin(o);
        dc.IntersectClip(r.Offset(-o.x, -o.y));
        child->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&dc));
    }
    for (TControl* child : controls_)
        if (child->Visible())
            if (auto* win = dynamic_cast<TWinControl*>(child))
                win->PaintTree(dc, mine);
}

void TWinControl::PaintSelf(platform::DeviceContext& dc, const platform::Rect& area)
{
    const platform::Point o = ClientOrigin();
    dc.RemoveClip();
    dc.SetOrigin(o);
    dc.IntersectClip(area.Offset(-o.x, -o.y));
    Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(&dc));
    Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&dc));
}

void TWinControl::SetChildOrder(TComponent* child, int order)
{
    const auto it = std::find(controls_.begin(), controls_.end(), child);
    if (it == controls_.end())
        return;
    TControl* control = *it;
    controls_.erase(it);
    const int place = std::clamp(order, 0, int(controls_.size()));
    controls_.insert(controls_.begin() + place, control);
    control->Invalidate();
}
