// Responses of built sections: properties every second-order section has (phase at the corner,
// delay at 0 Hz, magnitude at the corner), agreement with the window's curves, and with a
// circuit solved node by node for any parts and op-amp.

#include "app/design/ResponseSweep.h"
#include "app/design/Section.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>

using namespace design;
using cplx = std::complex<double>;

namespace {

constexpr double kPi = std::numbers::pi;
const double kQs[] = {0.29999, 0.3, 0.4, 0.5, 0.58, 1 / std::numbers::sqrt2, 0.86, 0.96, 1.5, 2.5};
const double kFcs[] = {1, 1000, 99999, 500e3};

// The circuit of SectionParts.h solved at one frequency: unknowns V(mid), V(ninp), V(out),
// the op-amp's output A (V(ninp) - V(out)), or V(ninp) for the ideal follower.
cplx Solve(cplx y1, cplx y2, cplx y3, cplx y4, const TOpAmp& opAmp, double hz)
{
    const cplx s(0, 2 * kPi * hz);
    cplx a[3][4] = {
        {y1 + y2 + y3, -y2, -y3, y1},   // node mid, input Vin = 1 on the right
        {-y2, y2 + y4, 0, 0},           // node ninp
        {0, 0, 0, 0},
    };
    if (opAmp.Ideal()) {
        a[2][1] = -1;
        a[2][2] = 1;
    } else {
        const double wp = 2 * kPi * opAmp.gbwHz / opAmp.a0;
        const cplx gain = opAmp.a0 / (1.0 + s / wp);
        a[2][1] = -gain;
        a[2][2] = 1.0 + gain;
    }
    // Gaussian elimination with partial pivoting.
    for (int col = 0; col < 3; ++col) {
        int pivot = col;
        for (int row = col + 1; row < 3; ++row)
            if (std::abs(a[row][col]) > std::abs(a[pivot][col]))
                pivot = row;
        std::swap(a[col], a[pivot]);
        for (int row = col + 1; row < 3; ++row) {
            const cplx f = a[row][col] / a[col][col];
            for (int k = col; k < 4; ++k)
                a[row][k] -= f * a[col][k];
        }
    }
    cplx x[3];
    for (int row = 2; row >= 0; --row) {
        cplx sum = a[row][3];
        for (int k = row + 1; k < 3; ++k)
            sum -= a[row][k] * x[k];
        x[row] = sum / a[row][row];
    }
    return x[2];
}

cplx LowPassCircuit(const TLowPassParts& p, const TOpAmp& opAmp, double hz)
{
    const cplx s(0, 2 * kPi * hz);
    return Solve(1 / p.ra, 1 / p.rb, s * p.c1, s * p.c2, opAmp, hz);
}

cplx HighPassCircuit(const THighPassParts& p, const TOpAmp& opAmp, double hz)
{
    const cplx s(0, 2 * kPi * hz);
    return Solve(s * p.ca, s * p.cb, 1 / p.r1, 1 / p.r2, opAmp, hz);
}

double PhaseDifference(double a, double b)
{
    return std::remainder(a - b, 360.0);
}

} // namespace

TEST(SectionResponse, PhaseIsMinus90AndPlus90AtTheCornerForEveryQ)
{
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> spread(0.8, 1.25);
    for (double fc : kFcs)
        for (double q : kQs) {
            const TSection low = TSection::LowPass(EqualResistorLowPass(fc, q, 10e3));
            const TSection high = TSection::HighPass(EqualCapacitorHighPass(fc, q, 10e-9));
            EXPECT_NEAR(low.NaturalFrequencyHz(), fc, 1e-9 * fc);
            EXPECT_NEAR(low.Q(), q, 1e-9);
            EXPECT_NEAR(high.Q(), q, 1e-9);
            EXPECT_NEAR(low.PhaseDeg(fc), -90, 1e-7) << fc << " " << q;
            EXPECT_NEAR(high.PhaseDeg(fc), 90, 1e-7) << fc << " " << q;
            // At the corner the magnitude is Q (20 log10 Q dB).
            EXPECT_NEAR(low.MagnitudeDb(fc), 20 * std::log10(q), 1e-9);
            EXPECT_NEAR(high.MagnitudeDb(fc), 20 * std::log10(q), 1e-9);

            // Unequal parts: still -90 / +90 at the section's own natural frequency.
            TLowPassParts lp = EqualResistorLowPass(fc, q, 4.7e3);
            lp.ra *= spread(rng);
            lp.c1 *= spread(rng);
            const TSection skewed = TSection::LowPass(lp);
            EXPECT_NEAR(skewed.PhaseDeg(skewed.NaturalFrequencyHz()), -90, 1e-7);
            THighPassParts hp = EqualCapacitorHighPass(fc, q, 1e-9);
            hp.cb *= spread(rng);
            hp.r2 *= spread(rng);
            const TSection skewedHigh = TSection::HighPass(hp);
            EXPECT_NEAR(skewedHigh.PhaseDeg(skewedHigh.NaturalFrequencyHz()), 90, 1e-7);
        }
}

TEST(SectionResponse, LowPassDelayAtZeroHertzIsOneOverQOmega)
{
    for (double fc : kFcs)
        for (double q : kQs) {
            const TSection low = TSection::LowPass(EqualResistorLowPass(fc, q, 33e3));
            const double expected = 1 / (q * 2 * kPi * fc);
            EXPECT_NEAR(low.GroupDelay(0), expected, 1e-9 * expected);
            EXPECT_NEAR(low.GroupDelay(fc * 1e-6), expected, 1e-6 * expected);
            EXPECT_NEAR(low.PhaseDeg(0), 0, 1e-12);
            EXPECT_NEAR(low.MagnitudeDb(fc * 1e-6), 0, 1e-9);
        }
}

TEST(SectionResponse, IdealSectionsReproduceTheWindowsCurves)
{
    for (double fc : kFcs)
        for (double q : kQs) {
            TResponseSweep sweep;
            ComputeResponseSweep(fc, q, sweep);
            const TSection low = TSection::LowPass(EqualResistorLowPass(fc, q, 1e3));
            const TSection high = TSection::HighPass(EqualCapacitorHighPass(fc, q, 1e-6));
            for (int i = 0; i < TResponseSweep::PointCount; ++i) {
                EXPECT_NEAR(low.MagnitudeDb(sweep.lowPassFreq[i]), sweep.lowPassGain[i], 1e-9);
                EXPECT_NEAR(high.MagnitudeDb(sweep.highPassFreq[i]), sweep.highPassGain[i], 1e-9);
            }
        }
}

TEST(SectionResponse, MagnitudeAndPhaseMatchTheCircuitSolvedNodeByNode)
{
    std::mt19937 rng(11);
    auto logUniform = [&](double lo, double hi) {
        return std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(rng));
    };
    for (int i = 0; i < 300; ++i) {
        const TLowPassParts lp{logUniform(100, 1e6), logUniform(100, 1e6), logUniform(1e-11, 1e-5), logUniform(1e-11, 1e-5)};
        const THighPassParts hp{logUniform(1e-10, 1e-5), logUniform(1e-10, 1e-5), logUniform(1, 1e6), logUniform(1, 1e6)};
        const TOpAmp opAmp = i % 3 == 0 ? TOpAmp::Follower() : TOpAmp::SinglePole(logUniform(1e3, 1e10), logUniform(1e3, 1e7));
        const TSection low = TSection::LowPass(lp, opAmp);
        const TSection high = TSection::HighPass(hp, opAmp);
        for (const TSection* section : {&low, &high}) {
            const double f0 = section->NaturalFrequencyHz();
            for (double ratio = 1e-3; ratio < 1e3; ratio *= 1.7) {
                const double hz = f0 * ratio;
                const cplx h = section == &low ? LowPassCircuit(lp, opAmp, hz) : HighPassCircuit(hp, opAmp, hz);
                EXPECT_NEAR(section->MagnitudeDb(hz), 20 * std::log10(std::abs(h)), 1e-7) << i << " " << hz;
                EXPECT_NEAR(PhaseDifference(section->PhaseDeg(hz), std::arg(h) * 180 / kPi), 0, 1e-6) << i << " " << hz;
            }
        }
    }
}

TEST(SectionResponse, PhaseIsContinuousAndDelayIsItsSlope)
{
    for (const TOpAmp& opAmp : {TOpAmp::Follower(), TOpAmp::SinglePole(1e6)})
        for (double q : {0.3, 0.71, 2.5}) {
            const double fc = 20e3;
            const TSection low = TSection::LowPass(EqualResistorLowPass(fc, q, 10e3), opAmp);
            const TSection high = TSection::HighPass(EqualCapacitorHighPass(fc, q, 10e-9), opAmp);
            for (const TSection* s : {&low, &high}) {
                double previous = s->PhaseDeg(fc * 1e-4);
                for (double hz = fc * 1e-4; hz < fc * 1e4; hz *= 1.01) {
                    const double phase = s->PhaseDeg(hz);
                    EXPECT_LT(std::abs(phase - previous), 10.0) << hz;
                    previous = phase;
                    // Central difference of the phase over 2 h in rad/s.
                    const double h = hz * 1e-5;
                    const double slope = (s->PhaseDeg(hz + h) - s->PhaseDeg(hz - h)) * kPi / 180 / (2 * kPi * 2 * h);
                    EXPECT_NEAR(s->GroupDelay(hz), -slope, 1e-5 * std::abs(slope) + 1e-12);
                }
            }
            // Where the phase ends: 0 to -180 and +180 to 0, a quarter turn more with a pole.
            const double extra = opAmp.Ideal() ? 0 : -90;
            EXPECT_NEAR(low.PhaseDeg(fc * 1e-6), 0, 0.1);
            EXPECT_NEAR(high.PhaseDeg(fc * 1e-6), 180, 0.1);
            EXPECT_NEAR(low.PhaseDeg(fc * 1e8), -180 + extra, 0.5);
            EXPECT_NEAR(high.PhaseDeg(fc * 1e8), extra, 0.5);
        }
}

TEST(SectionResponse, FastOpAmpApproachesTheIdealAndManyPointsEvaluateAtOnce)
{
    const TLowPassParts lp = EqualResistorLowPass(1000, 0.71, 10e3);
    const TSection ideal = TSection::LowPass(lp);
    const TSection fast = TSection::LowPass(lp, TOpAmp::SinglePole(1e11, 1e9));
    EXPECT_EQ(ideal.PoleCount(), 2);
    EXPECT_EQ(fast.PoleCount(), 3);
    EXPECT_NEAR(fast.NaturalFrequencyHz(), 1000, 1e-4);
    EXPECT_NEAR(fast.Q(), 0.71, 1e-6);
    // The finite open-loop gain shows as a DC gain of A0 / (1 + A0).
    const TSection slowGain = TSection::LowPass(lp, TOpAmp::SinglePole(1e9, 100));
    EXPECT_NEAR(slowGain.MagnitudeDb(1e-3), 20 * std::log10(100.0 / 101.0), 1e-9);

    const TTransfer t = TTransfer::HighPass(EqualCapacitorHighPass(5e3, 1.2, 1e-9), TOpAmp::SinglePole(2e6));
    std::vector<double> omegas, out(64);
    for (int i = 0; i < 64; ++i)
        omegas.push_back(2 * kPi * 50 * std::pow(1.15, i));
    t.MagnitudeSquared(omegas, out);
    for (int i = 0; i < 64; ++i)
        EXPECT_DOUBLE_EQ(out[size_t(i)], t.MagnitudeSquared(omegas[size_t(i)]));
}
