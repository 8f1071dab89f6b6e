#include "forms/TEdit.h"

#include "forms/ClassicLook.h"
#include "forms/EditLine.h"
#include "forms/EditMenu.h"
#include "forms/TCustomForm.h"
#include "forms/TPopupLayer.h"
#include "platform/Desktop.h"

#include <algorithm>

F2_DEFINE_CLASS(TCustomEdit, TCustomControl, F2_NO_FACTORY) {}

F2_DEFINE_CLASS(TEdit, TCustomEdit, F2_FACTORY(TEdit))
{
    c.Property("Text", &TEdit::GetText, &TEdit::SetText);
    c.Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength).Default(0);
    c.Property("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly).Default(0);
    c.Property("OnChange", &TEdit::OnChange, &TEdit::SetOnChange);
}

namespace {
constexpr int kEdge = 2;     // the sunken edge
constexpr int kMargin = 1;   // between the edge and the text
} // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomControl(owner)
{
    InitBounds(121, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetCursor(crIBeam);
    buffer_.SetClipboard(EditLine::DesktopClipboard());
}

void TCustomEdit::SetText(const std::string& text)
{
    if (!buffer_.SetText(text))
        return;
    Invalidate();
    Change();
}

void TCustomEdit::Select(int start, int length)
{
    buffer_.Select(start, length);
    Invalidate();
}

void TCustomEdit::SelectAll()
{
    buffer_.SelectAll();
    Invalidate();
}

void TCustomEdit::Change()
{
    if (onChange_)
        onChange_(this);
}

void TCustomEdit::Edited(bool changed)
{
    Invalidate();
    if (changed)
        Change();
}

void TCustomEdit::KeyDownDefault(uint16_t key, TShiftState shift)
{
    const uint32_t modifiers = EditLine::Modifiers(shift);
    if (key == platform::vk::Apps || (key == platform::vk::F10 && modifiers == platform::ModShift)) {
        // At the caret, just below the text line, as classic edits place it.
        const platform::Rect area = TextArea();
        const int x = area.left + buffer_.XFromPosition(buffer_.Caret(), Measure());
        OpenContextMenu({x, area.top + TextSize(*Font(), "0").cy + 1});
        return;
    }
    const EditBuffer::KeyResult result = buffer_.KeyDown(key, modifiers);
    if (result.handled || result.changed)
        Edited(result.changed);
}

void TCustomEdit::KeyChar(uint32_t ch)
{
    const EditBuffer::KeyResult result = buffer_.Char(char32_t(ch));
    if (result.handled || result.changed)
        Edited(result.changed);
}

void TCustomEdit::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_CUT: Edited(buffer_.Cut()); return;
    case WM_COPY: buffer_.Copy(); return;
    case WM_PASTE: Edited(buffer_.Paste()); return;
    case WM_CLEAR: Edited(buffer_.Clear()); return;
    case WM_UNDO: Edited(buffer_.Undo()); return;
    case WM_COMMAND: Edited(EditMenu::Perform(buffer_, int(message.WParam))); return;
    default: TCustomControl::Dispatch(message); return;
    }
}

platform::Rect TCustomEdit::TextArea() const
{
    const platform::Rect c = ClientRect();
    return {c.left + kEdge + kMargin, c.top + kEdge, c.right - kEdge - kMargin, c.bottom - kEdge};
}

TextMeasure TCustomEdit::Measure() const
{
    return [font = Font()](std::string_view text) { return TextSize(*font, text).cx; };
}

void TCustomEdit::OpenContextMenu(platform::Point at)
{
    TCustomForm* form = ParentForm();
    if (!form || !Showing())
        return;
    const platform::Point origin = ClientOrigin();
    form->PopupLayer().Open(EditMenu::Build(buffer_), {origin.x + at.x, origin.y + at.y}, this);
}

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbRight && !Focused() && CanFocus()) {
        // The menu acts on this edit: it takes the focus first, keeping its caret.
        focusingByMouse_ = true;
        SetFocus();
        focusingByMouse_ = false;
    }
    if (button == mbLeft) {
        if (!Focused() && CanFocus()) {
            focusingByMouse_ = true;
            SetFocus();
            focusingByMouse_ = false;
        }
        EditLine::Press(buffer_, x - TextArea().left, shift, Measure());
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y)
{
    if (buffer_.Dragging()) {
        buffer_.MouseMove(buffer_.PositionFromX(x - TextArea().left, Measure()));
        Invalidate();
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft)
        buffer_.MouseUp();
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == mbRight && ClientRect().Contains({x, y}))
        OpenContextMenu({x, y});
}

void TCustomEdit::FocusGained()
{
    if (!focusingByMouse_)
        buffer_.SelectAll();
    Invalidate();
}

void TCustomEdit::FocusLost()
{
    buffer_.MouseUp();
    Invalidate();
}

void TCustomEdit::Paint()
{
    TCanvas& canvas = *Canvas();
    platform::DeviceContext& dc = canvas.Handle();
    ClassicLook look(dc);
    const platform::Rect inner = look.DrawEdgeSunken(ClientRect());
    // A disabled edit keeps its colour (a field marked yellow stays marked) and greys its text.
    const platform::Pixel background = ColorToPixel(Color());
    dc.FillRect(inner, platform::BrushSpec{background, platform::BrushStyle::Solid});

    const platform::Rect area = TextArea();
    const TextMeasure measure = Measure();
    buffer_.ScrollCaretIntoView(area.Width(), measure);
    canvas.SetFont(Font());
    platform::DeviceContext& textDc = canvas.Handle();
    textDc.IntersectClip(inner);
    textDc.SetBackMode(platform::BackgroundMode::Transparent);
    textDc.SetTextAlign(platform::textalign::Left | platform::textalign::Top);
    EditLine::Paint(textDc, buffer_, area, area.top + 1, textDc.TextExtent("0").cy, measure, Enabled(), Focused());
}
