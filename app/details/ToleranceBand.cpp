#include "app/details/ToleranceBand.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>

namespace details {

uint64_t SeedFrom(std::span<const double> values)
{
    uint64_t hash = 14695981039346656037ull;
    for (double value : values) {
        unsigned char bytes[sizeof(double)];
        std::memcpy(bytes, &value, sizeof bytes);
        for (unsigned char b : bytes) {
            hash ^= b;
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

namespace {

// Draws factors uniform in [1 - pct/100, 1 + pct/100]; the raw 53-bit draw keeps the sequence
// the same with every standard library (the library's distributions may differ).
class TFactorSource {
public:
    explicit TFactorSource(uint64_t seed) : engine_(seed) {}
    double Next(double pct)
    {
        const double unit = double(engine_() >> 11) * 0x1.0p-53;
        return 1 + pct / 100 * (2 * unit - 1);
    }

private:
    std::mt19937_64 engine_;
};

// samples sections, each made by make from the factor source.
template <class Make>
std::vector<design::TTransfer> DrawSamples(uint64_t seed, int samples, Make make)
{
    TFactorSource source(seed);
    std::vector<design::TTransfer> out;
    out.reserve(size_t(std::max(samples, 0)));
    for (int i = 0; i < samples; ++i)
        out.push_back(make(source));
    return out;
}

} // namespace

TToleranceBand::TToleranceBand(const design::TLowPassParts& nominal, const TTolerance& tolerance, uint64_t seed,
                               int samples)
    : nominal_(design::TTransfer::LowPass(nominal))
{
    const double r = tolerance.resistorPct, c = tolerance.capacitorPct;
    samples_ = DrawSamples(seed, samples, [&](TFactorSource& f) {
        return design::TTransfer::LowPass(
            design::TLowPassParts{nominal.ra * f.Next(r), nominal.rb * f.Next(r), nominal.c1 * f.Next(c), nominal.c2 * f.Next(c)});
    });
}

TToleranceBand::TToleranceBand(const design::THighPassParts& nominal, const TTolerance& tolerance, uint64_t seed,
                               int samples)
    : nominal_(design::TTransfer::HighPass(nominal))
{
    const double r = tolerance.resistorPct, c = tolerance.capacitorPct;
    samples_ = DrawSamples(seed, samples, [&](TFactorSource& f) {
        return design::TTransfer::HighPass(
            design::THighPassParts{nominal.ca * f.Next(c), nominal.cb * f.Next(c), nominal.r1 * f.Next(r), nominal.r2 * f.Next(r)});
    });
}

void TToleranceBand::Edges(std::span<const double> omegas, std::span<double> lowerDb, std::span<double> upperDb) const
{
    const size_t n = omegas.size();
    // Squared magnitudes first, the nominal curve included; logarithms once at the end.
    nominal_.MagnitudeSquared(omegas, lowerDb.first(n));
    std::copy_n(lowerDb.begin(), n, upperDb.begin());
    std::vector<double> sample(n);
    for (const design::TTransfer& t : samples_) {
        t.MagnitudeSquared(omegas, sample);
        for (size_t i = 0; i < n; ++i) {
            lowerDb[i] = std::min(lowerDb[i], sample[i]);
            upperDb[i] = std::max(upperDb[i], sample[i]);
        }
    }
    for (size_t i = 0; i < n; ++i) {
        lowerDb[i] = 10 * std::log10(lowerDb[i]);
        upperDb[i] = 10 * std::log10(upperDb[i]);
    }
}

std::pair<double, double> TToleranceBand::At(double hz) const
{
    const double omega = 2 * std::numbers::pi * hz;
    double low = nominal_.MagnitudeSquared(omega), high = low;
    for (const design::TTransfer& t : samples_) {
        const double m = t.MagnitudeSquared(omega);
        low = std::min(low, m);
        high = std::max(high, m);
    }
    return {10 * std::log10(low), 10 * std::log10(high)};
}

} // namespace details
