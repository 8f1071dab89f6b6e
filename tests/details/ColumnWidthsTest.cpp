// Column widths from the texts' needs and the planned shares: the plan where the texts fit it,
// every text whole where the width allows, never wider than the table.

#include "app/details/ColumnWidths.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using details::FitColumnWidths;

int Sum(const std::vector<int>& widths)
{
    return std::accumulate(widths.begin(), widths.end(), 0);
}

TEST(ColumnWidths, ThePlanStandsWhereTheTextsFitItAndTheRoundingRestGoesToTheEnd)
{
    EXPECT_EQ(FitColumnWidths({40, 60, 60}, {100, 100, 100}, 300), (std::vector<int>{100, 100, 100}));
    // Three pixels over the plan: spread like the plan, the remainder to the last column.
    const auto widths = FitColumnWidths({40, 60, 60}, {100, 100, 100}, 303);
    EXPECT_EQ(widths, (std::vector<int>{101, 101, 101}));
    EXPECT_EQ(Sum(FitColumnWidths({10, 10, 10, 10}, {30, 30, 30, 30}, 125)), 125);
}

TEST(ColumnWidths, AColumnThatNeedsMoreTakesItFromTheOthersWithinTheirNeeds)
{
    // The middle column needs 150 of a planned 100: the others give way but keep their texts.
    const auto widths = FitColumnWidths({40, 150, 80}, {100, 100, 100}, 300);
    EXPECT_EQ(Sum(widths), 300);
    EXPECT_EQ(widths[1], 150);
    EXPECT_GE(widths[0], 40);
    EXPECT_GE(widths[2], 80);
    // The room above the needs (30) goes by what each still lacked (60 and 20), the rounding
    // remainder to the last.
    EXPECT_EQ(widths[0], 40 + 22);
    EXPECT_EQ(widths[2], 80 + 8);

    // Exactly the needs' room: every column its need.
    EXPECT_EQ(FitColumnWidths({40, 150, 80}, {100, 100, 100}, 270), (std::vector<int>{40, 150, 80}));
}

TEST(ColumnWidths, NeedsBeyondTheWidthAreKeptAndEmptyColumnsGetTheirShare)
{
    // Not even the needs fit: they are returned, the table clips at its right edge.
    EXPECT_EQ(FitColumnWidths({200, 200}, {100, 100}, 300), (std::vector<int>{200, 200}));
    // A column without text (need 0) keeps its planned share.
    EXPECT_EQ(FitColumnWidths({0, 50}, {100, 100}, 200), (std::vector<int>{100, 100}));
    EXPECT_TRUE(FitColumnWidths({}, {}, 100).empty());
}

} // namespace
