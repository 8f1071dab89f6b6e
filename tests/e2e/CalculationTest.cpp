// Typing into the fields and pressing Enter (which presses "Go"): the curves of both
// sections appear, each in its own chart and colour; an out-of-range Q is clamped, marked
// and reported by the blue banner, and both charts are emptied.

#include "tests/e2e/Filter2Session.h"
#include "tests/e2e/MainWindowLayout.h"

using Calculation = Filter2Session;

namespace {

// The plot area of a chart: inside the two lowered bevels.
ClientRect Plot(const ClientRect& chart)
{
    return chart.Inset(4);
}

bool BothCurves(const ClientShot& shot)
{
    return shot.Count(Plot(layout::LowPassChart), IsRed) > 100 && shot.Count(Plot(layout::HighPassChart), IsBlue) > 100;
}

bool RangeBannerShown(const ClientShot& shot)
{
    return shot.Share(layout::RangeBanner, IsBlue) > 0.6 && shot.Count(layout::RangeBanner, IsYellow) > 40;
}

// Inside the edit box's sunken edge.
ClientRect FieldInside(const ClientRect& field)
{
    return field.Inset(3);
}

} // namespace

TEST_F(Calculation, TypingAFrequencyAndEnterDrawsRedLowPassAndBlueHighPassCurves)
{
    ClientShot before = Shot("before");
    ASSERT_EQ(before.Count(Plot(layout::LowPassChart), IsRed), 0);
    ASSERT_EQ(before.Count(Plot(layout::HighPassChart), IsBlue), 0);

    ReplaceText(layout::FrequencyField, "1000");
    PressKeys({"Return"});

    // The wait is for the whole expected picture, so that no check below looks at a frame
    // that is still on its way to the screen; on a timeout the checks say what is missing.
    auto after = ShotWhen("curves", [&](const ClientShot& shot) {
        return BothCurves(shot) && !shot.SameAs(before, layout::C1Value);
    });
    EXPECT_TRUE(after.held) << "the window did not show the result within 8 s after Enter; see "
                            << after.shot.Path();
    EXPECT_GT(after.shot.Count(Plot(layout::LowPassChart), IsRed), 100) << "no red curve in the low-pass chart";
    EXPECT_GT(after.shot.Count(Plot(layout::HighPassChart), IsBlue), 100) << "no blue curve in the high-pass chart";
    // Each colour stays in its own chart.
    EXPECT_EQ(after.shot.Count(Plot(layout::HighPassChart), IsRed), 0);
    EXPECT_EQ(after.shot.Count(Plot(layout::LowPassChart), IsBlue), 0);
    // The curves stay inside their charts' plot areas.
    ClientRect all{0, 0, layout::ClientWidth, layout::ClientHeight};
    EXPECT_EQ(after.shot.Count(all, IsRed), after.shot.Count(Plot(layout::LowPassChart), IsRed));
    // The calculation ran: the C1 value no longer shows the "0" of start-up.
    EXPECT_FALSE(after.shot.SameAs(before, layout::C1Value)) << "the C1 value did not change";
    EXPECT_LT(after.shot.Share(layout::RangeBanner, IsBlue), 0.1) << "1000 Hz is in range, yet the banner shows";
}

TEST_F(Calculation, QOfThreeIsClampedMarkedReportedAndEmptiesBothCharts)
{
    // First a calculation with the start values, so that both charts hold a curve.
    PressKeys({"Return"});
    auto drawn = ShotWhen("curves", BothCurves);
    ASSERT_TRUE(drawn.held) << "Enter at start-up drew no curves; see " << drawn.shot.Path();

    ReplaceText(layout::QField, "3");
    PressKeys({"Return"});

    auto clamped = ShotWhen("clamped", [](const ClientShot& shot) {
        return RangeBannerShown(shot) && shot.Share(FieldInside(layout::QField), IsYellow) > 0.5 &&
               shot.Count(Plot(layout::LowPassChart), IsRed) == 0 && shot.Count(Plot(layout::HighPassChart), IsBlue) == 0;
    });
    EXPECT_TRUE(clamped.held) << "the window did not show the clamp within 8 s; see " << clamped.shot.Path();
    EXPECT_TRUE(RangeBannerShown(clamped.shot)) << "no blue out-of-range banner with yellow text";
    EXPECT_GT(clamped.shot.Share(FieldInside(layout::QField), IsYellow), 0.5) << "the Q field is not yellow";
    EXPECT_LT(clamped.shot.Share(FieldInside(layout::FrequencyField), IsYellow), 0.1) << "fc marked, not Q";
    EXPECT_EQ(clamped.shot.Count(Plot(layout::LowPassChart), IsRed), 0) << "the low-pass curve is still shown";
    EXPECT_EQ(clamped.shot.Count(Plot(layout::HighPassChart), IsBlue), 0) << "the high-pass curve is still shown";

    // The field now holds the limit "2,5", a valid Q: the next Enter (the focus is in the Q
    // field) computes again, hides the banner, restores the field's colour and draws both curves.
    PressKeys({"Return"});
    auto again = ShotWhen("again", [](const ClientShot& shot) {
        return BothCurves(shot) && shot.Share(layout::RangeBanner, IsBlue) < 0.1 &&
               shot.Share(FieldInside(layout::QField), IsYellow) < 0.1;
    });
    EXPECT_TRUE(again.held) << "the window did not show the new result within 8 s; see " << again.shot.Path();
    EXPECT_TRUE(BothCurves(again.shot)) << "Enter after the clamp drew no curves";
    EXPECT_LT(again.shot.Share(layout::RangeBanner, IsBlue), 0.1) << "the banner stays";
    EXPECT_LT(again.shot.Share(FieldInside(layout::QField), IsYellow), 0.1) << "the Q field stays yellow";
}
