// The standard series: the tables against what IEC 60063 derives them from, exact values across
// decades, the nearest value and the candidates around a value.

#include "app/design/StandardSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using design::TStandardSeries;

namespace {

std::vector<int> Mantissas(const TStandardSeries& s)
{
    return std::vector<int>(s.Mantissas().begin(), s.Mantissas().end());
}

std::vector<int> EverySecond(const std::vector<int>& v)
{
    std::vector<int> out;
    for (size_t i = 0; i < v.size(); i += 2)
        out.push_back(v[i]);
    return out;
}

} // namespace

TEST(StandardSeries, TablesFollowTheStandardsRule)
{
    // E48 and E96: 10^(i/n) rounded to three significant digits, without exception.
    for (const TStandardSeries& s : {TStandardSeries::E48(), TStandardSeries::E96()}) {
        const auto m = Mantissas(s);
        const int n = static_cast<int>(m.size());
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(m[size_t(i)], int(std::lround(100 * std::pow(10.0, double(i) / n)))) << s.Name() << " " << i;
    }
    EXPECT_EQ(Mantissas(TStandardSeries::E48()), EverySecond(Mantissas(TStandardSeries::E96())));
    EXPECT_EQ(Mantissas(TStandardSeries::E12()), EverySecond(Mantissas(TStandardSeries::E24())));
    EXPECT_EQ(Mantissas(TStandardSeries::E6()), EverySecond(Mantissas(TStandardSeries::E12())));

    // E24 keeps its historical values where the rule would round otherwise: exactly these eight.
    const auto e24 = Mantissas(TStandardSeries::E24());
    ASSERT_EQ(e24.size(), 24u);
    std::vector<std::pair<int, int>> differences;   // (rule, table)
    for (int i = 0; i < 24; ++i) {
        const int rule = int(std::lround(10 * std::pow(10.0, i / 24.0)));
        if (rule != e24[size_t(i)])
            differences.emplace_back(rule, e24[size_t(i)]);
    }
    const std::vector<std::pair<int, int>> expected{{26, 27}, {29, 30}, {32, 33}, {35, 36},
                                                    {38, 39}, {42, 43}, {46, 47}, {83, 82}};
    EXPECT_EQ(differences, expected);
    EXPECT_EQ(TStandardSeries::E6().Digits(), 2);
    EXPECT_EQ(TStandardSeries::E96().Digits(), 3);
}

TEST(StandardSeries, NamesAndValuesAcrossDecadesAreExact)
{
    for (const char* name : {"E6", "e12", "E24", "E48", "e96"}) {
        const auto s = TStandardSeries::ByName(name);
        ASSERT_TRUE(s) << name;
        const long n = static_cast<long>(s->Mantissas().size());
        // From 1 pF-ish to 10 Mohm-ish: each value is the decimal number the table names.
        for (long p = -13 * n; p < 8 * n; ++p) {
            const long decade = p >= 0 ? p / n : -((-p + n - 1) / n);
            const int mantissa = s->Mantissas()[size_t(p - decade * n)];
            const std::string text = std::to_string(mantissa) + "e" + std::to_string(decade - s->Digits() + 1);
            EXPECT_EQ(s->ValueAt(p), std::stod(text)) << name << " " << text;
        }
    }
    EXPECT_FALSE(TStandardSeries::ByName("E7"));
    EXPECT_FALSE(TStandardSeries::ByName("E1"));
    EXPECT_FALSE(TStandardSeries::ByName(""));
}

TEST(StandardSeries, NearestAndCandidatesCrossDecadeEdges)
{
    const TStandardSeries e12 = TStandardSeries::E12();
    // Geometric middle of 10 and 12 is 10.954.
    EXPECT_EQ(e12.Nearest(10.9e-9), 10e-9);
    EXPECT_EQ(e12.Nearest(11.0e-9), 12e-9);
    // 8.2 .. 10 crosses into the next decade; the middle is 9.055.
    EXPECT_EQ(e12.Nearest(9.0e-9), 8.2e-9);
    EXPECT_EQ(e12.Nearest(9.1e-9), 10e-9);
    EXPECT_EQ(e12.Candidates(9.5e-9), (std::vector<double>{8.2e-9, 10e-9}));
    // A value of the series brings its two neighbours, across the edge.
    EXPECT_EQ(e12.Candidates(10e-9), (std::vector<double>{8.2e-9, 10e-9, 12e-9}));
    EXPECT_EQ(e12.Candidates(8.2e-9), (std::vector<double>{6.8e-9, 8.2e-9, 10e-9}));
    const TStandardSeries e96 = TStandardSeries::E96();
    EXPECT_EQ(e96.Candidates(1000), (std::vector<double>{976, 1000, 1020}));
    EXPECT_EQ(e96.Candidates(99000), (std::vector<double>{97600, 100000}));
    EXPECT_EQ(e96.Nearest(0.1), 0.1);

    std::mt19937 rng(7);
    std::uniform_real_distribution<double> exponent(-12, 7);
    for (const auto& s : {TStandardSeries::E6(), TStandardSeries::E24(), TStandardSeries::E48(), e96}) {
        for (int i = 0; i < 2000; ++i) {
            const double v = std::pow(10.0, exponent(rng));
            const auto c = s.Candidates(v);
            ASSERT_GE(c.size(), 2u);
            EXPECT_LE(c.front(), v);
            EXPECT_GE(c.back(), v);
            // The nearest value is among the candidates and no other candidate is closer.
            const double nearest = s.Nearest(v);
            EXPECT_NE(std::find(c.begin(), c.end(), nearest), c.end());
            for (double other : c)
                EXPECT_LE(std::abs(std::log(nearest / v)), std::abs(std::log(other / v)) + 1e-12);
        }
    }
}
