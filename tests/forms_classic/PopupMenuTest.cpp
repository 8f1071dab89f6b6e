#include "forms/EditMenu.h"
#include "forms/PopupMenu.h"
#include "platform/Desktop.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::MakePixel;
using platform::Pixel;
using platform::Point;
using platform::Rect;

const TextMeasure kFixed6 = [](std::string_view s) { return 6 * int(s.size()); };
const Rect kClient{0, 0, 300, 200};

std::vector<bool> Enabled(const PopupMenu& menu)
{
    std::vector<bool> enabled;
    for (int i = 0; i < menu.Count(); ++i)
        if (!menu.Item(i).separator)
            enabled.push_back(menu.Item(i).enabled);
    return enabled;
}

// Undo, Cut, Copy, Paste, Delete, Select All.
using Flags = std::vector<bool>;

TEST(EditMenuRules, ItemsEnabledAsAClassicEditEnablesThem)
{
    std::string clip;
    EditBuffer b;
    b.SetClipboard({[&] { return clip; }, [&](const std::string& s) { clip = s; }});
    PopupMenu menu = EditMenu::Build(b);
    ASSERT_EQ(menu.Count(), 8);
    EXPECT_TRUE(menu.Item(1).separator);
    EXPECT_TRUE(menu.Item(6).separator);
    EXPECT_EQ(menu.Item(7).caption, "Select All");
    EXPECT_EQ(Enabled(menu), (Flags{false, false, false, false, false, false}));

    b.SetText("100");
    EXPECT_EQ(Enabled(EditMenu::Build(b)), (Flags{false, false, false, false, false, true}));
    b.Select(0, 1);
    EXPECT_EQ(Enabled(EditMenu::Build(b)), (Flags{false, true, true, false, true, true}));
    clip = "5";
    b.Type("2");
    EXPECT_EQ(Enabled(EditMenu::Build(b)), (Flags{true, false, false, true, false, true}));
    clip = "\r\n";   // nothing that pasting would insert
    EXPECT_FALSE(EditMenu::Build(b).Item(4).enabled);

    clip = "7";
    b.SetReadOnly(true);
    b.SelectAll();
    EXPECT_EQ(Enabled(EditMenu::Build(b)), (Flags{false, false, true, false, false, true}));
}

TEST(EditMenuRules, DeleteRemovesTheSelectionOnlyAndSelectAllChangesNoText)
{
    EditBuffer b;
    b.SetText("0,7");
    b.MoveTo(1, false);
    EXPECT_FALSE(EditMenu::Perform(b, emDelete));   // unlike the Delete key: no selection, no edit
    EXPECT_EQ(b.Text(), "0,7");
    EXPECT_FALSE(EditMenu::Perform(b, emSelectAll));
    EXPECT_TRUE(EditMenu::Perform(b, emDelete));
    EXPECT_EQ(b.Text(), "");
    EXPECT_TRUE(EditMenu::Perform(b, emUndo));
    EXPECT_EQ(b.Text(), "0,7");
    EXPECT_FALSE(EditMenu::Perform(b, 99));
}

PopupMenu ThreeWithGaps()
{
    // 0 A, 1 separator, 2 B (disabled), 3 C, 4 separator, 5 D
    PopupMenu m;
    m.AddItem("A", 10);
    m.AddSeparator();
    m.AddItem("B", 20, false);
    m.AddItem("Caption", 30);
    m.AddSeparator();
    m.AddItem("D", 40);
    return m;
}

TEST(PopupMenuLayout, SizeFromTheWidestCaptionAndPlacementInsideTheClient)
{
    PopupMenu m = ThreeWithGaps();
    m.Open(Point{10, 20}, kClient, kFixed6, 13);
    const int width = 2 * PopupMenu::kBorder + PopupMenu::kTextIndent + 6 * 7 + PopupMenu::kRightGap;
    const int height = 2 * PopupMenu::kBorder + 4 * 17 + 2 * PopupMenu::kSeparatorHeight;
    EXPECT_EQ(m.Bounds(), (Rect{10, 20, 10 + width, 20 + height}));
    EXPECT_EQ(m.ItemRect(0), (Rect{13, 23, 10 + width - 3, 40}));
    EXPECT_EQ(m.ItemRect(2).top, 23 + 17 + 9);
    EXPECT_EQ(m.ItemAt(Point{20, 24}), 0);
    EXPECT_EQ(m.ItemAt(Point{11, 24}), -1);   // on the frame
    EXPECT_THROW(m.ItemRect(6), EListError);

    // Near the bottom-right corner it opens up and to the left of the point.
    m.Open(Point{290, 190}, kClient, kFixed6, 13);
    EXPECT_EQ(m.Bounds(), (Rect{290 - width, 190 - height, 290, 190}));
    // Where neither side has room it is pushed inside the client area.
    m.Open(Point{50, 60}, Rect{0, 0, 100, 110}, kFixed6, 13);
    EXPECT_EQ(m.Bounds().right, 100);
    EXPECT_EQ(m.Bounds().left, 100 - width);
    EXPECT_EQ(m.Bounds().bottom, 110);
    m.Open(Point{5, 5}, Rect{0, 0, 20, 20}, kFixed6, 13);   // larger than the client
    EXPECT_EQ(m.Bounds().left, 0);
    EXPECT_EQ(m.Bounds().top, 0);
}

TEST(PopupMenuInput, KeysSkipSeparatorsAndDisabledItemsAndWrap)
{
    PopupMenu m = ThreeWithGaps();
    EXPECT_FALSE(m.KeyDown(platform::vk::Down).handled);   // closed: not ours
    m.Open(Point{0, 0}, kClient, kFixed6, 13);
    EXPECT_EQ(m.HotItem(), -1);
    std::vector<int> downs;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(m.KeyDown(platform::vk::Down).repaint);
        downs.push_back(m.HotItem());
    }
    EXPECT_EQ(downs, (std::vector<int>{0, 3, 5, 0}));
    EXPECT_TRUE(m.KeyDown(platform::vk::Up).handled);
    EXPECT_EQ(m.HotItem(), 5);
    m.KeyDown(platform::vk::Up);
    EXPECT_EQ(m.HotItem(), 3);
    m.KeyDown(platform::vk::Home);
    EXPECT_EQ(m.HotItem(), 0);
    m.KeyDown(platform::vk::End);
    EXPECT_EQ(m.HotItem(), 5);

    const PopupResult other = m.KeyDown('X');   // swallowed while open
    EXPECT_TRUE(other.handled);
    EXPECT_TRUE(m.IsOpen());

    m.KeyDown(platform::vk::Up);
    const PopupResult enter = m.KeyDown(platform::vk::Return);
    ASSERT_TRUE(enter.chosen.has_value());
    EXPECT_EQ(*enter.chosen, 30);
    EXPECT_FALSE(m.IsOpen());

    m.Open(Point{0, 0}, kClient, kFixed6, 13);
    const PopupResult escape = m.KeyDown(platform::vk::Escape);
    EXPECT_TRUE(escape.handled);
    EXPECT_FALSE(escape.chosen.has_value());
    EXPECT_FALSE(m.IsOpen());

    m.Open(Point{0, 0}, kClient, kFixed6, 13);
    EXPECT_FALSE(m.KeyDown(platform::vk::Return).chosen.has_value());   // nothing highlighted
    EXPECT_FALSE(m.IsOpen());

    // A menu with nothing enabled highlights nothing and cannot choose.
    PopupMenu dead;
    dead.AddItem("X", 1, false);
    dead.AddSeparator();
    dead.Open(Point{0, 0}, kClient, kFixed6, 13);
    dead.KeyDown(platform::vk::Down);
    EXPECT_EQ(dead.HotItem(), -1);
    PopupMenu empty;
    empty.Open(Point{0, 0}, kClient, kFixed6, 13);
    EXPECT_TRUE(empty.KeyDown(platform::vk::Up).handled);
}

TEST(PopupMenuInput, MouseHighlightsChoosesEnabledItemsAndOutsideClickCloses)
{
    PopupMenu m = ThreeWithGaps();
    m.Open(Point{0, 0}, kClient, kFixed6, 13);
    const auto centre = [&](int i) {
        const Rect r = m.ItemRect(i);
        return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    EXPECT_TRUE(m.MouseMove(centre(3)).repaint);
    EXPECT_EQ(m.HotItem(), 3);
    EXPECT_FALSE(m.MouseMove(centre(3)).repaint);   // no change, no repaint
    m.MouseMove(centre(1));
    EXPECT_EQ(m.HotItem(), -1);                     // separators are never highlighted
    m.MouseMove(centre(2));
    EXPECT_EQ(m.HotItem(), 2);                      // a disabled item shows, but...
    const PopupResult up = m.MouseUp(centre(2));
    EXPECT_FALSE(up.chosen.has_value());            // ...cannot be chosen
    EXPECT_TRUE(m.IsOpen());
    EXPECT_FALSE(m.MouseUp(centre(4)).chosen.has_value());
    m.MouseMove(Point{250, 150});
    EXPECT_EQ(m.HotItem(), -1);

    EXPECT_TRUE(m.MouseDown(centre(5)).handled);
    const PopupResult chosen = m.MouseUp(centre(5));
    ASSERT_TRUE(chosen.chosen.has_value());
    EXPECT_EQ(*chosen.chosen, 40);
    EXPECT_FALSE(m.IsOpen());
    EXPECT_FALSE(m.MouseDown(centre(5)).handled);   // closed: the owner gets its clicks again

    m.Open(Point{0, 0}, kClient, kFixed6, 13);
    const PopupResult outside = m.MouseDown(Point{250, 150});
    EXPECT_TRUE(outside.handled);
    EXPECT_TRUE(outside.repaint);
    EXPECT_FALSE(outside.chosen.has_value());
    EXPECT_FALSE(m.IsOpen());
}

TEST(PopupMenuPaint, RaisedFrameHighlightBarAndEtchedSeparator)
{
    ClassicPalette p = ClassicPalette::System();
    p.light = MakePixel(0xDD, 0xDD, 0xDD);
    p.menu = MakePixel(0xC1, 0xC1, 0xC1);
    constexpr Pixel paper = MakePixel(0x12, 0x34, 0x56);
    platform::Raster raster(200, 150, paper);
    platform::DeviceContext dc(raster);

    PopupMenu m = ThreeWithGaps();
    m.Open(Point{10, 10}, Rect{0, 0, 200, 150}, kFixed6, 13);
    m.KeyDown(platform::vk::Down);   // A is hot
    m.Paint(dc, p);
    const Rect b = m.Bounds();
    EXPECT_EQ(raster.At(b.left, b.top), p.light);
    EXPECT_EQ(raster.At(b.right - 1, b.top), p.darkShadow);
    EXPECT_EQ(raster.At(b.left, b.bottom - 1), p.darkShadow);
    EXPECT_EQ(raster.At(b.left + 1, b.top + 1), p.highlight);
    EXPECT_EQ(raster.At(b.right - 2, b.bottom - 2), p.shadow);
    EXPECT_EQ(raster.At(b.left + 2, b.top + 2), p.menu);
    EXPECT_EQ(raster.At(b.right, b.top), paper);         // must stay: outside the menu
    EXPECT_EQ(raster.At(b.left, b.bottom), paper);

    const Rect hot = m.ItemRect(0);
    EXPECT_EQ(raster.At(hot.left, hot.top), p.selection);
    EXPECT_EQ(raster.At(hot.right - 1, hot.bottom - 1), p.selection);
    int captionPixels = 0;   // the caption is written on the bar in the selection text colour
    for (int y = hot.top; y < hot.bottom; ++y)
        for (int x = hot.left; x < hot.right; ++x)
            captionPixels += raster.At(x, y) != p.selection;
    EXPECT_GT(captionPixels, 5);
    const Rect plain = m.ItemRect(3);
    EXPECT_EQ(raster.At(plain.left, plain.top), p.menu);

    const Rect sep = m.ItemRect(1);
    const int y = sep.top + PopupMenu::kSeparatorHeight / 2 - 1;
    EXPECT_EQ(raster.At(sep.left + 1, y), p.shadow);
    EXPECT_EQ(raster.At(sep.right - 3, y), p.shadow);
    EXPECT_EQ(raster.At(sep.left + 1, y + 1), p.highlight);
    EXPECT_EQ(raster.At(sep.left, y), p.menu);           // one pixel short of the frame
    EXPECT_EQ(raster.At(sep.left + 1, y - 1), p.menu);

    // A closed menu paints nothing.
    platform::Raster blank(50, 50, paper);
    platform::DeviceContext dc2(blank);
    m.Close();
    m.Paint(dc2, p);
    EXPECT_EQ(blank.At(20, 20), paper);
}

} // namespace
