// The edit box's context menu through the real loop: opened by the right button or the
// context-menu key, drawn over the whole window, and taking the input while it is open.

#include "tests/support/WindowFixture.h"

#include "forms/ClassicPalette.h"
#include "forms/EditMenu.h"
#include "forms/TButton.h"
#include "forms/TEdit.h"
#include "forms/TPopupLayer.h"

namespace {

// Menu rows: 0 Undo, 1 separator, 2 Cut, 3 Copy, 4 Paste, 5 Delete, 6 separator, 7 Select All.
constexpr int kPaste = 4;
constexpr int kSelectAll = 7;

class EditMenuTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 100, 21);
        edit->SetText("100");
        // A button lower right, where the menu will cover it.
        button = new TButton(form);
        button->SetParent(form);
        button->SetBounds(40, 60, 120, 100);
        edit->SetOnChange([this](TObject*) { log.push_back("change " + edit->GetText()); });
        edit->SetOnKeyPress([this](TObject*, char& key) { log.push_back(std::string("press ") + key); });
        edit->SetOnKeyDown([this](TObject*, uint16_t& key, TShiftState) { log.push_back("down " + std::to_string(key)); });
        button->SetOnClick([this](TObject*) { log.push_back("click"); });
        Show();
    }

    TPopupLayer& Layer() { return form->PopupLayer(); }

    void RightClick(int x, int y)
    {
        Mouse(EventType::MouseDown, x, y, MouseButton::Right);
        Mouse(EventType::MouseUp, x, y, MouseButton::Right);
        RunUntilIdle();
    }

    Point Centre(int item) const
    {
        const Rect r = form->PopupLayer().Menu().ItemRect(item);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    void ClickItem(int item)
    {
        const Point p = Centre(item);
        Mouse(EventType::MouseMove, p.x, p.y);
        Click(p.x, p.y);
    }

    platform::Pixel At(int x, int y) { return Window().LastFrame().At(x, y) | 0xFF000000u; }

    TEdit* edit = nullptr;
    TButton* button = nullptr;
};

TEST_F(EditMenuTest, RightClickOpensTheMenuOverTheWindowAndPasteChangesTheTextOnce)
{
    desk->SetClipboardText("42");
    button->SetFocus();
    RightClick(20, 15);
    ASSERT_TRUE(Layer().IsOpen());
    EXPECT_TRUE(edit->Focused());   // the menu acts on the edit, so it takes the focus
    EXPECT_EQ(Layer().Menu().Bounds().left, 20);
    EXPECT_EQ(Layer().Menu().Bounds().top, 15);
    EXPECT_TRUE(Layer().Menu().Item(kPaste).enabled);

    // Painted last, over the button it covers: the highlighted row in the selection colour,
    // and the button again once the menu has closed.
    const Point paste = Centre(kPaste);
    const Point inside{Layer().Menu().ItemRect(kPaste).right - 2, paste.y};
    ASSERT_TRUE(button->BoundsRect().Contains(inside));
    Mouse(EventType::MouseMove, paste.x, paste.y);
    RunUntilIdle();
    EXPECT_EQ(Layer().Menu().HotItem(), kPaste);
    EXPECT_EQ(At(inside.x, inside.y), ClassicPalette::System().selection | 0xFF000000u);
    // Over the part of the menu that covers the edit the pointer is no I-beam.
    Mouse(EventType::MouseMove, 30, 25);
    RunUntilIdle();
    EXPECT_EQ(Window().CurrentCursor(), platform::Cursor::Arrow);

    ClickItem(kPaste);
    EXPECT_FALSE(Layer().IsOpen());
    // Showing focused the edit with its text selected; the paste replaced it.
    EXPECT_EQ(edit->GetText(), "42");
    EXPECT_EQ(log, (std::vector<std::string>{"change 42"}));   // no key-press, no click
    EXPECT_EQ(At(inside.x, inside.y), ColorToPixel(clBtnFace) | 0xFF000000u);
}

TEST_F(EditMenuTest, EscapeClosesWithoutAChangeAndNoKeyReachesTheEdit)
{
    RightClick(20, 15);
    ASSERT_TRUE(Layer().IsOpen());
    Key(vk::Down);
    Key(vk::Escape);
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(edit->GetText(), "100");
    EXPECT_TRUE(log.empty()) << log.front();

    // Afterwards the edit has its keys back.
    Type("5");
    EXPECT_EQ(log, (std::vector<std::string>{"down 53", "press 5", "change 5"}));
}

TEST_F(EditMenuTest, DisabledItemsCannotBeChosenByMouseOrEnter)
{
    desk->SetClipboardText("");
    RightClick(20, 15);
    ASSERT_TRUE(Layer().IsOpen());
    ASSERT_FALSE(Layer().Menu().Item(kPaste).enabled);

    ClickItem(kPaste);   // highlighted, but a release over it chooses nothing
    EXPECT_TRUE(Layer().IsOpen());
    EXPECT_EQ(Layer().Menu().HotItem(), kPaste);
    Key(vk::Return);     // Enter on a disabled highlight closes without a choice
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(edit->GetText(), "100");
    EXPECT_TRUE(log.empty());
}

TEST_F(EditMenuTest, TheKeyboardOpensTheMenuAndSelectAllSelectsWithoutAChangeEvent)
{
    edit->SetFocus();
    edit->Select(1, 0);
    RunUntilIdle();
    Key(vk::Apps);
    ASSERT_TRUE(Layer().IsOpen());
    EXPECT_GT(Layer().Menu().Bounds().top, edit->Top() + 10);   // below the text line
    Key(vk::End);
    EXPECT_EQ(Layer().Menu().HotItem(), kSelectAll);
    Key(vk::Return);
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(edit->SelLength(), 3);
    // Only the key-down that opened it reached the edit's handlers; no change event.
    EXPECT_EQ(log, (std::vector<std::string>{"down 93"}));

    log.clear();
    Key(vk::F1 + 9, {}, platform::ModShift);
    EXPECT_TRUE(Layer().IsOpen());
    Key(vk::Escape);
    EXPECT_FALSE(Layer().IsOpen());
}

TEST_F(EditMenuTest, AClickOutsideClosesTheMenuAndReachesNoControl)
{
    RightClick(20, 15);
    ASSERT_TRUE(Layer().IsOpen());
    const Rect menu = Layer().Menu().Bounds();
    const Point outside{menu.right + 5, 80};
    ASSERT_TRUE(button->BoundsRect().Contains(outside));
    Click(outside.x, outside.y);
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_TRUE(log.empty());   // neither the press nor its release reached the button
    Click(outside.x, outside.y);
    EXPECT_EQ(log, (std::vector<std::string>{"click"}));
}

TEST_F(EditMenuTest, AChoiceForAnEditThatWentAwayIsDropped)
{
    desk->SetClipboardText("7");
    RightClick(20, 15);
    ASSERT_TRUE(Layer().IsOpen());
    const Point paste = Centre(kPaste);
    delete edit;
    edit = nullptr;
    Mouse(EventType::MouseMove, paste.x, paste.y);
    Click(paste.x, paste.y);
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_TRUE(log.empty());
}

TEST_F(EditMenuTest, LeavingOrHidingTheWindowClosesTheMenu)
{
    RightClick(20, 15);
    ASSERT_TRUE(Layer().IsOpen());
    platform::Event out;
    out.type = EventType::FocusOut;
    out.window = form->NativeWindow().Id();
    desk->PostEvent(out);
    RunUntilIdle();
    EXPECT_FALSE(Layer().IsOpen());

    RightClick(20, 15);
    ASSERT_TRUE(Layer().IsOpen());
    form->Hide();
    EXPECT_FALSE(Layer().IsOpen());
}

TEST_F(EditMenuTest, ADisabledEditOpensNoMenu)
{
    edit->SetEnabled(false);
    RightClick(20, 15);
    EXPECT_FALSE(Layer().IsOpen());
}

} // namespace
