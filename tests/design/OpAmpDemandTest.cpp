// A real op-amp's effect: the smallest gain-bandwidth product that keeps fc and Q within 1 %,
// and what a slow op-amp does to a fast section.

#include "app/design/OpAmpDemand.h"
#include "app/design/Section.h"
#include "app/design/ValueText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace design;

namespace {

double Worst(const TOpAmpEffect& e)
{
    return std::max(std::abs(e.fcErrorPct), std::abs(e.qErrorPct));
}

} // namespace

TEST(OpAmpDemand, NeededGbwIsTheEdgeOfTheOnePercentBand)
{
    for (double fc : {10.0, 1000.0, 100e3, 500e3})
        for (double q : {0.3, 0.71, 2.5}) {
            const TLowPassParts lp = EqualResistorLowPass(fc, q, 10e3);
            const THighPassParts hp = EqualCapacitorHighPass(fc, q, 10e-9);
            const double low = LowPassGbwNeeded(lp);
            const double high = HighPassGbwNeeded(hp);
            for (double factor : {1.0001, 1.5, 10.0, 1000.0}) {
                EXPECT_LE(Worst(LowPassOpAmpEffect(lp, TOpAmp::SinglePole(low * factor))), 1.0) << fc << " " << q;
                EXPECT_LE(Worst(HighPassOpAmpEffect(hp, TOpAmp::SinglePole(high * factor))), 1.0) << fc << " " << q;
            }
            EXPECT_GT(Worst(LowPassOpAmpEffect(lp, TOpAmp::SinglePole(low * 0.999))), 1.0) << fc << " " << q;
            EXPECT_GT(Worst(HighPassOpAmpEffect(hp, TOpAmp::SinglePole(high * 0.999))), 1.0) << fc << " " << q;
            // The effect depends on frequency ratios only: the need grows with fc.
            const double tenTimes = LowPassGbwNeeded(EqualResistorLowPass(fc * 10, q, 10e3));
            EXPECT_NEAR(tenTimes / low, 10, 1e-3);
        }
}

TEST(OpAmpDemand, AOneMegahertzPartCannotMake500KilohertzAtQ2Point5)
{
    const TLowPassParts lp = EqualResistorLowPass(500e3, 2.5, 1e3);
    const TOpAmpEffect slow = LowPassOpAmpEffect(lp, TOpAmp::SinglePole(1e6));
    EXPECT_GT(Worst(slow), 10);
    EXPECT_LT(slow.fcHz, 500e3);
    EXPECT_GT(LowPassGbwNeeded(lp), 10e6);
    // A very fast one is as good as ideal; with the default open-loop gain of 1e5 there is a
    // floor of 2 Q^2 / A0 (the follower's gain is A0 / (1 + A0), not 1).
    EXPECT_LT(Worst(LowPassOpAmpEffect(lp, TOpAmp::SinglePole(1e12, 1e9))), 1e-3);
    const double floorPct = 2 * 2.5 * 2.5 / 1e5 * 100;
    EXPECT_NEAR(Worst(LowPassOpAmpEffect(lp, TOpAmp::SinglePole(1e12))), floorPct, 0.02 * floorPct);
}

TEST(OpAmpDemand, ALowOpenLoopGainCannotBeMadeUpForByBandwidth)
{
    // With A0 = 10 the follower's gain is 10/11: Q moves by far more than 1 % at any GBW.
    const TLowPassParts lp = EqualResistorLowPass(1, 2.5, 100);
    EXPECT_TRUE(std::isinf(LowPassGbwNeeded(lp, 10)));
    EXPECT_GT(Worst(LowPassOpAmpEffect(lp, TOpAmp::SinglePole(1e11, 10))), 1.0);
    EXPECT_TRUE(std::isfinite(LowPassGbwNeeded(lp, 1e5)));
}

TEST(ValueText, FourSignificantDigitsWithPrefixAndComma)
{
    EXPECT_EQ(EngineeringText(22.58e-9, "F"), "22,58 nF");
    EXPECT_EQ(EngineeringText(5094.6, "Ohm"), "5,095 kOhm");
    EXPECT_EQ(EngineeringText(999.96, "Ohm"), "1,000 kOhm");
    EXPECT_EQ(EngineeringText(636.6e-12, "F"), "636,6 pF");
    EXPECT_EQ(EngineeringText(1e6, "Hz", 3), "1,00 MHz");
    EXPECT_EQ(EngineeringText(12e-9, "F", 2), "12 nF");
    EXPECT_EQ(EngineeringText(0.5, "Hz"), "500,0 mHz");
}
