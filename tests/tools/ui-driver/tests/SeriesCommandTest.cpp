// "series CHART [INDEX]": without an index, or with 0, exactly the plain command's answer; any
// other index reads that series; bad or missing indexes are errors.

#include "DriverSession.h"

#include <gtest/gtest.h>

namespace {

TEST(SeriesCommand, IndexZeroIsThePlainCommandsAnswer)
{
    const auto r = RunSession("click Button2\n"
                              "series Chart2\n"
                              "series Chart2 0\n"
                              "series Chart3\n"
                              "series Chart3 0\n");
    ASSERT_EQ(r.size(), 5u);
    // The computed curves: a count line and that many points.
    ASSERT_GT(r[1].size(), 10u);
    EXPECT_EQ(r[1].substr(0, r[1].find('\n')), "100");
    EXPECT_EQ(r[2], r[1]);
    EXPECT_EQ(r[4], r[3]);
    EXPECT_NE(r[3], r[1]);   // two different curves
}

TEST(SeriesCommand, TheIndexChoosesTheSeries)
{
    const auto r = RunSession("use Probe\n"
                              "series ProbeChart\n"
                              "series ProbeChart 1\n"
                              "series probechart 1\n",
                              OpenProbeWindow);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[1], "2\n1 10\n2 20\n");
    EXPECT_EQ(r[2], "3\n1 -1\n2 -2\n3 -3\n");
    EXPECT_EQ(r[3], r[2]);
}

TEST(SeriesCommand, BadIndexesAreErrors)
{
    const auto r = RunSession("use Probe\n"
                              "series ProbeChart 2\n"
                              "series ProbeChart -1\n"
                              "series ProbeChart one\n"
                              "series ProbeChart 1x\n"
                              "series ProbeChart 1 2\n"
                              "series ProbeEdit 0\n"
                              "series Nowhere 1\n"
                              "use\n"
                              "series Chart2 1\n",
                              OpenProbeWindow);
    ASSERT_EQ(r.size(), 10u);
    EXPECT_EQ(r[1], "error: ProbeChart has no series 2\n");
    EXPECT_EQ(r[2], "error: ProbeChart has no series -1\n");
    for (int i : {3, 4, 5})
        EXPECT_EQ(r[i], "error: series takes CHART [INDEX]\n");
    EXPECT_EQ(r[6], "error: no chart named ProbeEdit\n");
    EXPECT_EQ(r[7], "error: no chart named Nowhere\n");
    EXPECT_EQ(r[9], "error: Chart2 has no series 1\n");
}

} // namespace
