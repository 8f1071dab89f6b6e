#pragma once
// The spread of a built section over its parts' tolerances: a Monte Carlo set of sections, each
// part drawn uniformly within its tolerance around the nominal part, from a generator seeded by
// the caller (the same seed always gives the same set). The band at a frequency is the lowest
// and highest magnitude over the set and the nominal section itself, so it always covers the
// nominal curve, and at 0 % it is that curve.

#include "app/design/Transfer.h"

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace details {

struct TTolerance {
    double resistorPct = 1;
    double capacitorPct = 5;
};

// A seed made from the bits of the given numbers (FNV-1a over their bytes).
uint64_t SeedFrom(std::span<const double> values);

class TToleranceBand {
public:
    static constexpr int DefaultSamples = 500;

    TToleranceBand() = default;
    TToleranceBand(const design::TLowPassParts& nominal, const TTolerance& tolerance, uint64_t seed,
                   int samples = DefaultSamples);
    TToleranceBand(const design::THighPassParts& nominal, const TTolerance& tolerance, uint64_t seed,
                   int samples = DefaultSamples);

    int SampleCount() const { return int(samples_.size()); }
    const design::TTransfer& Nominal() const { return nominal_; }

    // The band's edges in dB at each angular frequency (rad/s): one logarithm per point.
    void Edges(std::span<const double> omegas, std::span<double> lowerDb, std::span<double> upperDb) const;
    // The edges (lower, upper) in dB at one frequency in Hz, evaluated there.
    std::pair<double, double> At(double hz) const;

private:
    design::TTransfer nominal_ = design::TTransfer::LowPass(design::TLowPassParts{1, 1, 1, 1});
    std::vector<design::TTransfer> samples_;
};

} // namespace details
