// Text lists.

#include "forms/TStringList.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

TEST(StringList, EditsRaiseOneChangeEachAndBatchesOneInAll)
{
    TStringList lines;
    int changing = 0, changed = 0;
    lines.SetOnChanging([&](TObject*) { ++changing; });
    lines.SetOnChange([&](TObject*) { ++changed; });
    lines.Add("a");
    lines.Insert(0, "b");
    lines.Put(1, "c");
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(changing, 3);
    lines.Put(1, "c");   // the same text changes nothing
    EXPECT_EQ(changed, 3);

    lines.BeginUpdate();
    lines.Add("d");
    lines.Delete(0);
    lines.EndUpdate();
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(changing, 4);
    lines.BeginUpdate();
    lines.EndUpdate();   // an empty batch says nothing
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(lines.Text(), "c\r\nd\r\n");
    EXPECT_EQ(lines.IndexOf("D"), 1);
}

TEST(StringList, BadIndexesRaiseAndChangeNothing)
{
    TStringList lines;
    lines.Add("a");
    try {
        lines.Get(1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (1)");
    }
    EXPECT_THROW(lines.Insert(2, "x"), EListError);
    EXPECT_THROW(lines.Delete(-1), EListError);
    EXPECT_THROW(lines.Put(3, "x"), EListError);
    EXPECT_EQ(lines.Count(), 1);
}

TEST(StringList, TextSplitsAtEveryLineBreakAndAssignCopies)
{
    TStringList lines;
    lines.SetText("one\r\ntwo\nthree\rfour\r\n");
    EXPECT_EQ(lines.Count(), 4);
    EXPECT_EQ(lines.Get(3), "four");
    lines.SetText("a\n\nb");
    EXPECT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Get(1), "");

    TStringList copy;
    copy.Add("old");
    copy.Assign(&lines);
    EXPECT_TRUE(copy.Equals(lines));
}
