#include "app/design/Section.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace design {

namespace {

// Roots of c2 x^2 + c1 x + c0 without cancellation.
int QuadraticRoots(double c2, double c1, double c0, std::complex<double>* roots)
{
    const double disc = c1 * c1 - 4 * c2 * c0;
    if (disc < 0) {
        const double re = -c1 / (2 * c2);
        const double im = std::sqrt(-disc) / (2 * c2);
        roots[0] = {re, im};
        roots[1] = {re, -im};
    } else {
        const double q = -0.5 * (c1 + std::copysign(std::sqrt(disc), c1));
        roots[0] = q / c2;
        roots[1] = q != 0 ? c0 / q : 0.0;
    }
    return 2;
}

double Cubic(const double* c, double x) { return ((c[3] * x + c[2]) * x + c[1]) * x + c[0]; }
double CubicSlope(const double* c, double x) { return (3 * c[3] * x + 2 * c[2]) * x + c[1]; }

// The real root of a cubic with positive coefficients: negative, bracketed between a point
// where the cubic is negative and 0; Newton steps that leave the bracket are replaced by
// bisection.
double NegativeRealRoot(const double* c)
{
    double lo = -1;
    while (Cubic(c, lo) > 0 && lo > -1e300)
        lo *= 2;
    double hi = 0;
    double x = 0.5 * lo;
    for (int i = 0; i < 200; ++i) {
        const double f = Cubic(c, x);
        if (f == 0)
            return x;
        (f < 0 ? lo : hi) = x;
        const double slope = CubicSlope(c, x);
        double next = slope != 0 ? x - f / slope : 0.5 * (lo + hi);
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        if (std::abs(next - x) <= 1e-15 * std::abs(x))
            return next;
        x = next;
    }
    return x;
}

} // namespace

int StablePolynomialRoots(const std::array<double, 4>& d, std::array<std::complex<double>, 3>& roots)
{
    // Work in x = s / w with w = sqrt(d0 / d2), so the coefficients are near 1 whatever the
    // frequency; only the op-amp's pole stands apart.
    const double w = std::sqrt(d[0] / d[2]);
    const double c[4] = {d[0], d[1] * w, d[2] * w * w, d[3] * w * w * w};
    if (c[3] == 0) {
        QuadraticRoots(c[2], c[1], c[0], roots.data());
        roots[0] *= w;
        roots[1] *= w;
        return 2;
    }
    const double r = NegativeRealRoot(c);
    // Divide the real root out: from the top when it is small, from the bottom when it is
    // large, which keeps the quotient's coefficients accurate.
    double q2, q1, q0;
    if (std::abs(r) <= 1) {
        q2 = c[3];
        q1 = c[2] + r * q2;
        q0 = c[1] + r * q1;
    } else {
        q0 = -c[0] / r;
        q1 = (q0 - c[1]) / r;
        q2 = (q1 - c[2]) / r;
    }
    QuadraticRoots(q2, q1, q0, roots.data());
    roots[2] = r;
    for (auto& root : roots)
        root *= w;
    return 3;
}

TSection::TSection(const TTransfer& transfer) : transfer_(transfer)
{
    poleCount_ = StablePolynomialRoots(transfer.Denominator(), poles_);
    // The section's pair: the complex pair when there is one; among real poles only, the two
    // slowest (the op-amp's pole lies far above the section's).
    std::complex<double> a = poles_[0], b = poles_[1];
    if (poleCount_ == 3) {
        std::array<std::complex<double>, 3> sorted = poles_;
        std::sort(sorted.begin(), sorted.end(), [](auto x, auto y) {
            const bool cx = x.imag() != 0, cy = y.imag() != 0;
            if (cx != cy)
                return cx;
            return std::abs(x) < std::abs(y);
        });
        a = sorted[0];
        b = sorted[1];
    }
    const double w0 = std::sqrt(std::abs(a * b));
    naturalHz_ = w0 / (2 * std::numbers::pi);
    q_ = w0 / -(a + b).real();
}

double TSection::PhaseDeg(double hz) const
{
    const double w = 2 * std::numbers::pi * hz;
    double rad = transfer_.ZeroOrder() * std::numbers::pi / 2;
    for (int i = 0; i < poleCount_; ++i)
        rad -= std::atan2(w - poles_[i].imag(), -poles_[i].real());
    return rad * 180 / std::numbers::pi;
}

double TSection::GroupDelay(double hz) const
{
    const double w = 2 * std::numbers::pi * hz;
    double delay = 0;
    for (int i = 0; i < poleCount_; ++i) {
        const double re = poles_[i].real();
        const double dy = w - poles_[i].imag();
        delay += -re / (re * re + dy * dy);
    }
    return delay;
}

TResponsePoint TSection::At(double hz) const
{
    return TResponsePoint{MagnitudeDb(hz), PhaseDeg(hz), GroupDelay(hz)};
}

} // namespace design
