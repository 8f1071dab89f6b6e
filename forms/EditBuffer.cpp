#include "forms/EditBuffer.h"

#include "platform/Desktop.h"
#include "rtl/Utf8.h"

#include <algorithm>
#include <utility>

namespace {

// A single-line edit keeps the first line of what it is given; a NUL ends text as it does for
// the desktop's string-based calls.
std::u32string FirstLine(std::string_view utf8)
{
    std::u32string text = rtl::utf8::Decode(utf8);
    const auto end = std::find_if(text.begin(), text.end(),
                                  [](char32_t c) { return c == U'\r' || c == U'\n' || c == 0; });
    text.erase(end, text.end());
    return text;
}

bool IsSpace(char32_t c)
{
    return c == U' ' || c == U'\t' || c == 0xA0 || c == 0x3000 || (c >= 0x2000 && c <= 0x200A);
}

} // namespace

// ---- text ----------------------------------------------------------------------------------

const std::string& EditBuffer::Text() const
{
    if (!utf8Valid_) {
        utf8_ = rtl::utf8::Encode(text_);
        utf8Valid_ = true;
    }
    return utf8_;
}

bool EditBuffer::SetText(std::string_view utf8)
{
    std::u32string text = rtl::utf8::Decode(utf8);
    if (text == text_)
        return false;
    text_ = std::move(text);
    Changed();
    anchor_ = caret_ = 0;
    scroll_ = 0;
    dragging_ = false;
    ClearUndo();
    return true;
}

std::string EditBuffer::TextRange(int start, int end) const
{
    start = Clamp(start);
    end = Clamp(end);
    if (end <= start)
        return {};
    return rtl::utf8::Encode(std::u32string_view(text_).substr(size_t(start), size_t(end - start)));
}

int EditBuffer::Clamp(int position) const
{
    return std::clamp(position, 0, Length());
}

void EditBuffer::Changed()
{
    utf8Valid_ = false;
}

// ---- selection and caret ---------------------------------------------------------------------

void EditBuffer::SetSelection(int anchor, int caret)
{
    anchor_ = Clamp(anchor);
    caret_ = Clamp(caret);
    typingRun_ = false;
}

void EditBuffer::Select(int start, int length)
{
    start = Clamp(start);
    const int end = Clamp(start + std::max(length, 0));
    SetSelection(start, end);
}

void EditBuffer::SelectAll()
{
    SetSelection(0, Length());
}

void EditBuffer::MoveTo(int position, bool extend)
{
    SetSelection(extend ? anchor_ : position, position);
}

// Without Shift an arrow first collapses a selection to its near end, as classic edits do.
void EditBuffer::MoveLeft(bool extend)
{
    if (!extend && HasSelection())
        MoveTo(SelStart(), false);
    else
        MoveTo(caret_ - 1, extend);
}

void EditBuffer::MoveRight(bool extend)
{
    if (!extend && HasSelection())
        MoveTo(SelEnd(), false);
    else
        MoveTo(caret_ + 1, extend);
}

// Words are runs of non-blank characters: Ctrl+Left goes to the start of the word before the
// caret, Ctrl+Right past the blanks after the current word to the start of the next one.
void EditBuffer::MoveWordLeft(bool extend)
{
    int p = caret_;
    while (p > 0 && IsSpace(text_[size_t(p - 1)]))
        --p;
    while (p > 0 && !IsSpace(text_[size_t(p - 1)]))
        --p;
    MoveTo(p, extend);
}

void EditBuffer::MoveWordRight(bool extend)
{
    int p = caret_;
    const int n = Length();
    while (p < n && !IsSpace(text_[size_t(p)]))
        ++p;
    while (p < n && IsSpace(text_[size_t(p)]))
        ++p;
    MoveTo(p, extend);
}

// ---- editing -------------------------------------------------------------------------------

void EditBuffer::ClearUndo()
{
    undo_.reset();
    typingRun_ = false;
}

// Saves the state before a change. Typed characters that follow one another at the caret
// extend the step already saved, so one undo takes back a whole typed run.
void EditBuffer::Remember(bool typing)
{
    if (!(typing && typingRun_ && undo_))
        undo_ = Snapshot{text_, anchor_, caret_};
}

bool EditBuffer::Replace(std::u32string inserted, bool typing)
{
    if (readOnly_)
        return false;
    const int start = SelStart(), end = SelEnd();
    if (maxLength_ > 0) {
        const int room = std::max(0, maxLength_ - (Length() - (end - start)));
        if (int(inserted.size()) > room) {
            // Nothing of a non-empty insertion fits: refuse it rather than only deleting.
            if (room == 0)
                return false;
            inserted.resize(size_t(room));
        }
    }
    if (start == end && inserted.empty())
        return false;
    const int after = start + int(inserted.size());
    if (std::u32string_view(text_).substr(size_t(start), size_t(end - start)) == inserted) {
        SetSelection(after, after);
        return false;
    }
    Remember(typing);
    text_.replace(size_t(start), size_t(end - start), inserted);
    Changed();
    anchor_ = caret_ = after;
    typingRun_ = typing;
    return true;
}

bool EditBuffer::DeleteRange(int start, int end)
{
    if (readOnly_ || end <= start)
        return false;
    Remember(false);
    text_.erase(size_t(start), size_t(end - start));
    Changed();
    anchor_ = caret_ = start;
    typingRun_ = false;
    return true;
}

bool EditBuffer::Type(std::string_view utf8)
{
    return Replace(FirstLine(utf8), true);
}

bool EditBuffer::Insert(std::string_view utf8)
{
    return Replace(FirstLine(utf8), false);
}

bool EditBuffer::Backspace()
{
    if (HasSelection())
        return Clear();
    return DeleteRange(caret_ - 1 < 0 ? 0 : caret_ - 1, caret_);
}

bool EditBuffer::Delete()
{
    if (HasSelection())
        return Clear();
    return DeleteRange(caret_, std::min(caret_ + 1, Length()));
}

bool EditBuffer::Clear()
{
    return DeleteRange(SelStart(), SelEnd());
}

bool EditBuffer::Undo()
{
    if (!CanUndo())
        return false;
    Snapshot& saved = *undo_;
    const bool changed = saved.text != text_;
    std::swap(saved.text, text_);
    std::swap(saved.anchor, anchor_);
    std::swap(saved.caret, caret_);
    Changed();
    typingRun_ = false;
    dragging_ = false;
    return changed;
}

// ---- clipboard -------------------------------------------------------------------------------

void EditBuffer::Copy() const
{
    if (HasSelection() && clipboard_.set)
        clipboard_.set(SelText());
}

bool EditBuffer::Cut()
{
    if (readOnly_ || !HasSelection())
        return false;
    Copy();
    return Clear();
}

bool EditBuffer::Paste()
{
    // With nothing pasteable the selection stays: inserting an empty text would delete it.
    if (!clipboard_.get)
        return false;
    std::u32string line = FirstLine(clipboard_.get());
    if (line.empty())
        return false;
    return Replace(std::move(line), false);
}

bool EditBuffer::CanPaste() const
{
    return !readOnly_ && clipboard_.get && !FirstLine(clipboard_.get()).empty();
}

// ---- keyboard --------------------------------------------------------------------------------

EditBuffer::KeyResult EditBuffer::KeyDown(uint16_t key, uint32_t modifiers)
{
    const bool shift = (modifiers & platform::ModShift) != 0;
    const bool ctrl = (modifiers & platform::ModCtrl) != 0;
    switch (key) {
    case platform::vk::Left:
        ctrl ? MoveWordLeft(shift) : MoveLeft(shift);
        return {true, false};
    case platform::vk::Right:
        ctrl ? MoveWordRight(shift) : MoveRight(shift);
        return {true, false};
    case platform::vk::Home:
        MoveHome(shift);
        return {true, false};
    case platform::vk::End:
        MoveEnd(shift);
        return {true, false};
    case platform::vk::Delete:
        if (shift)
            return {true, Cut()};
        return {true, Delete()};
    case platform::vk::Insert:
        if (shift && !ctrl)
            return {true, Paste()};
        if (ctrl && !shift) {
            Copy();
            return {true, false};
        }
        return {false, false};
    default:
        return {false, false};
    }
}

// Characters arrive after the key filter of the owner. Backspace and the classic clipboard
// control characters edit; other control characters are ignored, never inserted.
EditBuffer::KeyResult EditBuffer::Char(char32_t ch)
{
    switch (ch) {
    case 0x08: return {true, Backspace()};
    case 0x01: SelectAll(); return {true, false};
    case 0x03: Copy(); return {true, false};
    case 0x16: return {true, Paste()};
    case 0x18: return {true, Cut()};
    case 0x1A: return {true, Undo()};
    default: break;
    }
    if (ch < 0x20 || ch == 0x7F || !rtl::utf8::IsScalarValue(ch))
        return {false, false};
    std::string utf8;
    rtl::utf8::Append(utf8, ch);
    return {true, Type(utf8)};
}

// ---- mouse ---------------------------------------------------------------------------------

void EditBuffer::MouseDown(int position, bool extend)
{
    MoveTo(position, extend);
    dragging_ = true;
}

void EditBuffer::MouseMove(int position)
{
    if (dragging_)
        MoveTo(position, true);
}

void EditBuffer::WordAt(int position, int& start, int& end) const
{
    const int n = Length();
    if (n == 0) {
        start = end = 0;
        return;
    }
    // The character under the pointer is the one after the boundary, or the last one.
    const int at = std::clamp(position, 0, n - 1);
    const bool blank = IsSpace(text_[size_t(at)]);
    start = at;
    end = at + 1;
    while (start > 0 && IsSpace(text_[size_t(start - 1)]) == blank)
        --start;
    while (end < n && IsSpace(text_[size_t(end)]) == blank)
        ++end;
}

void EditBuffer::DoubleClick(int position)
{
    int start = 0, end = 0;
    WordAt(position, start, end);
    SetSelection(start, end);
    dragging_ = false;
}

// ---- scrolling -------------------------------------------------------------------------------

void EditBuffer::SetScrollPos(int position)
{
    scroll_ = Clamp(position);
}

int EditBuffer::Measure(int start, int end, const TextMeasure& measure) const
{
    if (end <= start)
        return 0;
    return measure(rtl::utf8::Encode(std::u32string_view(text_).substr(size_t(start), size_t(end - start))));
}

// The smallest s <= end whose text [s, end) is narrower than width. Widths shrink as s grows,
// so the search gallops back from end and then bisects: it measures only about twice the text
// that fits, whatever the length of the whole text.
int EditBuffer::FirstFitting(int end, int width, const TextMeasure& measure) const
{
    const auto fits = [&](int s) { return Measure(s, end, measure) < width; };
    int fit = end;       // known to fit (width > 0)
    int tooWide = -1;    // known not to fit; -1: not found yet
    for (int step = 1; tooWide < 0; step *= 2) {
        const int s = std::max(end - step, 0);
        if (fits(s)) {
            fit = s;
            if (s == 0)
                return 0;
        } else {
            tooWide = s;
        }
    }
    while (fit - tooWide > 1) {
        const int mid = tooWide + (fit - tooWide) / 2;
        (fits(mid) ? fit : tooWide) = mid;
    }
    return fit;
}

void EditBuffer::ScrollCaretIntoView(int width, const TextMeasure& measure)
{
    scroll_ = Clamp(scroll_);
    if (width <= 0) {
        scroll_ = caret_;
        return;
    }
    if (caret_ < scroll_)
        scroll_ = caret_;
    else if (Measure(scroll_, caret_, measure) >= width)
        scroll_ = FirstFitting(caret_, width, measure);
    // After deletions, show as much text as fits instead of leaving blank room on the right.
    if (scroll_ > 0)
        scroll_ = std::min(scroll_, FirstFitting(Length(), width, measure));
}

int EditBuffer::XFromPosition(int position, const TextMeasure& measure) const
{
    position = Clamp(position);
    const int scroll = Clamp(scroll_);
    return position >= scroll ? Measure(scroll, position, measure) : -Measure(position, scroll, measure);
}

// Gallops from the first visible character towards x, then bisects between the two
// boundaries around it and takes the nearer one (a tie goes to the right-hand boundary, so a
// click on the right half of a character puts the caret after it).
int EditBuffer::PositionFromX(int x, const TextMeasure& measure) const
{
    const int scroll = Clamp(scroll_);
    const auto xOf = [&](int p) { return XFromPosition(p, measure); };
    int lo = scroll, hi = scroll;   // invariant once found: xOf(lo) <= x < xOf(hi)
    if (x >= 0) {
        for (int step = 1;; step *= 2) {
            const int p = std::min(scroll + step, Length());
            if (xOf(p) > x) { hi = p; break; }
            lo = p;
            if (p == Length())
                return Length();
        }
    } else {
        for (int step = 1;; step *= 2) {
            const int p = std::max(scroll - step, 0);
            if (xOf(p) <= x) { lo = p; break; }
            hi = p;
            if (p == 0)
                return 0;
        }
    }
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        (xOf(mid) <= x ? lo : hi) = mid;
    }
    return (x - xOf(lo) < xOf(hi) - x) ? lo : hi;
}
