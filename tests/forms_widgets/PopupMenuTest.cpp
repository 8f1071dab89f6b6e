// A program's popup menu attached to controls, through the real loop: opened by the right
// button, the context-menu key and Shift+F10, prepared by OnPopup, choosing runs the item's
// handler, and nothing dangles when the menu, an item or the control goes while it is open.

#include "tests/support/WindowFixture.h"

#include "forms/ClassicPalette.h"
#include "forms/TButton.h"
#include "forms/TCustomPanel.h"
#include "forms/TEdit.h"
#include "forms/TMenuItem.h"
#include "forms/TPopupLayer.h"
#include "forms/TPopupMenu.h"

namespace {

class PopupMenuTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        panel = Add<TPanel>(20, 20, 200, 100);
        button = Add<TButton>(200, 160, 75, 25);
        edit = Add<TEdit>(20, 140, 100, 21);
        menu = new TPopupMenu(form);
        const TNotifyEvent chosen = [this](TObject* sender) {
            auto* item = static_cast<TMenuItem*>(sender);
            log.push_back("item " + std::to_string(item->MenuIndex()) + " " + item->Caption());
        };
        menu->Add("Details...", chosen);
        menu->Add("-");
        copyItem = menu->Add("Copy", chosen);
        menu->SetOnPopup([this](TObject*) {
            log.push_back(std::string("popup ") + (menu->PopupComponent() == panel ? "panel" : "other"));
            copyItem->SetEnabled(copyEnabled);
        });
        panel->SetPopupMenu(menu);
        button->SetPopupMenu(menu);
        Show();
    }

    void RightClick(int x, int y)
    {
        Mouse(EventType::MouseDown, x, y, MouseButton::Right);
        Mouse(EventType::MouseUp, x, y, MouseButton::Right);
        RunUntilIdle();
    }
    TPopupLayer& Layer() { return form->PopupLayer(); }
    Point Centre(int row)
    {
        const Rect r = Layer().Menu().ItemRect(row);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void ClickRow(int row)
    {
        const Point p = Centre(row);
        Mouse(EventType::MouseMove, p.x, p.y);
        Click(p.x, p.y);
    }

    TPanel* panel = nullptr;
    TButton* button = nullptr;
    TEdit* edit = nullptr;
    TPopupMenu* menu = nullptr;
    TMenuItem* copyItem = nullptr;
    bool copyEnabled = false;
};

} // namespace

TEST_F(PopupMenuTest, ARightClickOpensTheMenuAfterOnPopupAndAChosenItemRunsItsHandler)
{
    RightClick(50, 60);
    ASSERT_TRUE(Layer().IsMenuOpen());
    EXPECT_TRUE(menu->IsOpen());
    EXPECT_EQ(menu->PopupComponent(), panel);
    EXPECT_EQ(Layer().Menu().Bounds().left, 50);
    EXPECT_EQ(Layer().Menu().Bounds().top, 60);
    ASSERT_EQ(Layer().Menu().Count(), 3);
    EXPECT_TRUE(Layer().Menu().Item(1).separator);
    EXPECT_FALSE(Layer().Menu().Item(2).enabled);   // OnPopup disabled it
    // Drawn over the panel: the menu's raised frame at its corner.
    EXPECT_EQ(Window().LastFrame().At(50, 60) | 0xFF000000u, ClassicPalette::System().light | 0xFF000000u);
    ClickRow(0);
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(log, (Log{"popup panel", "item 0 Details..."}));
}

TEST_F(PopupMenuTest, OnlyEnabledItemsCanBeChosen)
{
    RightClick(50, 60);
    ClickRow(2);   // disabled: the menu stays open and nothing runs
    EXPECT_TRUE(Layer().IsOpen());
    Key(vk::Escape);
    EXPECT_FALSE(Layer().IsOpen());
    copyEnabled = true;
    RightClick(50, 60);
    Key(vk::Up);   // from no item, Up goes to the last enabled one
    Key(vk::Return);
    EXPECT_EQ(log, (Log{"popup panel", "popup panel", "item 2 Copy"}));
}

TEST_F(PopupMenuTest, TheContextMenuKeyAndShiftF10OpenTheMenuOfTheFocusedControl)
{
    form->SetBounds(0, 0, 500, 400);   // room for the menu right of and below the button
    button->SetFocus();
    Key(vk::Apps);
    ASSERT_TRUE(Layer().IsMenuOpen());
    EXPECT_EQ(menu->PopupComponent(), button);
    EXPECT_EQ(Layer().Menu().Bounds().left, 200 + 75 / 2);
    EXPECT_EQ(Layer().Menu().Bounds().top, 160 + 25 / 2);
    Key(vk::Escape);
    Key(vk::F10, {}, platform::ModShift);
    EXPECT_TRUE(Layer().IsMenuOpen());
    Key(vk::Escape);
    Key(vk::F10);   // without Shift it is no menu key
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(log, (Log{"popup other", "popup other"}));
}

TEST_F(PopupMenuTest, ControlsWithoutAMenuKeepTheirOwnBehaviour)
{
    RightClick(260, 40);   // the window itself has no menu
    EXPECT_FALSE(Layer().IsOpen());
    RightClick(30, 150);   // the edit box opens its own menu
    ASSERT_TRUE(Layer().IsMenuOpen());
    EXPECT_EQ(Layer().Menu().Item(0).caption, "Undo");
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_TRUE(log.empty());
}

TEST_F(PopupMenuTest, HiddenItemsAreLeftOutAndAMenuWithNothingToShowStaysClosed)
{
    menu->Items(0)->SetVisible(false);
    RightClick(50, 60);
    ASSERT_TRUE(Layer().IsMenuOpen());
    ASSERT_EQ(Layer().Menu().Count(), 2);   // the separator and Copy
    Key(vk::Escape);
    menu->Items(2)->SetVisible(false);
    menu->Items(1)->SetVisible(false);
    EXPECT_FALSE(menu->Popup(panel, {5, 5}));
    EXPECT_FALSE(Layer().IsOpen());
    panel->SetEnabled(false);
    menu->Items(0)->SetVisible(true);
    EXPECT_FALSE(menu->Popup(panel, {5, 5}));   // a disabled control opens no menu
}

TEST_F(PopupMenuTest, NothingDanglesWhenTheMenuOrAnItemGoesWhileTheMenuIsOpen)
{
    copyEnabled = true;
    RightClick(50, 60);
    const Point copy = Centre(2);
    delete menu->Items(0);   // the open menu still shows it; choosing it now does nothing
    ClickRow(0);
    EXPECT_EQ(log, (Log{"popup panel"}));
    RightClick(50, 60);
    ASSERT_TRUE(Layer().IsMenuOpen());
    delete menu;
    menu = nullptr;
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(panel->GetPopupMenu(), nullptr);
    EXPECT_EQ(button->GetPopupMenu(), nullptr);
    Click(copy.x, copy.y);
    RightClick(50, 60);
    EXPECT_FALSE(Layer().IsOpen());
    EXPECT_EQ(log, (Log{"popup panel", "popup panel"}));
}

TEST_F(PopupMenuTest, AControlThatGoesIsNoLongerThePopupComponent)
{
    RightClick(50, 60);
    Key(vk::Escape);
    ASSERT_EQ(menu->PopupComponent(), panel);
    delete panel;
    panel = nullptr;
    EXPECT_EQ(menu->PopupComponent(), nullptr);
}
