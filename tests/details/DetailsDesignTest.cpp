// The details window's computation on its own: responses at the corner frequency and at DC,
// step responses that settle on the plotted span with the textbook overshoot, and tolerance
// bands that collapse at 0 %, cover the standard-pair curve and repeat for the same design.

#include "app/cli/CommandLine.h"
#include "app/details/AxisLabelText.h"
#include "app/details/DetailsDesign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

using details::TDetailsChoices;
using details::TDetailsDesign;

namespace {

cli::TRequest Request(const std::string& fc, const std::string& q, const std::string& r = "10k",
                      const std::string& c = "22n")
{
    const std::vector<std::string> words = {"design", "--fc", fc, "--q", q, "--r", r, "--c", c};
    const std::vector<std::string_view> views(words.begin(), words.end());
    return cli::ParseCommandLine(views);
}

const char* const kQs[] = {"0,3", "0,5", "0,71", "1", "1,7", "2,5"};

} // namespace

TEST(DetailsResponses, PhaseIsMinusAndPlusNinetyAtTheCornerAndDelayAtDcIsOneOverQOmega)
{
    for (const char* q : kQs) {
        const TDetailsDesign d(Request("1k", q), TDetailsChoices{});
        const double qv = d.Report().request.window.q;
        for (const auto& [curve, expected] : {std::pair{details::LowIdeal, -90.0}, std::pair{details::HighIdeal, 90.0}}) {
            const design::TSection& s = d.Section(curve);
            EXPECT_NEAR(s.PhaseDeg(s.NaturalFrequencyHz()), expected, 1e-9) << q;
            // The plotted grid is symmetric around fc: the phase crosses there between its
            // two middle points.
            const auto& phase = d.Curve(curve).phaseDeg;
            EXPECT_GT(phase[199], expected) << q;
            EXPECT_LT(phase[200], expected) << q;
            // Group delay at DC of both sections: d1 / d0 = 1 / (Q omega0); at fc / 100 it is
            // within (1/100)^2 of it.
            const double dc = 1 / (qv * 2 * std::numbers::pi * s.NaturalFrequencyHz());
            EXPECT_NEAR(d.Curve(curve).delayS.front(), dc, dc * 1e-3) << q;
        }
        EXPECT_EQ(d.Frequencies().size(), size_t(TDetailsDesign::Points));
        EXPECT_DOUBLE_EQ(d.Frequencies().front(), d.FcHz() / 100);
        EXPECT_DOUBLE_EQ(d.Frequencies().back(), d.FcHz() * 100);
    }
}

TEST(DetailsResponses, StepResponsesSettleWithinOnePercentOnTheSpanWithTheTextbookOvershoot)
{
    for (const char* q : kQs) {
        for (const char* fc : {"1", "1k", "500k"}) {
            const TDetailsDesign d(Request(fc, q), TDetailsChoices{});
            const double qv = d.Report().request.window.q;
            for (int k = 0; k < TDetailsDesign::StepCurves; ++k) {
                const std::vector<double>& y = d.Step(k);
                const double final = k % 2 == 0 ? 1.0 : 0.0;
                // The last quarter of the span stays within 1 % of the final value.
                for (size_t i = y.size() * 3 / 4; i < y.size(); ++i)
                    ASSERT_NEAR(y[i], final, 0.01) << "fc " << fc << " Q " << q << " curve " << k;
            }
            // The ideal low-pass overshoots by exp(-pi / sqrt(4 Q^2 - 1)) above Q 0.5, and
            // not at all at or below it.
            const std::vector<double>& low = d.Step(0);
            const double peak = *std::max_element(low.begin(), low.end());
            if (qv > 0.5)
                EXPECT_NEAR(peak - 1, std::exp(-std::numbers::pi / std::sqrt(4 * qv * qv - 1)), 2e-3) << q;
            else
                EXPECT_LE(peak, 1 + 1e-9) << q;
            EXPECT_DOUBLE_EQ(low.front(), 0.0);
            EXPECT_NEAR(d.Step(1).front(), 1.0, 1e-12);   // the high-pass passes the edge
        }
    }
}

TEST(DetailsBand, AtZeroPercentTheBandIsTheStandardPairCurve)
{
    TDetailsChoices choices;
    choices.tolerance = {0, 0};
    const TDetailsDesign d(Request("1k", "0,71"), choices);
    for (bool low : {true, false}) {
        const auto& standard = d.Curve(low ? details::LowStandard : details::HighStandard).magnitudeDb;
        for (size_t i = 0; i < standard.size(); ++i) {
            ASSERT_NEAR(d.BandEdge(low, false)[i], standard[i], 1e-9) << i;
            ASSERT_NEAR(d.BandEdge(low, true)[i], standard[i], 1e-9) << i;
        }
    }
}

TEST(DetailsBand, TheBandCoversTheStandardCurveEverywhereAndWidensWithTheTolerance)
{
    for (const char* q : kQs) {
        TDetailsChoices choices;
        const TDetailsDesign d(Request("2k", q), choices);
        choices.tolerance = {5, 10};
        const TDetailsDesign wide(Request("2k", q), choices);
        for (bool low : {true, false}) {
            const auto& standard = d.Curve(low ? details::LowStandard : details::HighStandard).magnitudeDb;
            double spread = 0, wideSpread = 0;
            for (size_t i = 0; i < standard.size(); ++i) {
                ASSERT_LE(d.BandEdge(low, false)[i], standard[i]) << q << " " << i;
                ASSERT_GE(d.BandEdge(low, true)[i], standard[i]) << q << " " << i;
                spread = std::max(spread, d.BandEdge(low, true)[i] - d.BandEdge(low, false)[i]);
                wideSpread = std::max(wideSpread, wide.BandEdge(low, true)[i] - wide.BandEdge(low, false)[i]);
            }
            EXPECT_GT(spread, 0.1) << q;   // 1 % and 5 % parts move the curve visibly
            EXPECT_GT(wideSpread, spread) << q;
            // Evaluated at one frequency, the band agrees with its plotted point.
            const auto [lower, upper] = d.Band(low).At(d.Frequencies()[123]);
            EXPECT_NEAR(lower, d.BandEdge(low, false)[123], 1e-9);
            EXPECT_NEAR(upper, d.BandEdge(low, true)[123], 1e-9);
        }
    }
}

TEST(DetailsBand, TheSameDesignGivesTheSameBandAndAnotherDesignAnother)
{
    const TDetailsDesign a(Request("1k", "0,71"), TDetailsChoices{});
    const TDetailsDesign b(Request("1k", "0,71"), TDetailsChoices{});
    const TDetailsDesign other(Request("1k", "0,71", "12k"), TDetailsChoices{});
    EXPECT_EQ(a.BandEdge(true, true), b.BandEdge(true, true));
    EXPECT_EQ(a.BandEdge(false, false), b.BandEdge(false, false));
    EXPECT_EQ(a.Band(true).SampleCount(), 500);
    // Another R gives other standard parts and another seed: another spread.
    EXPECT_NE(a.BandEdge(true, true), other.BandEdge(true, true));
}

TEST(DetailsOpAmp, AnIdealOpAmpGivesTheIdealCurvesAndARealOneSlowsTheSection)
{
    const TDetailsDesign ideal(Request("500k", "2,5"), TDetailsChoices{});
    EXPECT_EQ(ideal.Curve(details::LowOpAmp).magnitudeDb, ideal.Curve(details::LowIdeal).magnitudeDb);
    EXPECT_EQ(ideal.Curve(details::HighOpAmp).phaseDeg, ideal.Curve(details::HighIdeal).phaseDeg);
    TDetailsChoices choices;
    choices.gbwHz = 1e6;
    const TDetailsDesign slow(Request("500k", "2,5"), choices);
    // A 1 MHz part cannot make 500 kHz with Q 2.5: its section comes out far lower.
    ASSERT_TRUE(slow.Report().lowPass.opAmp.has_value());
    EXPECT_LT(slow.Section(details::LowOpAmp).NaturalFrequencyHz(), 0.9 * 500e3);
    EXPECT_GT(slow.Report().lowPass.gbwNeededHz, 1e6);
    EXPECT_EQ(slow.Section(details::LowOpAmp).PoleCount(), 3);
}

TEST(DetailsAxisLabels, NumbersTakeSiPrefixesAndTheDecimalComma)
{
    EXPECT_EQ(details::PrefixedLabel(10), "10");
    EXPECT_EQ(details::PrefixedLabel(100), "100");
    EXPECT_EQ(details::PrefixedLabel(1000), "1k");
    EXPECT_EQ(details::PrefixedLabel(2500), "2,5k");
    EXPECT_EQ(details::PrefixedLabel(1e7), "10M");
    EXPECT_EQ(details::PrefixedLabel(999.96), "1k");
    EXPECT_EQ(details::PrefixedLabel(2e-5, "s"), "20 µs");
    EXPECT_EQ(details::PrefixedLabel(1.5e-3, "s"), "1,5 ms");
    EXPECT_EQ(details::PrefixedLabel(0, "s"), "0 s");
    EXPECT_EQ(details::PrefixedLabel(-0.0), "0");
    EXPECT_EQ(details::PrefixedLabel(-250), "-250");
}
