#pragma once
// The transfer function of one built section,
//   H(s) = gain * s^m / (d0 + d1 s + d2 s^2 + d3 s^3),
// m = 0 for the low-pass and 2 for the high-pass; third order only with a real op-amp.
// Building one is a handful of multiplications and evaluating it allocates nothing, so that
// sweeps and tolerance spreads can build and evaluate thousands of them.

#include "app/design/SectionParts.h"

#include <array>
#include <span>

namespace design {

class TTransfer {
public:
    static TTransfer LowPass(const TLowPassParts& parts, const TOpAmp& opAmp = TOpAmp::Follower());
    static TTransfer HighPass(const THighPassParts& parts, const TOpAmp& opAmp = TOpAmp::Follower());

    // |H(j omega)|^2, with omega in rad/s: no root, no logarithm, no complex division.
    double MagnitudeSquared(double omega) const
    {
        const double w2 = omega * omega;
        const double re = den_[0] - den_[2] * w2;
        const double im = omega * (den_[1] - den_[3] * w2);
        double num = gain_ * gain_;
        for (int i = 0; i < zeroOrder_; ++i)
            num *= w2;
        return num / (re * re + im * im);
    }
    // 20 log10 |H| at f in Hz.
    double MagnitudeDb(double hz) const;
    // |H|^2 at many angular frequencies at once (a tight loop the compiler can vectorise).
    void MagnitudeSquared(std::span<const double> omegas, std::span<double> out) const;

    double Gain() const { return gain_; }
    int ZeroOrder() const { return zeroOrder_; }
    int Order() const { return den_[3] != 0 ? 3 : 2; }
    // Denominator coefficients, lowest power first; d0 is 1.
    const std::array<double, 4>& Denominator() const { return den_; }

private:
    TTransfer(double gain, int zeroOrder, const std::array<double, 4>& den)
        : gain_(gain), zeroOrder_(zeroOrder), den_(den) {}

    double gain_ = 1;
    int zeroOrder_ = 0;
    std::array<double, 4> den_{1, 0, 0, 0};
};

} // namespace design
