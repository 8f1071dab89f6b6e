#include "forms/EditLine.h"

#include "forms/TColor.h"
#include "platform/Desktop.h"

#include <algorithm>

EditClipboard EditLine::DesktopClipboard()
{
    return EditClipboard{[] { return platform::CurrentDesktop().ClipboardText(); },
                         [](const std::string& text) { platform::CurrentDesktop().SetClipboardText(text); }};
}

uint32_t EditLine::Modifiers(TShiftState shift)
{
    uint32_t modifiers = 0;
    if (shift.Contains(ssShift))
        modifiers |= platform::ModShift;
    if (shift.Contains(ssCtrl))
        modifiers |= platform::ModCtrl;
    if (shift.Contains(ssAlt))
        modifiers |= platform::ModAlt;
    return modifiers;
}

void EditLine::Press(EditBuffer& buffer, int x, TShiftState shift, const TextMeasure& measure)
{
    const int position = buffer.PositionFromX(x, measure);
    if (shift.Contains(ssDouble))
        buffer.DoubleClick(position);
    else
        buffer.MouseDown(position, shift.Contains(ssShift));
}

void EditLine::Paint(platform::DeviceContext& dc, const EditBuffer& buffer, const platform::Rect& area, int top,
                     int cellHeight, const TextMeasure& measure, bool enabled, bool focused)
{
    // Only the characters in view are drawn (one more on each side for ink that overhangs its
    // cell): a pasted text of many thousands of characters costs no more to paint than a short
    // one. Glyphs sit at whole-pixel advances, so a part drawn at its own x gives the same pixels.
    const int first = std::max(buffer.ScrollPos() - 1, 0);
    const int last = std::min(buffer.PositionFromX(area.Width(), measure) + 2, buffer.Length());
    const auto drawRange = [&](int start, int end) {
        if (end > start)
            dc.TextOut(area.left + buffer.XFromPosition(start, measure), top, buffer.TextRange(start, end));
    };
    if (!enabled) {
        dc.SetTextColor(ColorToPixel(clGrayText));
        drawRange(first, last);
        return;
    }
    drawRange(first, last);
    if (!focused)
        return;
    // The selection is drawn over the plain text in the highlight colours.
    if (buffer.HasSelection()) {
        const int x0 = area.left + buffer.XFromPosition(buffer.SelStart(), measure);
        const int x1 = area.left + buffer.XFromPosition(buffer.SelEnd(), measure);
        dc.FillRect({x0, top, x1, top + cellHeight},
                    platform::BrushSpec{ColorToPixel(clHighlight), platform::BrushStyle::Solid});
        dc.SetTextColor(ColorToPixel(clHighlightText));
        drawRange(std::max(buffer.SelStart(), first), std::min(buffer.SelEnd(), last));
    }
    // The caret: a steady one-pixel bar (there are no timers to blink it).
    const int caretX = area.left + buffer.XFromPosition(buffer.Caret(), measure);
    dc.FillRect({caretX, top, caretX + 1, top + cellHeight},
                platform::BrushSpec{ColorToPixel(clWindowText), platform::BrushStyle::Solid});
}
