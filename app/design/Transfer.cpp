#include "app/design/Transfer.h"

#include <cmath>
#include <numbers>

namespace design {

// Both sections are the same circuit with the admittances Y1, Y2 (series), Y3 (feedback) and
// Y4 (shunt). With the follower gain k = A / (1 + A), nodal analysis gives
//   H = k Y1 Y2 / (Y1 Y2 + Y4 (Y1 + Y2 + Y3) + (1 - k) Y2 Y3).
// With an ideal follower k = 1 and the last term vanishes. With the single-pole op-amp,
// k = A0 wp / (s + E), 1 - k = (s + wp) / (s + E), E = wp (1 + A0); multiplying through by
// (s + E) and by the product of the two resistances (low-pass) or of R1 R2 (high-pass) gives
//   H = A0 wp N / ((s + E) P(s) + (s + wp) s T)
// with P(s) = 1 + b1 s + b2 s^2 the ideal denominator and T = Ra C1 (low-pass) or Cb R2
// (high-pass) the time constant of the feedback branch. Dividing by E makes d0 = 1.
namespace {

std::array<double, 4> SectionDenominator(double b1, double b2, double t, const TOpAmp& opAmp, double& followerGain)
{
    if (opAmp.Ideal()) {
        followerGain = 1;
        return {1, b1, b2, 0};
    }
    const double wp = 2 * std::numbers::pi * opAmp.gbwHz / opAmp.a0;
    const double e = wp * (1 + opAmp.a0);
    followerGain = opAmp.a0 / (1 + opAmp.a0);
    return {1, b1 + (1 + wp * t) / e, b2 + (b1 + t) / e, b2 / e};
}

} // namespace

TTransfer TTransfer::LowPass(const TLowPassParts& p, const TOpAmp& opAmp)
{
    const double b1 = p.c2 * (p.ra + p.rb);
    const double b2 = p.ra * p.rb * p.c1 * p.c2;
    double k = 1;
    const auto den = SectionDenominator(b1, b2, p.ra * p.c1, opAmp, k);
    return TTransfer(k, 0, den);
}

TTransfer TTransfer::HighPass(const THighPassParts& p, const TOpAmp& opAmp)
{
    const double b1 = p.r1 * (p.ca + p.cb);
    const double b2 = p.ca * p.cb * p.r1 * p.r2;
    double k = 1;
    const auto den = SectionDenominator(b1, b2, p.cb * p.r2, opAmp, k);
    return TTransfer(k * b2, 2, den);
}

double TTransfer::MagnitudeDb(double hz) const
{
    return 10 * std::log10(MagnitudeSquared(2 * std::numbers::pi * hz));
}

void TTransfer::MagnitudeSquared(std::span<const double> omegas, std::span<double> out) const
{
    const size_t n = omegas.size() < out.size() ? omegas.size() : out.size();
    const double g2 = gain_ * gain_;
    for (size_t i = 0; i < n; ++i) {
        const double w2 = omegas[i] * omegas[i];
        const double re = den_[0] - den_[2] * w2;
        const double im = omegas[i] * (den_[1] - den_[3] * w2);
        const double num = zeroOrder_ == 0 ? g2 : g2 * w2 * w2;
        out[i] = num / (re * re + im * im);
    }
}

} // namespace design

namespace design {

TLowPassParts EqualResistorLowPass(double fcHz, double q, double r)
{
    const double w = 2 * std::numbers::pi * fcHz;
    const double c2 = 1 / (2 * q * w * r);
    return TLowPassParts{r, r, 4 * q * q * c2, c2};
}

THighPassParts EqualCapacitorHighPass(double fcHz, double q, double c)
{
    const double w = 2 * std::numbers::pi * fcHz;
    const double r2 = 2 * q / (w * c);
    return THighPassParts{c, c, r2 / (4 * q * q), r2};
}

} // namespace design
