#include "app/design/FilterDesign.h"
#include "app/design/ResponseSweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

using namespace design;

namespace {

struct Shown {
    std::string value, unit;
};

Shown Capacitor(double v)
{
    const auto text = CapacitorText(v);
    return text ? Shown{text->value, text->unit} : Shown{"keep", "keep"};
}

Shown Resistor(double v)
{
    const auto text = ResistorText(v);
    return text ? Shown{text->value, text->unit} : Shown{"keep", "keep"};
}

} // namespace

TEST(FilterDesign, DefaultValuesGiveTheWorkedExample)
{
    // fc 100 Hz, Q 0,7, R 33 kOhm, C 10 nF.
    const TFilterComponents k = ComputeFilterComponents(100, 1.0, 0.7, 33000, 10 * 1e-9);
    EXPECT_EQ(Capacitor(k.c1).value, "67,5");
    EXPECT_EQ(Capacitor(k.c1).unit, "nF");
    EXPECT_EQ(Capacitor(k.c2).value, "34,4");
    EXPECT_EQ(Resistor(k.r1).value, "113,7");
    EXPECT_EQ(Resistor(k.r1).unit, "kOhm / кОм");
    EXPECT_EQ(Resistor(k.r2).value, "222,8");
    EXPECT_FALSE(CapacitorOutOfBounds(k.c1) || CapacitorOutOfBounds(k.c2));
    EXPECT_FALSE(ResistorOutOfBounds(k.r1) || ResistorOutOfBounds(k.r2));
}

TEST(FilterDesign, OtherWorkedExamples)
{
    TFilterComponents k = ComputeFilterComponents(1000, 1.0, 0.71, 10000, 22e-9);
    EXPECT_EQ(Capacitor(k.c1).value, "22,6");
    EXPECT_EQ(Capacitor(k.c2).value, "11,2");
    EXPECT_EQ(Resistor(k.r1).value, "5,1");
    EXPECT_EQ(Resistor(k.r2).value, "10,3");

    // Extremes: C1 below the smallest unit keeps the labels, C2 in pF.
    k = ComputeFilterComponents(99999, 1.0, 0.3, 1000 * 1000.0, 0.1 * 1e-9);
    EXPECT_EQ(Capacitor(k.c1).value, "keep");
    EXPECT_TRUE(CapacitorOutOfBounds(k.c1));
    EXPECT_EQ(Capacitor(k.c2).value, "3");
    EXPECT_EQ(Capacitor(k.c2).unit, "pF");
    EXPECT_TRUE(CapacitorOutOfBounds(k.c2));
    EXPECT_EQ(Resistor(k.r1).value, "26,5");
    EXPECT_EQ(Resistor(k.r2).value, "9,5");

    k = ComputeFilterComponents(500, 1000.0, 2.5, 0.1 * 1000.0, 10 * 1e-6);
    EXPECT_EQ(Resistor(k.r1).value, "keep");
    EXPECT_EQ(Resistor(k.r2).value, "keep");
    EXPECT_TRUE(ResistorOutOfBounds(k.r1) && ResistorOutOfBounds(k.r2));
    EXPECT_EQ(Capacitor(k.c1).value, "15,9");
    EXPECT_EQ(Capacitor(k.c1).unit, "nF");
    EXPECT_EQ(Capacitor(k.c2).value, "637");
    EXPECT_EQ(Capacitor(k.c2).unit, "pF");
}

TEST(FilterDesign, UnitIsChosenBeforeRoundingAndBoundsAreInclusive)
{
    EXPECT_EQ(Resistor(999.6).value, "1000");
    EXPECT_EQ(Resistor(999.6).unit, "Ohm / Ом");
    EXPECT_EQ(Resistor(2.2e6).value, "2200");
    EXPECT_EQ(Capacitor(0.99999e-7).value, "100");
    EXPECT_EQ(Capacitor(0.99999e-7).unit, "nF");
    EXPECT_EQ(Resistor(12.5).value, "12");   // ties to even
    EXPECT_EQ(Resistor(13.5).value, "14");
    EXPECT_FALSE(CapacitorOutOfBounds(1e-5));
    EXPECT_FALSE(CapacitorOutOfBounds(1e-10));
    EXPECT_FALSE(ResistorOutOfBounds(1e6));
    EXPECT_FALSE(ResistorOutOfBounds(100));
    EXPECT_TRUE(ResistorOutOfBounds(99.9));
}

namespace {
// Independent reference: the magnitude of the second-order transfer functions at s = j x.
double ReferenceLowPassDb(double x, double q)
{
    const std::complex<double> s(0, x);
    return 20 * std::log10(std::abs(1.0 / (s * s + s / q + 1.0)));
}
double ReferenceHighPassDb(double x, double q)
{
    const std::complex<double> s(0, x);
    return 20 * std::log10(std::abs(s * s / (s * s + s / q + 1.0)));
}
} // namespace

TEST(ResponseSweep, FirstAndLastPointsForTheDefaults)
{
    TResponseSweep sweep;
    ComputeResponseSweep(100, 0.7, sweep);
    EXPECT_NEAR(sweep.sweepStep, 1.034597, 1e-6);
    EXPECT_DOUBLE_EQ(sweep.highPassFreq[0], 100.0 / 3.0);
    EXPECT_NEAR(sweep.highPassFreq[99], 966.56, 0.01);
    EXPECT_NEAR(sweep.highPassGain[0], -19.158, 0.001);
    EXPECT_NEAR(sweep.highPassGain[99], -0.0024, 0.0001);
    EXPECT_EQ(sweep.lowPassFreq[0], 10.0);
    EXPECT_NEAR(sweep.lowPassFreq[99], 289.97, 0.01);
    EXPECT_NEAR(sweep.lowPassGain[0], -0.0022, 0.0001);
    EXPECT_NEAR(sweep.lowPassGain[99], -18.576, 0.001);
    // Indices 33 and 69 (counting from 1) mirror each other.
    EXPECT_NEAR(sweep.highPassFreq[32], 98.98, 0.01);
    EXPECT_NEAR(sweep.lowPassFreq[68], 101.03, 0.01);
    EXPECT_NEAR(sweep.highPassGain[32], -3.188, 0.001);
    EXPECT_NEAR(sweep.lowPassGain[68], -3.188, 0.001);
}

TEST(ResponseSweep, GainsMatchAnIndependentEvaluationAndTheGridsAreSymmetric)
{
    for (double q : {0.3, 0.7, 2.5}) {
        for (double fc : {1.0, 100.0, 500.0, 99999.0}) {
            TResponseSweep sweep;
            ComputeResponseSweep(fc, q, sweep);
            for (int i = 0; i < TResponseSweep::PointCount; ++i) {
                const double hp = ReferenceHighPassDb(sweep.highPassFreq[i] / fc, q);
                const double lp = ReferenceLowPassDb(sweep.lowPassFreq[i] / fc, q);
                EXPECT_NEAR(sweep.highPassGain[i], hp, 1e-12 * std::max(1.0, std::abs(hp))) << i;
                EXPECT_NEAR(sweep.lowPassGain[i], lp, 1e-12 * std::max(1.0, std::abs(lp))) << i;
            }
            for (int i = 1; i < TResponseSweep::PointCount; ++i) {
                const int mirror = TResponseSweep::PointCount - i;   // 102 - i counting from 1
                EXPECT_NEAR(sweep.highPassFreq[i] * sweep.lowPassFreq[mirror], fc * fc, 1e-12 * fc * fc);
                EXPECT_NEAR(sweep.highPassGain[i], sweep.lowPassGain[mirror], 1e-9);
            }
        }
    }
}
