// The best standard pair: never worse than the nearest values, the optimum over the candidate
// pairs (checked with the section model rather than the pair's own formula), and an exact hit
// when the ideal parts are standard values.

#include "app/design/FilterDesign.h"
#include "app/design/Section.h"
#include "app/design/StandardPair.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace design;

namespace {

struct TRandomDesign {
    double fc, q, r, c;
};

TRandomDesign RandomDesign(std::mt19937& rng)
{
    auto logUniform = [&](double lo, double hi) {
        return std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(rng));
    };
    return {logUniform(1, 5e5), std::uniform_real_distribution<double>(0.3, 2.5)(rng), logUniform(100, 1e6),
            logUniform(1e-10, 1e-5)};
}

double WorstError(const TSection& s, double fc, double q)
{
    return std::max(std::abs(s.NaturalFrequencyHz() / fc - 1), std::abs(s.Q() / q - 1)) * 100;
}

} // namespace

TEST(StandardPair, BestIsTheOptimumOverTheCandidatesAndBeatsTheNearestValues)
{
    std::mt19937 rng(16);
    const TStandardSeries all[] = {TStandardSeries::E6(), TStandardSeries::E12(), TStandardSeries::E24(),
                                   TStandardSeries::E48(), TStandardSeries::E96()};
    for (int i = 0; i < 400; ++i) {
        const TRandomDesign d = RandomDesign(rng);
        const TFilterComponents k = ComputeFilterComponents(d.fc, 1, d.q, d.r, d.c);
        for (const auto& series : all) {
            const TStandardPair best = BestLowPassPair(d.fc, d.q, d.r, k.c1, k.c2, series);
            const TStandardPair nearest = NearestLowPassPair(d.fc, d.q, d.r, k.c1, k.c2, series);
            ASSERT_LE(best.WorstErrorPct(), nearest.WorstErrorPct() + 1e-12);

            // The pair's figures agree with the section built from it.
            const TSection built = TSection::LowPass(TLowPassParts{d.r, d.r, best.first, best.second});
            EXPECT_NEAR(best.WorstErrorPct(), WorstError(built, d.fc, d.q), 1e-9);
            double optimum = 1e300;
            for (double c1 : series.Candidates(k.c1))
                for (double c2 : series.Candidates(k.c2))
                    optimum = std::min(optimum, WorstError(TSection::LowPass(TLowPassParts{d.r, d.r, c1, c2}), d.fc, d.q));
            EXPECT_NEAR(best.WorstErrorPct(), optimum, 1e-9);

            const TStandardPair bestHigh = BestHighPassPair(d.fc, d.q, d.c, k.r1, k.r2, series);
            const TStandardPair nearestHigh = NearestHighPassPair(d.fc, d.q, d.c, k.r1, k.r2, series);
            ASSERT_LE(bestHigh.WorstErrorPct(), nearestHigh.WorstErrorPct() + 1e-12);
            const TSection builtHigh = TSection::HighPass(THighPassParts{d.c, d.c, bestHigh.first, bestHigh.second});
            EXPECT_NEAR(bestHigh.WorstErrorPct(), WorstError(builtHigh, d.fc, d.q), 1e-9);
        }
    }
}

TEST(StandardPair, StandardIdealPartsAreFoundExactlyAndErrorsCarryTheirSign)
{
    // C1 = 47 nF, C2 = 12 nF and R = 10 kOhm define fc and Q; designing for them must give
    // back the same capacitors with no error.
    const double r = 10e3, c1 = 47e-9, c2 = 12e-9;
    const double q = std::sqrt(c1 / c2) / 2;
    const double fc = 1 / (2 * M_PI * r * std::sqrt(c1 * c2));
    const TStandardPair pair = BestLowPassPair(fc, q, r, c1 * (1 + 1e-12), c2, TStandardSeries::E12());
    EXPECT_EQ(pair.first, 47e-9);
    EXPECT_EQ(pair.second, 12e-9);
    EXPECT_NEAR(pair.WorstErrorPct(), 0, 1e-9);

    // A pair whose capacitors are 1 % too large gives a corner about 1 % too low.
    const TStandardPair low = LowPassPair(fc, q, r, c1 * 1.01, c2 * 1.01);
    EXPECT_NEAR(low.fcErrorPct, (1 / 1.01 - 1) * 100, 1e-9);
    EXPECT_NEAR(low.qErrorPct, 0, 1e-9);
    const TStandardPair high = HighPassPair(fc, q, 22e-9, 1000, 4000 * 1.21);
    EXPECT_NEAR(high.qErrorPct, (1.1 * 1.0 / q - 1) * 100, 1e-9);
}
