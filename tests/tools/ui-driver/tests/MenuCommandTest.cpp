// "menu" and "menu N": the open popup menu of the addressed window listed with its enabled
// flags, and an item chosen by a click as a user would; disabled items and separators do
// nothing and say so.

#include "DriverSession.h"

#include <gtest/gtest.h>

namespace {

struct Item {
    std::string caption;
    bool enabled;
    bool separator;
};

std::vector<Item> Items(const std::string& reply)
{
    std::vector<Item> items;
    for (const JsonValue& line : JsonLines(reply)) {
        EXPECT_EQ(line["index"].Number(), double(items.size()));
        items.push_back({line["caption"].String(), line["enabled"].Bool(), line["separator"].Bool()});
    }
    return items;
}

TEST(MenuCommand, TheEditMenuListsItsItemsAndTheirState)
{
    const auto r = RunSession("rclick Edit4\n"
                              "menu\n"
                              "menu 7\n"
                              "menu\n"
                              "dump\n"
                              "rclick Edit4\n"
                              "menu\n");
    ASSERT_EQ(r.size(), 7u);
    const auto before = Items(r[1]);
    ASSERT_EQ(before.size(), 8u);
    const char* captions[] = {"Undo", "-", "Cut", "Copy", "Paste", "Delete", "-", "Select All"};
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(before[i].caption, captions[i]);
    EXPECT_TRUE(before[1].separator);
    EXPECT_TRUE(before[6].separator);
    EXPECT_FALSE(before[1].enabled);
    // Nothing selected yet: only "Select All" can be chosen (the clipboard is empty).
    for (size_t i = 0; i < 7; ++i)
        EXPECT_FALSE(before[i].enabled) << before[i].caption;
    EXPECT_TRUE(before[7].enabled);

    // "Select All" chosen: the menu has closed and the whole text is selected.
    EXPECT_EQ(r[2], "");
    EXPECT_EQ(r[3], "error: no popup menu is open\n");
    const JsonValue edit = Described(r[4], "Edit4");
    EXPECT_EQ(edit["selStart"].Number(), 0);
    EXPECT_GT(edit["text"].String().size(), 0u);
    EXPECT_EQ(edit["selLength"].Number(), double(edit["text"].String().size()));
    const auto after = Items(r[6]);
    ASSERT_EQ(after.size(), 8u);
    EXPECT_TRUE(after[2].enabled);   // Cut
    EXPECT_TRUE(after[3].enabled);   // Copy
    EXPECT_TRUE(after[5].enabled);   // Delete
}

TEST(MenuCommand, ChosenItemsActAsAClickWould)
{
    // Copy from Edit4, paste over the whole of Edit3, both through the menus.
    const auto r = RunSession("click Edit4\n"
                              "key Home\n"
                              "key Shift+End\n"
                              "rclick Edit4\n"
                              "menu 3\n"
                              "click Edit3\n"
                              "key Home\n"
                              "key Shift+End\n"
                              "rclick Edit3\n"
                              "menu\n"
                              "menu 4\n"
                              "dump\n");
    ASSERT_EQ(r.size(), 12u);
    EXPECT_EQ(r[4], "");
    EXPECT_TRUE(Items(r[9]).at(4).enabled);   // Paste, now that the clipboard holds text
    EXPECT_EQ(r[10], "");
    EXPECT_EQ(Described(r[11], "Edit3")["text"].String(), Described(r[11], "Edit4")["text"].String());
}

TEST(MenuCommand, DisabledItemsAndSeparatorsDoNothing)
{
    const auto r = RunSession("menu\n"
                              "menu 0\n"
                              "rclick Edit4\n"
                              "menu 0\n"
                              "menu 1\n"
                              "menu 8\n"
                              "menu -1\n"
                              "menu x\n"
                              "menu 1 2\n"
                              "menu\n"
                              "key Escape\n"
                              "menu\n");
    ASSERT_EQ(r.size(), 12u);
    EXPECT_EQ(r[0], "error: no popup menu is open\n");
    EXPECT_EQ(r[1], "error: no popup menu is open\n");
    EXPECT_EQ(r[3], "error: menu item 0 is disabled\n");
    EXPECT_EQ(r[4], "error: menu item 1 is a separator\n");
    EXPECT_EQ(r[5], "error: no menu item 8\n");
    EXPECT_EQ(r[6], "error: no menu item -1\n");
    EXPECT_EQ(r[7], "error: menu takes [N]\n");
    EXPECT_EQ(r[8], "error: menu takes [N]\n");
    // The menu is still open after all that, until Escape closes it.
    EXPECT_EQ(Items(r[9]).size(), 8u);
    EXPECT_EQ(r[11], "error: no popup menu is open\n");
}

TEST(MenuCommand, AProgramsPopupMenuInAnotherWindow)
{
    const auto r = RunSession("use Probe\n"
                              "rclick ProbePad\n"
                              "menu\n"
                              "use\n"
                              "menu\n"
                              "use Probe\n"
                              "menu 1\n"
                              "menu 0\n"
                              "dump\n",
                              OpenProbeWindow);
    ASSERT_EQ(r.size(), 9u);
    // The invisible item is not shown.
    const auto items = Items(r[2]);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].caption, "Open");
    EXPECT_TRUE(items[0].enabled);
    EXPECT_EQ(items[1].caption, "Locked");
    EXPECT_FALSE(items[1].enabled);
    EXPECT_TRUE(items[2].separator);
    // The main window has no menu open.
    EXPECT_EQ(r[4], "error: no popup menu is open\n");
    EXPECT_EQ(r[6], "error: menu item 1 is disabled\n");
    EXPECT_EQ(r[7], "");
    EXPECT_EQ(Described(r[8], "ProbeLabel")["text"].String(), "opened");
}

} // namespace
