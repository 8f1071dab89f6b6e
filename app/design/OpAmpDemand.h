#pragma once
// What a real op-amp does to a section: its corner frequency and Q with a given gain-bandwidth
// product, against those with an ideal follower, and the smallest gain-bandwidth product that
// keeps both within a tolerance.

#include "app/design/SectionParts.h"

namespace design {

struct TOpAmpEffect {
    double gbwHz = 0;
    double fcHz = 0;         // natural frequency of the section's pole pair
    double q = 0;
    double fcErrorPct = 0;   // against the same parts with an ideal follower
    double qErrorPct = 0;
};

TOpAmpEffect LowPassOpAmpEffect(const TLowPassParts& parts, const TOpAmp& opAmp);
TOpAmpEffect HighPassOpAmpEffect(const THighPassParts& parts, const TOpAmp& opAmp);

// The smallest GBW (Hz) from which on, for every larger GBW, both the corner frequency and Q
// stay within tolerance (0.01 = 1 %) of the ideal follower's; to a relative 1e-6. Infinite
// when the open-loop gain alone already breaks the tolerance.
double LowPassGbwNeeded(const TLowPassParts& parts, double a0 = TOpAmp::DefaultOpenLoopGain,
                        double tolerance = 0.01);
double HighPassGbwNeeded(const THighPassParts& parts, double a0 = TOpAmp::DefaultOpenLoopGain,
                         double tolerance = 0.01);

} // namespace design
