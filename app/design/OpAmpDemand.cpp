#include "app/design/OpAmpDemand.h"

#include "app/design/Section.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace design {

namespace {

TOpAmpEffect Effect(const TSection& real, const TSection& ideal, double gbwHz)
{
    TOpAmpEffect effect;
    effect.gbwHz = gbwHz;
    effect.fcHz = real.NaturalFrequencyHz();
    effect.q = real.Q();
    effect.fcErrorPct = (real.NaturalFrequencyHz() / ideal.NaturalFrequencyHz() - 1) * 100;
    effect.qErrorPct = (real.Q() / ideal.Q() - 1) * 100;
    return effect;
}

// Walks down from a GBW far above the section's frequency, by factors of 1.25, to the first
// GBW that breaks the tolerance; then halves the gap between it and the last one that kept it.
template <typename Build>
double GbwNeeded(Build build, double tolerance)
{
    const TSection ideal = build(TOpAmp::Follower());
    const double fc = ideal.NaturalFrequencyHz();
    const auto within = [&](double gbw) {
        const TOpAmpEffect e = Effect(build(TOpAmp{gbw, 0}), ideal, gbw);
        return std::max(std::abs(e.fcErrorPct), std::abs(e.qErrorPct)) <= tolerance * 100;
    };
    double good = fc * 1e7;
    // A low open-loop gain leaves an error of about 2 Q^2 / A0 however fast the op-amp: then
    // no GBW will do.
    if (!within(good))
        return std::numeric_limits<double>::infinity();
    double bad = good;
    while (true) {
        bad = good / 1.25;
        if (bad < fc * 1e-3)
            return good;
        if (!within(bad))
            break;
        good = bad;
    }
    while (good / bad > 1 + 1e-6) {
        const double mid = std::sqrt(good * bad);
        (within(mid) ? good : bad) = mid;
    }
    return good;
}

} // namespace

TOpAmpEffect LowPassOpAmpEffect(const TLowPassParts& parts, const TOpAmp& opAmp)
{
    return Effect(TSection::LowPass(parts, opAmp), TSection::LowPass(parts), opAmp.gbwHz);
}

TOpAmpEffect HighPassOpAmpEffect(const THighPassParts& parts, const TOpAmp& opAmp)
{
    return Effect(TSection::HighPass(parts, opAmp), TSection::HighPass(parts), opAmp.gbwHz);
}

double LowPassGbwNeeded(const TLowPassParts& parts, double a0, double tolerance)
{
    return GbwNeeded([&](TOpAmp opAmp) {
        if (!opAmp.Ideal())
            opAmp.a0 = a0;
        return TSection::LowPass(parts, opAmp);
    }, tolerance);
}

double HighPassGbwNeeded(const THighPassParts& parts, double a0, double tolerance)
{
    return GbwNeeded([&](TOpAmp opAmp) {
        if (!opAmp.Ideal())
            opAmp.a0 = a0;
        return TSection::HighPass(parts, opAmp);
    }, tolerance);
}

} // namespace design
