#include "forms/EditBuffer.h"
#include "platform/Desktop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

// A fixed-pitch stand-in for a font: every character is 7 pixels wide.
int CountChars(std::string_view utf8)
{
    int n = 0;
    for (unsigned char c : utf8)
        n += (c & 0xC0) != 0x80;
    return n;
}
const TextMeasure kFixed7 = [](std::string_view s) { return 7 * CountChars(s); };

EditBuffer Typed(std::string_view text)
{
    EditBuffer b;
    for (char c : text)
        b.Char(char32_t(static_cast<unsigned char>(c)));
    return b;
}

TEST(EditBufferEditing, TypingSelectingAndReplacing)
{
    EditBuffer b = Typed("100");
    EXPECT_EQ(b.Text(), "100");
    EXPECT_EQ(b.Caret(), 3);

    b.MoveLeft(true);
    b.MoveLeft(true);
    EXPECT_EQ(b.SelStart(), 1);
    EXPECT_EQ(b.SelLength(), 2);
    EXPECT_EQ(b.SelText(), "00");
    EXPECT_EQ(b.Anchor(), 3);

    EXPECT_TRUE(b.Type("5"));
    EXPECT_EQ(b.Text(), "15");
    EXPECT_EQ(b.Caret(), 2);
    EXPECT_FALSE(b.HasSelection());

    // An arrow without Shift collapses a selection to its near end.
    b.SelectAll();
    b.MoveRight(false);
    EXPECT_EQ(b.Caret(), 2);
    b.SelectAll();
    b.MoveLeft(false);
    EXPECT_EQ(b.Caret(), 0);
    EXPECT_FALSE(b.HasSelection());

    b.MoveEnd(true);
    EXPECT_EQ(b.SelText(), "15");
    b.MoveHome(false);
    EXPECT_EQ(b.Caret(), 0);
    EXPECT_EQ(b.SelLength(), 0);
}

TEST(EditBufferEditing, BackspaceAndDeleteAtEdgesAndWithSelection)
{
    EditBuffer b;
    b.SetText("0,7");
    EXPECT_EQ(b.Caret(), 0);
    EXPECT_FALSE(b.Backspace());   // nothing before the caret
    EXPECT_TRUE(b.Delete());
    EXPECT_EQ(b.Text(), ",7");
    b.MoveEnd(false);
    EXPECT_FALSE(b.Delete());      // nothing after the caret
    EXPECT_TRUE(b.Backspace());
    EXPECT_EQ(b.Text(), ",");
    EXPECT_EQ(b.Caret(), 1);

    b.SetText("12345");
    b.Select(1, 3);
    EXPECT_TRUE(b.Backspace());    // removes the selection only
    EXPECT_EQ(b.Text(), "15");
    EXPECT_EQ(b.Caret(), 1);
    b.Select(0, 1);
    EXPECT_TRUE(b.Delete());
    EXPECT_EQ(b.Text(), "5");
    EXPECT_FALSE(b.Clear());       // no selection: nothing to clear

    // Through the key interface: Delete is a key-down, Backspace a character.
    b.SetText("ab");
    EXPECT_TRUE(b.KeyDown(platform::vk::Delete, 0).changed);
    EXPECT_EQ(b.Text(), "b");
    b.MoveEnd(false);
    EXPECT_TRUE(b.Char(8).changed);
    EXPECT_EQ(b.Text(), "");
}

TEST(EditBufferEditing, MultiByteCharactersAreNeverSplit)
{
    EditBuffer b;
    b.SetText("Гц ok");
    EXPECT_EQ(b.Length(), 5);
    b.MoveRight(false);
    b.MoveRight(true);
    EXPECT_EQ(b.SelText(), "ц");
    EXPECT_TRUE(b.Backspace());
    EXPECT_EQ(b.Text(), "Г ok");
    b.Select(0, 1);
    EXPECT_EQ(b.SelText(), "Г");
    // A stray continuation byte is kept visible as a replacement character, not dropped.
    b.SetText("a\x80z");
    EXPECT_EQ(b.Length(), 3);
    EXPECT_EQ(b.Text(), "a\xEF\xBF\xBDz");
}

TEST(EditBufferEditing, ControlCharactersAreNotInserted)
{
    EditBuffer b = Typed("1");
    for (char32_t c : {U'\r', U'\x1B', U'\t', U'\x7F', U'\x02'})
        EXPECT_FALSE(b.Char(c).changed) << int(c);
    EXPECT_EQ(b.Text(), "1");
    EXPECT_TRUE(b.Char(U'ж').changed);
    EXPECT_EQ(b.Text(), "1ж");
}

TEST(EditBufferEditing, MaxLengthLimitsTypingAndPastingButNotCode)
{
    std::string clip = "6789";
    EditBuffer b;
    b.SetClipboard({[&] { return clip; }, [&](const std::string& s) { clip = s; }});
    b.SetMaxLength(4);
    EXPECT_TRUE(b.Type("12"));
    EXPECT_TRUE(b.Paste());        // only what fits arrives
    EXPECT_EQ(b.Text(), "1267");
    EXPECT_FALSE(b.Type("x"));     // full: refused, text untouched
    EXPECT_EQ(b.Text(), "1267");
    b.Select(1, 2);
    EXPECT_TRUE(b.Type("x"));      // replacing a selection makes room
    EXPECT_EQ(b.Text(), "1x7");

    EXPECT_TRUE(b.SetText("123456"));   // code may exceed the limit
    EXPECT_EQ(b.Text(), "123456");
    b.MoveEnd(false);
    EXPECT_FALSE(b.Type("7"));
    b.Select(0, 1);
    EXPECT_FALSE(b.Type("9"));     // still over the limit after the replacement: refused
    EXPECT_EQ(b.Text(), "123456");
    EXPECT_TRUE(b.Backspace());
}

TEST(EditBufferEditing, ReadOnlyAllowsOnlySelectionAndCopy)
{
    std::string clip;
    EditBuffer b;
    b.SetClipboard({[&] { return std::string("zz"); }, [&](const std::string& s) { clip = s; }});
    b.SetText("abc");
    b.SetReadOnly(true);
    b.SelectAll();
    EXPECT_FALSE(b.Type("x"));
    EXPECT_FALSE(b.Delete());
    EXPECT_FALSE(b.Cut());
    EXPECT_FALSE(b.Paste());
    EXPECT_FALSE(b.CanPaste());
    b.Copy();
    EXPECT_EQ(clip, "abc");
    EXPECT_EQ(b.Text(), "abc");
}

TEST(EditBufferUndo, UndoSwapsAndASecondUndoRedoes)
{
    EditBuffer b;
    b.SetText("100");
    EXPECT_FALSE(b.CanUndo());     // text from code leaves nothing to undo
    b.SelectAll();
    EXPECT_TRUE(b.Type("2"));
    EXPECT_TRUE(b.Type("5"));
    EXPECT_EQ(b.Text(), "25");
    ASSERT_TRUE(b.CanUndo());
    EXPECT_TRUE(b.Undo());         // one step takes back the whole typed run
    EXPECT_EQ(b.Text(), "100");
    EXPECT_EQ(b.SelText(), "100"); // and restores the selection it replaced
    EXPECT_TRUE(b.Undo());
    EXPECT_EQ(b.Text(), "25");
    EXPECT_EQ(b.Caret(), 2);

    // A caret move ends the typed run: the next undo only takes back what followed it.
    b.MoveHome(false);
    EXPECT_TRUE(b.Type("9"));
    EXPECT_TRUE(b.Undo());
    EXPECT_EQ(b.Text(), "25");

    // A no-op edit neither reports a change nor replaces the undo step.
    b.MoveHome(false);
    EXPECT_FALSE(b.Backspace());
    EXPECT_TRUE(b.Undo());
    EXPECT_EQ(b.Text(), "925");

    b.SetText("new");
    EXPECT_FALSE(b.CanUndo());
    EXPECT_FALSE(b.Undo());
}

TEST(EditBufferChange, OnlyRealChangesAreReported)
{
    EditBuffer b;
    EXPECT_FALSE(b.SetText(""));
    EXPECT_TRUE(b.SetText("33"));
    b.Select(1, 1);
    EXPECT_FALSE(b.SetText("33"));   // same text: nothing at all happens
    EXPECT_EQ(b.SelLength(), 1);
    EXPECT_FALSE(b.Type("3"));       // replaces "3" by "3": same text
    EXPECT_EQ(b.Caret(), 2);
    EXPECT_FALSE(b.CanUndo());
    EXPECT_FALSE(b.Insert(""));
    EXPECT_FALSE(b.KeyDown(platform::vk::Left, 0).changed);
    EXPECT_TRUE(b.KeyDown(platform::vk::Left, 0).handled);
    EXPECT_FALSE(b.KeyDown(platform::vk::Up, 0).handled);
}

TEST(EditBufferClipboard, CutCopyPasteAndLineBreaks)
{
    std::string clip;
    EditBuffer b;
    b.SetClipboard({[&] { return clip; }, [&](const std::string& s) { clip = s; }});
    b.SetText("10 kHz");
    b.Select(0, 2);
    EXPECT_FALSE(b.KeyDown(platform::vk::Insert, platform::ModCtrl).changed);   // copy
    EXPECT_EQ(clip, "10");
    EXPECT_TRUE(b.KeyDown(platform::vk::Delete, platform::ModShift).changed);   // cut
    EXPECT_EQ(b.Text(), " kHz");
    EXPECT_EQ(clip, "10");
    b.MoveEnd(false);
    EXPECT_TRUE(b.KeyDown(platform::vk::Insert, platform::ModShift).changed);   // paste
    EXPECT_EQ(b.Text(), " kHz10");

    clip = "4,7\r\nsecond line";
    EXPECT_TRUE(b.CanPaste());
    b.SelectAll();
    EXPECT_TRUE(b.Paste());
    EXPECT_EQ(b.Text(), "4,7");
    clip = "\nonly after the break";
    EXPECT_FALSE(b.CanPaste());
    EXPECT_FALSE(b.Paste());
    EXPECT_EQ(b.Text(), "4,7");
    b.SelectAll();   // nothing pasteable leaves a selection alone
    EXPECT_FALSE(b.Paste());
    EXPECT_EQ(b.Text(), "4,7");
    EXPECT_EQ(b.SelLength(), 3);
    b.MoveEnd(false);
    clip = std::string("ab\0cd", 5);
    EXPECT_TRUE(b.Paste());
    EXPECT_EQ(b.Text(), "4,7ab");

    // Without a clipboard nothing breaks and nothing is pasted.
    EditBuffer bare;
    bare.SetText("x");
    bare.SelectAll();
    EXPECT_FALSE(bare.Paste());
    EXPECT_TRUE(bare.Cut());
    EXPECT_EQ(bare.Text(), "");
}

TEST(EditBufferWords, CtrlArrowsAndDoubleClick)
{
    EditBuffer b;
    b.SetText("ab  cd,e  f");
    b.KeyDown(platform::vk::Right, platform::ModCtrl);
    EXPECT_EQ(b.Caret(), 4);
    b.KeyDown(platform::vk::Right, platform::ModCtrl | platform::ModShift);
    EXPECT_EQ(b.Caret(), 10);
    EXPECT_EQ(b.SelText(), "cd,e  ");
    b.MoveWordRight(false);
    EXPECT_EQ(b.Caret(), 11);
    b.MoveWordRight(false);
    EXPECT_EQ(b.Caret(), 11);
    b.MoveWordLeft(false);
    EXPECT_EQ(b.Caret(), 10);
    b.MoveWordLeft(false);
    EXPECT_EQ(b.Caret(), 4);
    b.MoveTo(3, false);            // inside blanks: back to the start of the word before
    b.MoveWordLeft(false);
    EXPECT_EQ(b.Caret(), 0);
    b.MoveWordLeft(false);
    EXPECT_EQ(b.Caret(), 0);

    b.DoubleClick(5);
    EXPECT_EQ(b.SelText(), "cd,e");
    b.DoubleClick(11);             // past the end: the last word
    EXPECT_EQ(b.SelText(), "f");
    b.DoubleClick(2);
    EXPECT_EQ(b.SelText(), "  ");
    EditBuffer empty;
    empty.DoubleClick(0);
    EXPECT_FALSE(empty.HasSelection());
}

TEST(EditBufferMouse, DragSelectsAndShiftClickExtends)
{
    EditBuffer b;
    b.SetText("123456");
    b.MouseDown(4, false);
    EXPECT_FALSE(b.HasSelection());
    b.MouseMove(1);
    EXPECT_EQ(b.SelText(), "234");
    b.MouseMove(99);               // clamped to the end
    EXPECT_EQ(b.SelText(), "56");
    b.MouseUp();
    b.MouseMove(0);                // no button: no effect
    EXPECT_EQ(b.SelText(), "56");
    b.MouseDown(2, true);
    EXPECT_EQ(b.SelText(), "34");
    EXPECT_EQ(b.Anchor(), 4);
}

TEST(EditBufferGeometry, PositionFromXPicksTheNearestBoundary)
{
    EditBuffer b;
    b.SetText("abcdef");
    EXPECT_EQ(b.PositionFromX(0, kFixed7), 0);
    EXPECT_EQ(b.PositionFromX(3, kFixed7), 0);    // left half of "a"
    EXPECT_EQ(b.PositionFromX(4, kFixed7), 1);    // right half of "a"
    EXPECT_EQ(b.PositionFromX(17, kFixed7), 2);
    EXPECT_EQ(b.PositionFromX(18, kFixed7), 3);
    EXPECT_EQ(b.PositionFromX(1000, kFixed7), 6);
    EXPECT_EQ(b.PositionFromX(-5, kFixed7), 0);

    // Positions are relative to the first visible character.
    b.SetScrollPos(3);
    EXPECT_EQ(b.XFromPosition(5, kFixed7), 14);
    EXPECT_EQ(b.XFromPosition(1, kFixed7), -14);
    EXPECT_EQ(b.PositionFromX(8, kFixed7), 4);
    EXPECT_EQ(b.PositionFromX(-10, kFixed7), 2);
    EXPECT_EQ(b.PositionFromX(-100, kFixed7), 0);

    // Proportional widths: "W" is wide, "i" narrow.
    const TextMeasure proportional = [](std::string_view s) {
        int w = 0;
        for (char c : s)
            w += c == 'W' ? 12 : c == 'i' ? 3 : 6;
        return w;
    };
    b.SetText("iWi");
    EXPECT_EQ(b.PositionFromX(8, proportional), 1);   // 3 .. 15: nearer 3
    EXPECT_EQ(b.PositionFromX(9, proportional), 2);   // tie goes right
    EXPECT_EQ(b.PositionFromX(16, proportional), 2);
    EXPECT_EQ(b.PositionFromX(17, proportional), 3);
}

TEST(EditBufferGeometry, ScrollingKeepsTheCaretVisible)
{
    EditBuffer b;
    b.SetText(std::string(20, 'x'));   // 140 px of text in a 50 px box: 7 characters fit
    b.ScrollCaretIntoView(50, kFixed7);
    EXPECT_EQ(b.ScrollPos(), 0);
    b.MoveEnd(false);
    b.ScrollCaretIntoView(50, kFixed7);
    const int x = b.XFromPosition(b.Caret(), kFixed7);
    EXPECT_LT(x, 50);
    EXPECT_GE(x, 50 - 7);              // scrolled no further than needed
    EXPECT_EQ(b.ScrollPos(), 13);

    b.MoveTo(15, false);               // still visible: no scrolling
    b.ScrollCaretIntoView(50, kFixed7);
    EXPECT_EQ(b.ScrollPos(), 13);
    b.MoveTo(5, false);                // left of the view: scroll to it
    b.ScrollCaretIntoView(50, kFixed7);
    EXPECT_EQ(b.ScrollPos(), 5);

    // Deleting the tail pulls the text back so the box stays filled.
    b.MoveEnd(false);
    b.ScrollCaretIntoView(50, kFixed7);
    for (int i = 0; i < 10; ++i)
        b.Backspace();
    b.ScrollCaretIntoView(50, kFixed7);
    EXPECT_EQ(b.ScrollPos(), 3);
    b.SelectAll();
    b.Backspace();
    b.ScrollCaretIntoView(50, kFixed7);
    EXPECT_EQ(b.ScrollPos(), 0);
}

TEST(EditBufferGeometry, LongTextStaysFast)
{
    EditBuffer b;
    b.SetText(std::string(10000, '7'));
    int measured = 0;
    const TextMeasure counting = [&](std::string_view s) {
        measured += int(s.size());
        return 7 * CountChars(s);
    };
    const auto start = std::chrono::steady_clock::now();
    b.MoveTo(5000, false);
    for (int i = 0; i < 1000; ++i) {
        b.Type("1");
        b.ScrollCaretIntoView(57, counting);
        (void)b.Text();
    }
    b.MoveEnd(false);
    b.ScrollCaretIntoView(57, counting);
    const int at = b.PositionFromX(30, counting);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(b.Length(), 11000);
    EXPECT_EQ(at, b.ScrollPos() + 4);
    // Scrolling measures only around the visible part, never the whole text per keystroke.
    EXPECT_LT(measured, 1001 * 200);
    EXPECT_LT(seconds, 5.0);
}

} // namespace
