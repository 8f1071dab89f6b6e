// Step responses: the textbook second-order responses, overshoot at Q = 1/sqrt(2), where they
// start and settle, and the sampled form against single evaluations.

#include "app/design/Section.h"
#include "app/design/StepResponse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace design;

namespace {

// The low-pass step response of w0^2 / (s^2 + s w0 / Q + w0^2).
double TextbookLowPassStep(double w0, double q, double t)
{
    const double zeta = 1 / (2 * q);
    if (std::abs(zeta - 1) < 1e-12)
        return 1 - (1 + w0 * t) * std::exp(-w0 * t);
    if (zeta < 1) {
        const double wd = w0 * std::sqrt(1 - zeta * zeta);
        return 1 - std::exp(-zeta * w0 * t) * (std::cos(wd * t) + zeta / std::sqrt(1 - zeta * zeta) * std::sin(wd * t));
    }
    const double r = std::sqrt(zeta * zeta - 1);
    const double p1 = -w0 * (zeta - r), p2 = -w0 * (zeta + r);
    return 1 + (p2 * std::exp(p1 * t) - p1 * std::exp(p2 * t)) / (p1 - p2);
}

} // namespace

TEST(StepResponse, LowPassFollowsTheTextbookAndOvershoots4Point3PercentAtButterworth)
{
    for (double fc : {1.0, 1000.0, 500e3})
        for (double q : {0.3, 0.5, 0.58, 1 / std::numbers::sqrt2, 1.0, 2.5}) {
            const TTransfer t = TTransfer::LowPass(EqualResistorLowPass(fc, q, 10e3));
            const TStepResponse step(t);
            const double w0 = 2 * std::numbers::pi * fc;
            for (double cycles = 0; cycles < 10; cycles += 0.37) {
                const double time = cycles / fc;
                EXPECT_NEAR(step.At(time), TextbookLowPassStep(w0, q, time), 1e-9) << fc << " " << q << " " << cycles;
            }
            EXPECT_DOUBLE_EQ(step.Final(), 1);
            EXPECT_NEAR(step.At(0), 0, 1e-15);
            // Settled within 1 % from the bound on.
            const double bound = step.SettlingBound(0.01);
            for (double time = bound; time < 3 * bound; time += bound / 50)
                EXPECT_NEAR(step.At(time), 1, 0.01);
        }
    const double fc = 1000;
    const TStepResponse butterworth(TTransfer::LowPass(EqualResistorLowPass(fc, 1 / std::numbers::sqrt2, 10e3)));
    std::vector<double> samples(4001);
    butterworth.Sample(5 / fc, samples);
    const double peak = *std::max_element(samples.begin(), samples.end());
    EXPECT_NEAR(peak - 1, std::exp(-std::numbers::pi), 1e-5);   // 4.32 %
}

TEST(StepResponse, HighPassStartsAtOneAndSettlesAtZero)
{
    for (double q : {0.3, 0.5, 0.71, 2.5}) {
        const double fc = 2000;
        const TStepResponse step(TTransfer::HighPass(EqualCapacitorHighPass(fc, q, 10e-9)));
        EXPECT_NEAR(step.At(0), 1, 1e-12);
        EXPECT_DOUBLE_EQ(step.Final(), 0);
        // s^2 / D = 1 - w0^2 / D - (s / (Q w0)) w0^2 / D: the high-pass step is one minus the
        // low-pass step minus the low-pass step's slope over Q w0.
        const TStepResponse low(TTransfer::LowPass(EqualResistorLowPass(fc, q, 10e3)));
        const double w0 = 2 * std::numbers::pi * fc;
        for (double time = 0.1 / fc; time < 10 / fc; time += 0.3 / fc) {
            const double h = 1e-6 / fc;
            const double slope = (low.At(time + h) - low.At(time - h)) / (2 * h);
            EXPECT_NEAR(step.At(time), 1 - low.At(time) - slope / (q * w0), 1e-5) << q << " " << time;
        }
        EXPECT_NEAR(step.At(step.SettlingBound(0.001)), 0, 0.001);
    }
}

TEST(StepResponse, SamplesEqualSingleEvaluationsAlsoWithARealOpAmp)
{
    for (const TOpAmp& opAmp : {TOpAmp::Follower(), TOpAmp::SinglePole(1e6), TOpAmp::SinglePole(5e4, 1e3)}) {
        const double fc = 10e3;
        for (int high = 0; high < 2; ++high) {
            const TTransfer t = high ? TTransfer::HighPass(EqualCapacitorHighPass(fc, 1.3, 1e-9), opAmp)
                                     : TTransfer::LowPass(EqualResistorLowPass(fc, 1.3, 1e3), opAmp);
            const TStepResponse step(t);
            std::vector<double> samples(301);
            const double duration = step.SettlingBound(1e-4);
            step.Sample(duration, samples);
            for (size_t i = 0; i < samples.size(); i += 7)
                EXPECT_NEAR(samples[i], step.At(duration * double(i) / 300), 1e-9) << high << " " << i;
            // The end value is the gain at 0 Hz: A0 / (1 + A0) for the low-pass with a real op-amp.
            const double final = high ? 0 : opAmp.Ideal() ? 1 : opAmp.a0 / (1 + opAmp.a0);
            EXPECT_NEAR(samples.back(), final, 2e-4);
            EXPECT_NEAR(step.Final(), final, 1e-15);
            // With the op-amp's pole the output cannot jump: both start at 0.
            if (!opAmp.Ideal()) {
                EXPECT_NEAR(samples.front(), 0, 1e-15);
            }
        }
    }
}
