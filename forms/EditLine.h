#pragma once
// What a one-line text field does the same way wherever it sits (the edit box, the combo box's
// edit part): it copies and pastes through the desktop's clipboard, turns keys and presses into
// operations on its EditBuffer, and paints the text in view with its selection and caret.
// The controls keep their own geometry, focus and events.

#include "forms/EditBuffer.h"
#include "forms/EditClipboard.h"
#include "forms/Events.h"
#include "platform/DeviceContext.h"

#include <cstdint>

class EditLine {
public:
    // The desktop's clipboard, as the buffer sees it.
    static EditClipboard DesktopClipboard();
    // The modifier bits the buffer's key handling takes.
    static uint32_t Modifiers(TShiftState shift);
    // A left press at x (relative to the text's left edge): places the caret, extends the
    // selection with Shift, selects a word on a double click.
    static void Press(EditBuffer& buffer, int x, TShiftState shift, const TextMeasure& measure);
    // Paints the characters in view from top in the current font: grey when disabled, with the
    // selection in the highlight colours and a steady one-pixel caret when focused.
    static void Paint(platform::DeviceContext& dc, const EditBuffer& buffer, const platform::Rect& area, int top,
                      int cellHeight, const TextMeasure& measure, bool enabled, bool focused);
};
