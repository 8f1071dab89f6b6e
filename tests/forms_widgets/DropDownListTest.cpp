// The drop-down list's state machine and placement on their own: scrolling a long list with
// keys and the wheel, the first-letter search, the keys that choose or cancel, and where the
// list goes when there is no room below its box.

#include "forms/DropDownList.h"
#include "platform/Desktop.h"

#include <gtest/gtest.h>

namespace vk = platform::vk;
using platform::Point;
using platform::Rect;

namespace {

DropDownList Numbers(int count)
{
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i)
        items.push_back(std::string(1, char('A' + i % 3)) + std::to_string(i));   // A0 B1 C2 A3 ...
    DropDownList list;
    list.SetItems(items);
    return list;
}

const Rect kBox{10, 100, 110, 121};
const Rect kClient{0, 0, 400, 400};

} // namespace

TEST(DropDownList, KeysMoveTheHotItemAndTheListScrollsToKeepItInView)
{
    DropDownList list = Numbers(20);
    list.Open(kBox, kClient, 13, 5, 12);
    EXPECT_EQ(list.HotItem(), 12);
    EXPECT_EQ(list.TopIndex(), 8);   // the chosen item is in view, at the bottom
    EXPECT_EQ(list.Bounds(), (Rect{10, 121, 110, 121 + 5 * 13 + 2}));
    list.Key(vk::Next, false);
    EXPECT_EQ(list.HotItem(), 16);
    EXPECT_EQ(list.TopIndex(), 12);
    list.Key(vk::End, false);
    list.Key(vk::Down, false);       // stops at the end
    EXPECT_EQ(list.HotItem(), 19);
    EXPECT_EQ(list.TopIndex(), 15);
    list.Key(vk::Prior, false);
    EXPECT_EQ(list.HotItem(), 15);
    EXPECT_EQ(list.TopIndex(), 15);
    list.Key(vk::Home, false);
    list.Key(vk::Up, false);         // stops at the start
    EXPECT_EQ(list.HotItem(), 0);
    EXPECT_EQ(list.TopIndex(), 0);
    // The pointer picks the item under it in the scrolled list.
    list.Wheel(-2);                  // toward the user: down by six
    EXPECT_EQ(list.TopIndex(), 6);
    EXPECT_EQ(list.HotItem(), 0);
    EXPECT_EQ(list.ItemAt({50, 122 + 2 * 13 + 1}), 8);
    list.Wheel(-10);
    EXPECT_EQ(list.TopIndex(), 15);  // never past the last full page
}

TEST(DropDownList, ALetterFindsTheNextItemStartingWithItWrapping)
{
    DropDownList list = Numbers(7);   // A0 B1 C2 A3 B4 C5 A6
    list.Open(kBox, kClient, 13, 8, 4);
    list.Key('A', false);
    EXPECT_EQ(list.HotItem(), 6);
    list.Key('A', false);
    EXPECT_EQ(list.HotItem(), 0);
    list.Key('Z', false);
    EXPECT_EQ(list.HotItem(), 0);
    EXPECT_TRUE(list.IsOpen());
}

TEST(DropDownList, ChoosingAndCancellingKeys)
{
    for (uint16_t key : {vk::Return, vk::Tab, vk::F4}) {
        DropDownList list = Numbers(3);
        list.Open(kBox, kClient, 13, 8, 1);
        list.Key(vk::Down, false);
        const PopupResult r = list.Key(key, false);
        EXPECT_FALSE(list.IsOpen());
        ASSERT_TRUE(r.chosen.has_value()) << key;
        EXPECT_EQ(*r.chosen, 2);
    }
    DropDownList list = Numbers(3);
    list.Open(kBox, kClient, 13, 8, 1);
    EXPECT_EQ(list.Key(vk::Up, true).chosen, std::optional<int>(1));   // Alt+Up
    list.Open(kBox, kClient, 13, 8, 1);
    const PopupResult cancel = list.Key(vk::Escape, false);
    EXPECT_FALSE(list.IsOpen());
    EXPECT_FALSE(cancel.chosen.has_value());
    list.Open(kBox, kClient, 13, 8, -1);   // nothing hot: Enter closes without a choice
    EXPECT_FALSE(list.Key(vk::Return, false).chosen.has_value());
    EXPECT_FALSE(list.IsOpen());
}

TEST(DropDownList, TheMouseHighlightsOverItemsAndChoosesOnRelease)
{
    DropDownList list = Numbers(3);
    list.Open(kBox, kClient, 13, 8, 0);
    EXPECT_TRUE(list.MouseMove({50, 122 + 13 + 5}).repaint);
    EXPECT_EQ(list.HotItem(), 1);
    EXPECT_FALSE(list.MouseMove({500, 5}).repaint);   // outside: the hot item stays
    EXPECT_EQ(list.HotItem(), 1);
    EXPECT_FALSE(list.MouseUp({10, 121}).chosen.has_value());   // on the frame
    EXPECT_TRUE(list.IsOpen());
    EXPECT_EQ(list.MouseUp({50, 122 + 26 + 5}).chosen, std::optional<int>(2));
    list.Open(kBox, kClient, 13, 8, 0);
    const PopupResult outside = list.MouseDown({5, 5});
    EXPECT_FALSE(list.IsOpen());
    EXPECT_TRUE(outside.handled);
    EXPECT_FALSE(outside.chosen.has_value());
}

TEST(DropDownList, TheListOpensAboveItsBoxWhenThereIsNoRoomBelowAndStaysInside)
{
    DropDownList list = Numbers(10);
    list.Open({10, 300, 110, 321}, {0, 0, 400, 400}, 13, 8, 0);   // 106 pixels do not fit below
    EXPECT_EQ(list.Bounds(), (Rect{10, 300 - 106, 110, 300}));
    list.Open({10, 60, 110, 81}, {0, 0, 400, 150}, 13, 8, 0);     // fits neither way
    EXPECT_EQ(list.Bounds().bottom, 150);
    EXPECT_EQ(list.Bounds().top, 150 - 106);
    DropDownList empty;
    empty.Open(kBox, kClient, 13, 8, 3);                            // one empty row
    EXPECT_EQ(empty.Bounds().Height(), 13 + 2);
    EXPECT_EQ(empty.HotItem(), -1);
    EXPECT_EQ(empty.ItemAt({50, 125}), -1);
}
