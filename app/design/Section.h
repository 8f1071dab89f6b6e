#pragma once
// One built section and what it does at any frequency: magnitude, phase and group delay, and
// the corner frequency and Q it really has. Built from a transfer function by finding its
// poles once; every evaluation after that is a few operations per pole and allocates nothing.

#include "app/design/Transfer.h"

#include <array>
#include <complex>

namespace design {

struct TResponsePoint {
    double magnitudeDb = 0;
    double phaseDeg = 0;
    double groupDelayS = 0;
};

class TSection {
public:
    explicit TSection(const TTransfer& transfer);
    static TSection LowPass(const TLowPassParts& parts, const TOpAmp& opAmp = TOpAmp::Follower())
    {
        return TSection(TTransfer::LowPass(parts, opAmp));
    }
    static TSection HighPass(const THighPassParts& parts, const TOpAmp& opAmp = TOpAmp::Follower())
    {
        return TSection(TTransfer::HighPass(parts, opAmp));
    }

    const TTransfer& Transfer() const { return transfer_; }

    double MagnitudeDb(double hz) const { return transfer_.MagnitudeDb(hz); }
    // The phase in degrees, continuous over frequency: each pole turns it by up to 90 degrees
    // and each zero at the origin adds 90, so the low-pass runs from 0 down to -180 (-270 with
    // a real op-amp) and the high-pass from +180 down to 0 (-90).
    double PhaseDeg(double hz) const;
    // -d(phase)/d(omega) in seconds.
    double GroupDelay(double hz) const;
    TResponsePoint At(double hz) const;

    // The section's pole pair (the two poles that are not the op-amp's): its natural
    // frequency in Hz and its Q. With an ideal follower these are exactly the ideal design's.
    double NaturalFrequencyHz() const { return naturalHz_; }
    double Q() const { return q_; }

    int PoleCount() const { return poleCount_; }
    const std::array<std::complex<double>, 3>& Poles() const { return poles_; }

private:
    TTransfer transfer_;
    std::array<std::complex<double>, 3> poles_{};
    int poleCount_ = 0;
    double naturalHz_ = 0;
    double q_ = 0;
};

// The roots of d0 + d1 s + d2 s^2 + d3 s^3 (d3 may be 0) with positive coefficients, as a
// stable section has. Returns their number.
int StablePolynomialRoots(const std::array<double, 4>& d, std::array<std::complex<double>, 3>& roots);

} // namespace design
