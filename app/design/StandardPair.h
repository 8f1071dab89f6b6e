#pragma once
// Standard parts for a designed section: the nearest standard value of each computed part, and
// the best pair, the one whose built section comes closest to the wanted corner frequency and
// Q. The low-pass keeps its two equal resistors and takes C1, C2 from a capacitor series; the
// high-pass keeps its two equal capacitors and takes R1, R2 from a resistor series.

#include "app/design/StandardSeries.h"

namespace design {

struct TStandardPair {
    double first = 0;    // C1 (low-pass) or R1 (high-pass)
    double second = 0;   // C2 or R2
    double fcHz = 0;     // of the section built with the pair and an ideal follower
    double q = 0;
    double fcErrorPct = 0;   // (built - wanted) / wanted, in percent
    double qErrorPct = 0;
    // max(|fc error|, |Q error|), the figure the search minimises.
    double WorstErrorPct() const;
};

// Corner frequency and Q of the ideal equal-element sections built from the given parts.
TStandardPair LowPassPair(double fcHz, double q, double r, double c1, double c2);
TStandardPair HighPassPair(double fcHz, double q, double c, double r1, double r2);

// The pair of the nearest standard values of the ideal parts.
TStandardPair NearestLowPassPair(double fcHz, double q, double r, double idealC1, double idealC2,
                                 const TStandardSeries& series);
TStandardPair NearestHighPassPair(double fcHz, double q, double c, double idealR1, double idealR2,
                                  const TStandardSeries& series);

// The best pair over the candidates within one step of each ideal part (decade edges crossed):
// the smallest max(|fc error|, |Q error|); of equal ones, the first in ascending order.
TStandardPair BestLowPassPair(double fcHz, double q, double r, double idealC1, double idealC2,
                              const TStandardSeries& series);
TStandardPair BestHighPassPair(double fcHz, double q, double c, double idealR1, double idealR2,
                               const TStandardSeries& series);

} // namespace design
