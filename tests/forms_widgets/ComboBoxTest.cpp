// The drop-down box through the real loop: keys on the closed box, the list in the popup layer
// (opened by keys and by the mouse, choosing, cancelling, closing on a click elsewhere), typing
// in the editable style, the tab order, the disabled state, changes from code, and its pixels.

#include "tests/support/WindowFixture.h"

#include "forms/ClassicPalette.h"
#include "forms/TButton.h"
#include "forms/TComboBox.h"
#include "forms/TEdit.h"
#include "forms/TPopupLayer.h"
#include "forms/TStrings.h"

namespace {

class ComboBoxTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        edit = Add<TEdit>(10, 10, 100, 21);
        list = Add<TComboBox>(10, 40, 145, 21);
        list->SetStyle(csDropDownList);
        for (const char* item : {"Apple", "Banana", "Blueberry", "Cherry", "Date"})
            list->Items()->Add(item);
        typed = Add<TComboBox>(10, 70, 145, 21);
        for (const char* item : {"1M", "2.2M", "10M"})
            typed->Items()->Add(item);
        button = Add<TButton>(200, 160, 75, 25);
        button->SetDefault(true);
        for (TComboBox* box : {list, typed}) {
            box->SetOnChange([this, box](TObject*) { log.push_back(Name(box) + " change " + box->GetText()); });
            box->SetOnSelect([this, box](TObject*) { log.push_back(Name(box) + " select " + std::to_string(box->ItemIndex())); });
        }
        button->SetOnClick([this](TObject*) { log.push_back("click"); });
        Show();
    }

    std::string Name(const TComboBox* box) const { return box == list ? "list" : "typed"; }
    TPopupLayer& Layer() { return form->PopupLayer(); }
    void AltKey(uint16_t key) { Key(key, {}, platform::ModAlt); }

    Point ItemCentre(int index)
    {
        const Rect r = Layer().List().ItemRect(index);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    Point ButtonCentre(const TComboBox* box)
    {
        const Rect r = box->ButtonRect().Offset(box->Left(), box->Top());
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    platform::Pixel At(int x, int y) { return Window().LastFrame().At(x, y) | 0xFF000000u; }
    static platform::Pixel Opaque(platform::Pixel p) { return p | 0xFF000000u; }

    TEdit* edit = nullptr;
    TComboBox* list = nullptr;
    TComboBox* typed = nullptr;
    TButton* button = nullptr;
};

} // namespace

TEST_F(ComboBoxTest, ArrowsHomeAndEndMoveTheChoiceOfTheClosedBoxAndStopAtTheEnds)
{
    list->SetFocus();
    Key(vk::Down);
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(list->GetText(), "Apple");
    Key(vk::Down);
    Key(vk::End);
    Key(vk::Down);   // at the end: nothing happens
    Key(vk::Home);
    Key(vk::Up);     // at the start: nothing happens
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_TRUE(list->Focused());   // arrows stay in the box
    EXPECT_EQ(log, (Log{"list change Apple", "list select 0", "list change Banana", "list select 1", "list change Date",
                        "list select 4", "list change Apple", "list select 0"}));
}

TEST_F(ComboBoxTest, ALetterMovesToTheNextItemStartingWithItWrappingAround)
{
    list->SetItemIndex(0);
    list->SetFocus();
    Key('B', "b");
    EXPECT_EQ(list->ItemIndex(), 1);
    Key('B', "b");
    EXPECT_EQ(list->ItemIndex(), 2);
    Key('B', "B");
    EXPECT_EQ(list->ItemIndex(), 1);
    Key('Z', "z");   // no item starts with it
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->GetText(), "Banana");
}

TEST_F(ComboBoxTest, CyrillicLettersFindItemsInEitherCase)
{
    list->Items()->Clear();
    for (const char* item : {"арбуз", "Ёж", "ёлка", "Яблоко", "яма"})
        list->Items()->Add(item);
    list->SetItemIndex(0);
    list->SetFocus();
    // The keys of a Russian layout: Я on Z, А on F, Ё on the key left of 1.
    struct Step {
        uint16_t key;
        const char* letter;
        int index;
    };
    const Step steps[] = {{'Z', "Я", 3}, {'Z', "Я", 4}, {'Z', "я", 3}, {'F', "А", 0},
                          {0xC0, "ё", 1}, {0xC0, "Ё", 2}, {0xC0, "Ё", 1}};
    for (const Step& step : steps) {
        Key(step.key, step.letter);
        EXPECT_EQ(list->ItemIndex(), step.index) << step.letter;
    }
}

TEST_F(ComboBoxTest, AltDownOpensTheListWhoseKeysChooseOrCancelWithoutReachingTheWindow)
{
    list->SetItemIndex(1);
    list->SetFocus();
    AltKey(vk::Down);
    ASSERT_TRUE(Layer().IsListOpen());
    EXPECT_TRUE(list->DroppedDown());
    EXPECT_EQ(Layer().List().HotItem(), 1);
    Key(vk::Down);
    Key(vk::Down);
    EXPECT_EQ(list->ItemIndex(), 1);   // moving inside the list chooses nothing yet
    Key(vk::Return);                   // chooses; the default button does not see Enter
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(log, (Log{"list change Cherry", "list select 3"}));

    log.clear();
    Key(vk::F4);
    ASSERT_TRUE(Layer().IsListOpen());
    Key(vk::Up);
    Key(vk::Escape);
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_TRUE(log.empty());

    // Choosing the item already shown is still a choice, but no change.
    AltKey(vk::Up);
    ASSERT_TRUE(Layer().IsListOpen());
    Key(vk::Return);
    EXPECT_EQ(log, (Log{"list select 3"}));
    // With the list closed, Enter is the window's again.
    Key(vk::Return);
    EXPECT_EQ(log.back(), "click");
}

TEST_F(ComboBoxTest, TheMouseOpensTheListAndChoosesAnItemByClickOrByDragging)
{
    const Point b = ButtonCentre(typed);
    Click(b.x, b.y);
    ASSERT_TRUE(Layer().IsListOpen());
    EXPECT_TRUE(typed->Focused());
    const Rect bounds = Layer().List().Bounds();
    EXPECT_EQ(bounds.left, typed->Left());
    EXPECT_EQ(bounds.top, typed->Top() + typed->Height());
    EXPECT_EQ(bounds.Width(), typed->Width());
    const Point item = ItemCentre(1);
    Mouse(EventType::MouseMove, item.x, item.y);
    Click(item.x, item.y);
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(typed->GetText(), "2.2M");
    EXPECT_EQ(log, (Log{"typed change 2.2M", "typed select 1"}));

    // Press on a list-only box anywhere, drag into the list, release over an item.
    log.clear();
    Mouse(EventType::MouseDown, 30, 50);
    RunUntilIdle();
    ASSERT_TRUE(Layer().IsListOpen());
    const Point last = ItemCentre(4);
    Mouse(EventType::MouseMove, last.x, last.y);
    Mouse(EventType::MouseUp, last.x, last.y);
    RunUntilIdle();
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(list->GetText(), "Date");
    EXPECT_EQ(log, (Log{"list change Date", "list select 4"}));
}

TEST_F(ComboBoxTest, AClickOutsideTheOpenListClosesItAndGoesNowhereElse)
{
    list->SetFocus();
    AltKey(vk::Down);
    ASSERT_TRUE(Layer().IsListOpen());
    Click(230, 170);   // on the button
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(list->Focused());
    Click(230, 170);
    EXPECT_EQ(log, (Log{"click"}));
}

TEST_F(ComboBoxTest, TheEditableBoxKeepsAnyTypedTextAndFollowsItWithItsItem)
{
    typed->SetFocus();   // by keyboard or code: the whole text is selected
    for (char c : std::string("2.2m"))
        Key(uint16_t(c == '.' ? vk::OemPeriod : (c >= 'a' ? c - 32 : c)), std::string(1, c));
    EXPECT_EQ(typed->GetText(), "2.2m");
    EXPECT_EQ(typed->ItemIndex(), 1);   // equal to an item without regard to case
    Key('X', "x");
    EXPECT_EQ(typed->GetText(), "2.2mx");
    EXPECT_EQ(typed->ItemIndex(), -1);
    EXPECT_EQ(log, (Log{"typed change 2", "typed change 2.", "typed change 2.2", "typed change 2.2m",
                        "typed change 2.2mx"}));
    log.clear();
    // Home and End move the caret here; only Up and Down move among the items.
    Key(vk::Home);
    EXPECT_EQ(typed->Buffer().Caret(), 0);
    EXPECT_TRUE(log.empty());
    Key(vk::Down);
    EXPECT_EQ(typed->GetText(), "1M");
    EXPECT_EQ(typed->Buffer().SelLength(), 2);
    EXPECT_EQ(log, (Log{"typed change 1M", "typed select 0"}));
}

TEST_F(ComboBoxTest, TabWalksThroughTheBoxesInOrderAndDisabledOnesAreSkipped)
{
    edit->SetFocus();
    Key(vk::Tab);
    EXPECT_TRUE(list->Focused());
    Key(vk::Tab);
    EXPECT_TRUE(typed->Focused());
    Key(vk::Tab, {}, platform::ModShift);
    EXPECT_TRUE(list->Focused());
    list->SetEnabled(false);
    EXPECT_FALSE(list->Focused());
    edit->SetFocus();
    Key(vk::Tab);
    EXPECT_TRUE(typed->Focused());
}

TEST_F(ComboBoxTest, ADisabledBoxOpensNothingAndIsDrawnGrey)
{
    list->SetItemIndex(1);
    list->SetEnabled(false);
    Click(30, 50);
    const Point b = ButtonCentre(list);
    Click(b.x, b.y);
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(list->ItemIndex(), 1);
    const ClassicPalette palette = ClassicPalette::System();
    // The field in the face colour; the arrow embossed: shadow, with its highlight copy below.
    EXPECT_EQ(At(130, 45), Opaque(palette.face));
    const int ax = 141, ay = 48;   // the arrow's top-left pixel (see the look test below)
    EXPECT_EQ(At(ax, ay), Opaque(palette.shadow));
    EXPECT_EQ(At(ax + 7, ay + 1), Opaque(palette.highlight));
}

TEST_F(ComboBoxTest, ChangesFromCodeRaiseNoEventsAndKeepTextAndItemTogether)
{
    list->SetItemIndex(2);
    EXPECT_EQ(list->GetText(), "Blueberry");
    list->SetText("cherry");
    EXPECT_EQ(list->ItemIndex(), 3);
    list->SetText("no such item");   // a list-only box shows items only
    EXPECT_EQ(list->GetText(), "Cherry");
    list->SetItemIndex(99);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->GetText(), "");
    list->SetItemIndex(4);
    list->Items()->Delete(4);   // the chosen item went away
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->GetText(), "");
    typed->SetText("10m");
    EXPECT_EQ(typed->ItemIndex(), 2);
    typed->SetText("3.3M");
    EXPECT_EQ(typed->ItemIndex(), -1);
    EXPECT_EQ(typed->GetText(), "3.3M");
    EXPECT_TRUE(log.empty());
}

TEST_F(ComboBoxTest, TheListClosesWhenItsBoxLosesTheFocusOrIsDisabled)
{
    list->SetFocus();
    AltKey(vk::Down);
    ASSERT_TRUE(Layer().IsListOpen());
    edit->SetFocus();
    EXPECT_FALSE(Layer().IsOpen());
    list->SetFocus();
    list->SetDroppedDown(true);
    ASSERT_TRUE(Layer().IsListOpen());
    list->SetEnabled(false);
    EXPECT_FALSE(Layer().IsOpen());
    // A box that goes while its list is open takes its list with it.
    typed->SetFocus();
    typed->SetDroppedDown(true);
    delete typed;
    typed = nullptr;
    Key(vk::Return);
    EXPECT_FALSE(Layer().IsOpen());
}

TEST_F(ComboBoxTest, TheClosedAndTheOpenBoxHaveTheClassicLook)
{
    list->SetItemIndex(1);
    RunUntilIdle();
    const ClassicPalette palette = ClassicPalette::System();
    // The sunken edge: shadow then dark shadow at the top left, highlight then light at the
    // bottom right.
    EXPECT_EQ(At(10, 40), Opaque(palette.shadow));
    EXPECT_EQ(At(11, 41), Opaque(palette.darkShadow));
    EXPECT_EQ(At(154, 60), Opaque(palette.highlight));
    EXPECT_EQ(At(153, 59), Opaque(palette.light));
    // The button: 16 pixels wide inside the edge, raised, with a black arrow 7 x 4 in its face.
    const Rect button = list->ButtonRect().Offset(list->Left(), list->Top());
    EXPECT_EQ(button, (Rect{137, 42, 153, 59}));
    EXPECT_EQ(At(137, 42), Opaque(palette.highlight));
    EXPECT_EQ(At(152, 58), Opaque(palette.darkShadow));
    const int ax = 139 + (12 - 7) / 2, ay = 44 + (13 - 4) / 2;
    for (int x = ax; x < ax + 7; ++x)
        EXPECT_EQ(At(x, ay), Opaque(palette.windowText)) << x;
    EXPECT_EQ(At(ax + 3, ay + 3), Opaque(palette.windowText));
    EXPECT_EQ(At(ax + 2, ay + 3), Opaque(palette.face));
    EXPECT_EQ(At(ax - 1, ay), Opaque(palette.face));
    // Unfocused: white field; focused: the item on the selection colour.
    EXPECT_EQ(At(130, 50), Opaque(palette.window));
    list->SetFocus();
    RunUntilIdle();
    EXPECT_EQ(At(130, 50), Opaque(palette.selection));

    // Open: a black-framed white list right below the box, the hot item on the selection colour.
    AltKey(vk::Down);
    const Rect bounds = Layer().List().Bounds();
    EXPECT_EQ(bounds.top, 61);
    EXPECT_EQ(At(bounds.left, bounds.top), Opaque(palette.frame));
    EXPECT_EQ(At(bounds.right - 1, bounds.bottom - 1), Opaque(palette.frame));
    const Rect hot = Layer().List().ItemRect(1);
    const Rect other = Layer().List().ItemRect(3);
    EXPECT_EQ(At(hot.right - 3, hot.top + 2), Opaque(palette.selection));
    EXPECT_EQ(At(other.right - 3, other.top + 2), Opaque(palette.window));
    // Over the button that the list covers, the list wins.
    Key(vk::Escape);
    EXPECT_EQ(At(bounds.left + 1, bounds.top + 1), Opaque(palette.face));
}
