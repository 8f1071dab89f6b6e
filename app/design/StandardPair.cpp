#include "app/design/StandardPair.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace design {

namespace {

TStandardPair Finish(double wantedFc, double wantedQ, double first, double second, double fc, double q)
{
    TStandardPair pair;
    pair.first = first;
    pair.second = second;
    pair.fcHz = fc;
    pair.q = q;
    pair.fcErrorPct = (fc - wantedFc) / wantedFc * 100;
    pair.qErrorPct = (q - wantedQ) / wantedQ * 100;
    return pair;
}

template <typename Build>
TStandardPair Best(const std::vector<double>& firsts, const std::vector<double>& seconds, Build build)
{
    TStandardPair best;
    bool found = false;
    for (double a : firsts)
        for (double b : seconds) {
            const TStandardPair pair = build(a, b);
            if (!found || pair.WorstErrorPct() < best.WorstErrorPct()) {
                best = pair;
                found = true;
            }
        }
    return best;
}

} // namespace

double TStandardPair::WorstErrorPct() const
{
    return std::max(std::abs(fcErrorPct), std::abs(qErrorPct));
}

// Equal resistors R: w0 = 1 / (R sqrt(C1 C2)), Q = sqrt(C1 / C2) / 2.
TStandardPair LowPassPair(double fcHz, double q, double r, double c1, double c2)
{
    const double fc = 1 / (2 * std::numbers::pi * r * std::sqrt(c1 * c2));
    return Finish(fcHz, q, c1, c2, fc, std::sqrt(c1 / c2) / 2);
}

// Equal capacitors C: w0 = 1 / (C sqrt(R1 R2)), Q = sqrt(R2 / R1) / 2.
TStandardPair HighPassPair(double fcHz, double q, double c, double r1, double r2)
{
    const double fc = 1 / (2 * std::numbers::pi * c * std::sqrt(r1 * r2));
    return Finish(fcHz, q, r1, r2, fc, std::sqrt(r2 / r1) / 2);
}

TStandardPair NearestLowPassPair(double fcHz, double q, double r, double idealC1, double idealC2,
                                 const TStandardSeries& series)
{
    return LowPassPair(fcHz, q, r, series.Nearest(idealC1), series.Nearest(idealC2));
}

TStandardPair NearestHighPassPair(double fcHz, double q, double c, double idealR1, double idealR2,
                                  const TStandardSeries& series)
{
    return HighPassPair(fcHz, q, c, series.Nearest(idealR1), series.Nearest(idealR2));
}

TStandardPair BestLowPassPair(double fcHz, double q, double r, double idealC1, double idealC2,
                              const TStandardSeries& series)
{
    return Best(series.Candidates(idealC1), series.Candidates(idealC2),
                [&](double c1, double c2) { return LowPassPair(fcHz, q, r, c1, c2); });
}

TStandardPair BestHighPassPair(double fcHz, double q, double c, double idealR1, double idealR2,
                               const TStandardSeries& series)
{
    return Best(series.Candidates(idealR1), series.Candidates(idealR2),
                [&](double r1, double r2) { return HighPassPair(fcHz, q, c, r1, r2); });
}

} // namespace design
