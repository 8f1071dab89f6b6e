#include "forms/TComboBox.h"

#include "forms/ClassicLook.h"
#include "forms/DropDownList.h"
#include "forms/EditLine.h"
#include "forms/TCustomForm.h"
#include "forms/TPopupLayer.h"
#include "forms/TStringList.h"
#include "platform/Desktop.h"
#include "rtl/Utf8.h"
#include "rtl/Text.h"

#include <algorithm>

F2_DEFINE_CLASS(TCustomComboBox, TCustomControl, F2_NO_FACTORY) {}

F2_DEFINE_CLASS(TComboBox, TCustomComboBox, F2_FACTORY(TComboBox))
{
    c.Property("Style", &TComboBox::Style, &TComboBox::SetStyle).Default(csDropDown);
    c.Property("Items", &TComboBox::Items, &TComboBox::SetItems);
    c.Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex).Default(-1);
    c.Property("Text", &TComboBox::GetText, &TComboBox::SetText);
    c.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount).Default(8);
    c.Property("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength).Default(0);
    c.Property("OnChange", &TComboBox::OnChange, &TComboBox::SetOnChange);
    c.Property("OnSelect", &TComboBox::OnSelect, &TComboBox::SetOnSelect);
    c.Property("OnDropDown", &TComboBox::OnDropDown, &TComboBox::SetOnDropDown);
}

namespace {

constexpr int kEdge = 2;   // the sunken edge

// Folds the letters a first-letter search compares: ASCII and Cyrillic capitals to small.
char32_t FoldCase(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if (c == 0x401)
        return 0x451;
    return c;
}

char32_t FirstCodePoint(const std::string& text)
{
    size_t pos = 0;
    return text.empty() ? 0 : rtl::utf8::Next(text, pos);
}

// The classic arrow of a drop-down button: a triangle 7 pixels wide and 4 high, pointing down.
void DrawArrow(platform::DeviceContext& dc, int x, int y, platform::Pixel color)
{
    for (int row = 0; row < 4; ++row)
        dc.FillRect({x + row, y + row, x + 7 - row, y + row + 1}, platform::BrushSpec{color, platform::BrushStyle::Solid});
}

} // namespace

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TCustomControl(owner), items_(std::make_unique<TStringList>())
{
    InitBounds(145, 21);
    SetTabStop(true);
    SetColor(clWindow);
    items_->SetOnChange([this](TObject*) { ItemsChanged(); });
    buffer_.SetClipboard(EditLine::DesktopClipboard());
}

TCustomComboBox::~TCustomComboBox()
{
    items_->SetOnChange(nullptr);
    CloseList();
}

TStrings* TCustomComboBox::Items() const
{
    return items_.get();
}

void TCustomComboBox::SetItems(TStrings* items)
{
    items_->Assign(items);
}

void TCustomComboBox::SetStyle(TComboBoxStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    // A box that becomes list-only shows its item or nothing.
    if (style_ == csDropDownList && !IsLoading())
        ApplyIndex(itemIndex_);
    Invalidate();
}

void TCustomComboBox::SetDropDownCount(int count)
{
    dropDownCount_ = std::max(count, 1);
}

void TCustomComboBox::SetItemIndex(int index)
{
    if (IsLoading()) {
        storedIndex_ = index;
        indexStored_ = true;
        return;
    }
    if (index < -1 || index >= items_->Count())
        index = -1;
    if (index == itemIndex_ && GetText() == (index >= 0 ? items_->Get(index) : std::string()))
        return;
    ApplyIndex(index);
}

void TCustomComboBox::SetText(const std::string& text)
{
    if (IsLoading()) {
        buffer_.SetText(text);
        return;
    }
    if (style_ == csDropDownList) {
        const int index = MatchIndex(text);
        if (index >= 0 && index != itemIndex_)
            ApplyIndex(index);
        return;
    }
    if (!buffer_.SetText(text))
        return;
    itemIndex_ = MatchIndex(text);
    ScrollCaret();
    Invalidate();
}

void TCustomComboBox::Loaded()
{
    TCustomControl::Loaded();
    if (indexStored_) {
        indexStored_ = false;
        ApplyIndex(storedIndex_ >= 0 && storedIndex_ < items_->Count() ? storedIndex_ : -1);
    } else if (style_ == csDropDownList) {
        ApplyIndex(MatchIndex(GetText()));
    } else {
        itemIndex_ = MatchIndex(GetText());
    }
}

int TCustomComboBox::MatchIndex(const std::string& text) const
{
    for (int i = 0; i < items_->Count(); ++i)
        if (rtl::SameText(items_->Get(i), text))
            return i;
    return -1;
}

void TCustomComboBox::ApplyIndex(int index)
{
    itemIndex_ = index;
    buffer_.SetText(index >= 0 ? items_->Get(index) : std::string());
    if (style_ == csDropDown && Focused())
        buffer_.SelectAll();
    ScrollCaret();
    Invalidate();
}

void TCustomComboBox::SelectByUser(int index, bool fromList)
{
    if (index < 0 || index >= items_->Count())
        return;
    const bool changed = index != itemIndex_ || GetText() != items_->Get(index);
    if (!changed && !fromList)
        return;
    ApplyIndex(index);
    if (changed)
        Change();
    Select();
}

void TCustomComboBox::ItemsChanged()
{
    if (IsLoading())
        return;
    CloseList();
    if (style_ == csDropDownList)
        ApplyIndex(itemIndex_ < items_->Count() ? itemIndex_ : -1);
    else
        itemIndex_ = MatchIndex(GetText());
    Invalidate();
}

void TCustomComboBox::Change()
{
    if (onChange_)
        onChange_(this);
}

void TCustomComboBox::Select()
{
    if (onSelect_)
        onSelect_(this);
}

// ---- the list ---------------------------------------------------------------------------------

bool TCustomComboBox::DroppedDown() const
{
    const TCustomForm* form = ParentForm();
    return form && form->PopupLayer().IsListOpen() && form->PopupLayer().IsOpenFor(this);
}

void TCustomComboBox::SetDroppedDown(bool value)
{
    if (value == DroppedDown())
        return;
    if (value)
        DropDown();
    else
        CloseList();
}

void TCustomComboBox::DropDown()
{
    TCustomForm* form = ParentForm();
    if (!form || !Showing() || !Enabled())
        return;
    if (onDropDown_)
        onDropDown_(this);
    // The handler may have hidden or disabled the box.
    if (!Showing() || !Enabled())
        return;
    std::vector<std::string> lines;
    for (int i = 0; i < items_->Count(); ++i)
        lines.push_back(items_->Get(i));
    DropDownList list;
    list.SetItems(std::move(lines));
    list.SetFont(Font()->PlatformSpec());
    list.Open(BoundsInForm(), {0, 0, form->Width(), form->Height()}, TextSize(*Font(), "0").cy, dropDownCount_,
              itemIndex_);
    form->PopupLayer().OpenList(std::move(list), this);
}

void TCustomComboBox::CloseList()
{
    if (TCustomForm* form = ParentForm(); form && form->PopupLayer().IsOpenFor(this))
        form->PopupLayer().Close();
}

// ---- input ------------------------------------------------------------------------------------

void TCustomComboBox::KeyDownDefault(uint16_t key, TShiftState shift)
{
    namespace vk = platform::vk;
    const int last = items_->Count() - 1;
    const int page = std::max(dropDownCount_ - 1, 1);
    switch (key) {
    case vk::F4:
        if (shift.IsEmpty())
            DropDown();
        return;
    case vk::Up: SelectByUser(std::max(itemIndex_ - 1, 0), false); return;
    case vk::Down: SelectByUser(std::min(itemIndex_ + 1, last), false); return;
    case vk::Prior: SelectByUser(std::max(itemIndex_ - page, 0), false); return;
    case vk::Next: SelectByUser(std::min(std::max(itemIndex_, 0) + page, last), false); return;
    case vk::Home:
    case vk::End:
        if (style_ == csDropDownList) {
            SelectByUser(key == vk::Home ? 0 : last, false);
            return;
        }
        break;
    default: break;
    }
    if (style_ != csDropDown)
        return;
    const uint32_t modifiers = EditLine::Modifiers(shift);
    const EditBuffer::KeyResult result = buffer_.KeyDown(key, modifiers);
    if (result.handled || result.changed)
        Edited(result.changed);
}

void TCustomComboBox::KeyChar(uint32_t ch)
{
    if (style_ == csDropDownList) {
        if (ch >= 0x20)
            SelectByUser(FindByInitial(char32_t(ch)), false);
        return;
    }
    const EditBuffer::KeyResult result = buffer_.Char(char32_t(ch));
    if (result.handled || result.changed)
        Edited(result.changed);
}

int TCustomComboBox::FindByInitial(char32_t ch) const
{
    const int n = items_->Count();
    const char32_t wanted = FoldCase(ch);
    for (int k = 1; k <= n; ++k) {
        const int i = ((itemIndex_ < 0 ? -1 : itemIndex_) + k + n) % n;
        if (FoldCase(FirstCodePoint(items_->Get(i))) == wanted)
            return i;
    }
    return -1;
}

void TCustomComboBox::Edited(bool changed)
{
    if (changed)
        itemIndex_ = MatchIndex(GetText());
    ScrollCaret();
    Invalidate();
    if (changed)
        Change();
}

void TCustomComboBox::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_COMMAND:
        // The list's choice.
        SelectByUser(int(message.WParam), true);
        return;
    case WM_SYSKEYDOWN:
        if (message.WParam == platform::vk::Down || message.WParam == platform::vk::Up) {
            DropDown();
            return;
        }
        break;
    case WM_MOUSEWHEEL: {
        const int distance = int16_t(uint16_t(message.WParam >> 16));
        if (distance != 0)
            SelectByUser(distance > 0 ? std::max(itemIndex_ - 1, 0) : std::min(itemIndex_ + 1, items_->Count() - 1),
                         false);
        return;
    }
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        if (style_ == csDropDown) {
            const bool changed = message.Msg == WM_CUT     ? buffer_.Cut()
                                 : message.Msg == WM_PASTE ? buffer_.Paste()
                                 : message.Msg == WM_CLEAR ? buffer_.Clear()
                                                           : buffer_.Undo();
            Edited(changed);
        }
        return;
    case WM_COPY: buffer_.Copy(); return;
    default: break;
    }
    TCustomControl::Dispatch(message);
}

void TCustomComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        if (!Focused() && CanFocus()) {
            focusingByMouse_ = true;
            SetFocus();
            focusingByMouse_ = false;
        }
        if (style_ == csDropDownList || ButtonRect().Contains({x, y})) {
            // The list takes the rest of this press (a release over an item chooses it), so
            // the box does not keep the mouse.
            SetMouseCapture(false);
            DropDown();
        } else {
            EditLine::Press(buffer_, x - TextArea().left, shift, Measure());
            Invalidate();
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomComboBox::MouseMove(TShiftState shift, int x, int y)
{
    if (buffer_.Dragging()) {
        buffer_.MouseMove(buffer_.PositionFromX(x - TextArea().left, Measure()));
        ScrollCaret();
        Invalidate();
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomComboBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft)
        buffer_.MouseUp();
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomComboBox::FocusGained()
{
    if (style_ == csDropDown && !focusingByMouse_)
        buffer_.SelectAll();
    ScrollCaret();
    Invalidate();
}

void TCustomComboBox::FocusLost()
{
    buffer_.MouseUp();
    CloseList();
    Invalidate();
}

void TCustomComboBox::EnabledChanged()
{
    if (!Enabled())
        CloseList();
    TCustomControl::EnabledChanged();
}

void TCustomComboBox::VisibleChanged()
{
    if (!Visible())
        CloseList();
    TCustomControl::VisibleChanged();
}

void TCustomComboBox::Resized()
{
    ScrollCaret();
}

// ---- geometry and painting --------------------------------------------------------------------

platform::Rect TCustomComboBox::ButtonRect() const
{
    const platform::Rect c = ClientRect();
    const int right = std::max(c.right - kEdge, c.left + kEdge);
    return {std::max(right - kButtonWidth, c.left + kEdge), c.top + kEdge, right, std::max(c.bottom - kEdge, c.top + kEdge)};
}

platform::Rect TCustomComboBox::FieldRect() const
{
    const platform::Rect c = ClientRect();
    const platform::Rect button = ButtonRect();
    return {c.left + kEdge, button.top, button.left, button.bottom};
}

platform::Rect TCustomComboBox::TextArea() const
{
    const platform::Rect field = FieldRect();
    return {field.left + 2, field.top, std::max(field.right - 1, field.left + 2), field.bottom};
}

TextMeasure TCustomComboBox::Measure() const
{
    return [font = Font()](std::string_view text) { return TextSize(*font, text).cx; };
}

void TCustomComboBox::ScrollCaret()
{
    // Scrolling is state, so it changes with the text and the caret, never while painting.
    if (style_ == csDropDown)
        buffer_.ScrollCaretIntoView(TextArea().Width(), Measure());
    else
        buffer_.SetScrollPos(0);
}

void TCustomComboBox::Paint()
{
    TCanvas& canvas = *Canvas();
    platform::DeviceContext& dc = canvas.Handle();
    ClassicLook look(dc);
    const ClassicPalette& palette = look.Palette();
    look.DrawEdgeSunken(ClientRect());
    const platform::Rect field = FieldRect();
    dc.FillRect(field, platform::BrushSpec{ColorToPixel(Enabled() ? Color() : clBtnFace), platform::BrushStyle::Solid});

    const platform::Rect button = ButtonRect();
    const platform::Rect face = look.DrawButtonFace(button, ButtonLook{});
    const int ax = face.left + (face.Width() - 7) / 2;
    const int ay = face.top + (face.Height() - 4) / 2;
    if (Enabled()) {
        DrawArrow(dc, ax, ay, palette.windowText);
    } else {
        DrawArrow(dc, ax + 1, ay + 1, palette.highlight);
        DrawArrow(dc, ax, ay, palette.shadow);
    }

    canvas.SetFont(Font());
    platform::DeviceContext& textDc = canvas.Handle();
    textDc.SetBackMode(platform::BackgroundMode::Transparent);
    textDc.SetTextAlign(platform::textalign::Left | platform::textalign::Top);
    if (style_ == csDropDownList)
        PaintListText(textDc, palette);
    else
        PaintEditText(textDc);
}

void TCustomComboBox::PaintListText(platform::DeviceContext& dc, const ClassicPalette& palette)
{
    // The chosen item; with the focus it is shown selected inside a focus frame.
    const platform::Rect field = FieldRect();
    const platform::Rect area{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1};
    dc.IntersectClip(area);
    const std::string text = GetText();
    const int y = area.top + (area.Height() - dc.TextExtent("0").cy) / 2;
    if (!Enabled()) {
        dc.SetTextColor(palette.grayText);
        dc.TextOut(area.left + 1, y, text);
        return;
    }
    if (Focused()) {
        dc.FillRect(area, platform::BrushSpec{palette.selection, platform::BrushStyle::Solid});
        dc.SetTextColor(palette.selectionText);
        dc.TextOut(area.left + 1, y, text);
        dc.DrawFocusRect(area);
        return;
    }
    dc.SetTextColor(ColorToPixel(Font()->Color()));
    dc.TextOut(area.left + 1, y, text);
}

void TCustomComboBox::PaintEditText(platform::DeviceContext& dc)
{
    const platform::Rect area = TextArea();
    dc.IntersectClip(FieldRect());
    const TextMeasure measure = Measure();
    const int cellHeight = dc.TextExtent("0").cy;
    const int top = area.top + (area.Height() - cellHeight) / 2;
    EditLine::Paint(dc, buffer_, area, top, cellHeight, measure, Enabled(), Focused());
}
