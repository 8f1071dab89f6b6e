#pragma once
// The text model behind a single-line edit box: the text, the caret, the selection, the limits,
// one level of undo, clipboard operations and the horizontal scroll position. It knows nothing
// of controls, fonts or painting, so the edit control stays a thin layer of messages and pixels.
//
// Positions count characters (code points), never bytes: a caret is never placed inside a
// multi-byte character. The text is kept as code points, so every keystroke costs one linear
// splice at most; the UTF-8 form is rebuilt only when someone asks for it after a change.
//
// Every operation that may edit returns true exactly when the text changed, so the control
// raises its change event only on a real change. Text set from code behaves as in classic
// edits: the caret goes to the start, the selection and the undo step are dropped, and the
// length limit does not apply (it limits typing and pasting only). Setting the text it already
// holds does nothing at all.

#include "forms/EditClipboard.h"
#include "forms/TextMeasure.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class EditBuffer {
public:
    // Text.
    const std::string& Text() const;          // UTF-8
    int Length() const { return int(text_.size()); }
    bool SetText(std::string_view utf8);
    std::string TextRange(int start, int end) const;   // characters [start, end), clamped

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength) { maxLength_ = maxLength > 0 ? maxLength : 0; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // Caret and selection. The selection runs from the anchor to the caret.
    int Caret() const { return caret_; }
    int Anchor() const { return anchor_; }
    int SelStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
    int SelEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
    int SelLength() const { return SelEnd() - SelStart(); }
    bool HasSelection() const { return anchor_ != caret_; }
    std::string SelText() const { return TextRange(SelStart(), SelEnd()); }
    void Select(int start, int length);       // clamped; the caret ends at start + length
    void SelectAll();
    void SetSelStart(int start) { Select(start, 0); }
    void SetSelLength(int length) { Select(SelStart(), length); }
    bool SetSelText(std::string_view utf8) { return Insert(utf8); }

    // Caret moves; with extend the anchor stays (Shift held), without it the selection goes.
    void MoveTo(int position, bool extend);
    void MoveLeft(bool extend);
    void MoveRight(bool extend);
    void MoveWordLeft(bool extend);
    void MoveWordRight(bool extend);
    void MoveHome(bool extend) { MoveTo(0, extend); }
    void MoveEnd(bool extend) { MoveTo(Length(), extend); }

    // Editing. Type merges consecutive typed characters into one undo step, as classic edits
    // do; Insert (pasting, code) is a step of its own. Both replace the selection, respect
    // MaxLength and keep only the first line of the text.
    bool Type(std::string_view utf8);
    bool Insert(std::string_view utf8);
    bool Backspace();
    bool Delete();            // the selection, else the character after the caret
    bool Clear();             // the selection only
    bool Undo();              // swaps back to the text before the last change; again redoes
    bool CanUndo() const { return undo_.has_value() && !readOnly_; }
    void ClearUndo();

    void SetClipboard(EditClipboard clipboard) { clipboard_ = std::move(clipboard); }
    bool Cut();
    void Copy() const;
    bool Paste();
    bool CanPaste() const;    // the clipboard holds text that pasting would insert

    // Keyboard: navigation and clipboard keys (key-down) and typed characters. `handled` tells
    // the control the key was used; `changed` that the text changed.
    struct KeyResult {
        bool handled = false;
        bool changed = false;
    };
    KeyResult KeyDown(uint16_t key, uint32_t modifiers);
    KeyResult Char(char32_t ch);

    // Mouse, in character positions (see PositionFromX): press places the caret (or extends the
    // selection), moves while pressed drag the selection, a double click selects a word.
    void MouseDown(int position, bool extend);
    void MouseMove(int position);
    void MouseUp() { dragging_ = false; }
    bool Dragging() const { return dragging_; }
    void DoubleClick(int position);
    void WordAt(int position, int& start, int& end) const;

    // Horizontal scrolling: the first visible character, and the x of positions relative to it.
    int ScrollPos() const { return scroll_; }
    void SetScrollPos(int position);
    // Scrolls as little as possible so the caret is inside [0, width); also scrolls back when
    // text after the first visible character no longer fills the width.
    void ScrollCaretIntoView(int width, const TextMeasure& measure);
    // The character boundary nearest to x; x may be negative (left of the visible text).
    int PositionFromX(int x, const TextMeasure& measure) const;
    int XFromPosition(int position, const TextMeasure& measure) const;

private:
    struct Snapshot {
        std::u32string text;
        int anchor = 0;
        int caret = 0;
    };

    int Clamp(int position) const;
    void SetSelection(int anchor, int caret);
    bool Replace(std::u32string inserted, bool typing);
    bool DeleteRange(int start, int end);
    void Remember(bool typing);
    void Changed();
    int Measure(int start, int end, const TextMeasure& measure) const;
    int FirstFitting(int end, int width, const TextMeasure& measure) const;

    std::u32string text_;
    mutable std::string utf8_;
    mutable bool utf8Valid_ = true;
    int anchor_ = 0;
    int caret_ = 0;
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool dragging_ = false;
    int scroll_ = 0;
    std::optional<Snapshot> undo_;
    bool typingRun_ = false;   // the undo step is still collecting typed characters
    EditClipboard clipboard_;
};
