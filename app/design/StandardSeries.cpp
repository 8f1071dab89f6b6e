#include "app/design/StandardSeries.h"

#include <array>
#include <cmath>
#include <strings.h>

namespace design {

namespace {

constexpr std::array<int, 6> kE6{10, 15, 22, 33, 47, 68};
constexpr std::array<int, 12> kE12{10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
constexpr std::array<int, 24> kE24{10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                                   33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
constexpr std::array<int, 48> kE48{100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169,
                                   178, 187, 196, 205, 215, 226, 237, 249, 261, 274, 287, 301,
                                   316, 332, 348, 365, 383, 402, 422, 442, 464, 487, 511, 536,
                                   562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953};
constexpr std::array<int, 96> kE96{100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130,
                                   133, 137, 140, 143, 147, 150, 154, 158, 162, 165, 169, 174,
                                   178, 182, 187, 191, 196, 200, 205, 210, 215, 221, 226, 232,
                                   237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
                                   316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412,
                                   422, 432, 442, 453, 464, 475, 487, 499, 511, 523, 536, 549,
                                   562, 576, 590, 604, 619, 634, 649, 665, 681, 698, 715, 732,
                                   750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};

// Exact powers of ten as doubles (up to 1e22 every one is representable).
double PowerOfTen(int e)
{
    static const auto table = [] {
        std::array<double, 23> t{};
        double p = 1;
        for (auto& v : t) {
            v = p;
            p *= 10;
        }
        return t;
    }();
    return table[static_cast<size_t>(e)];
}

long FloorDiv(long a, long b)
{
    long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

TStandardSeries TStandardSeries::E6() { return TStandardSeries("E6", kE6, 2); }
TStandardSeries TStandardSeries::E12() { return TStandardSeries("E12", kE12, 2); }
TStandardSeries TStandardSeries::E24() { return TStandardSeries("E24", kE24, 2); }
TStandardSeries TStandardSeries::E48() { return TStandardSeries("E48", kE48, 3); }
TStandardSeries TStandardSeries::E96() { return TStandardSeries("E96", kE96, 3); }

std::optional<TStandardSeries> TStandardSeries::ByName(std::string_view name)
{
    for (auto series : {E6(), E12(), E24(), E48(), E96()})
        if (name.size() == std::string_view(series.Name()).size() &&
            strncasecmp(name.data(), series.Name(), name.size()) == 0)
            return series;
    return std::nullopt;
}

double TStandardSeries::ValueAt(long position) const
{
    const long n = static_cast<long>(mantissas_.size());
    const long decade = FloorDiv(position, n);
    const double mantissa = mantissas_[static_cast<size_t>(position - decade * n)];
    // Mantissa m of decade k stands for m * 10^(k - digits + 1).
    const long exponent = decade - (digits_ - 1);
    if (exponent >= 0)
        return exponent <= 22 ? mantissa * PowerOfTen(int(exponent)) : mantissa * std::pow(10.0, double(exponent));
    return -exponent <= 22 ? mantissa / PowerOfTen(int(-exponent)) : mantissa * std::pow(10.0, double(exponent));
}

long TStandardSeries::FloorPosition(double v) const
{
    const long n = static_cast<long>(mantissas_.size());
    // A first guess from the logarithm, then a walk to the exact position.
    long p = static_cast<long>(std::floor(std::log10(v) * double(n)));
    const double slack = 1 + 1e-9;
    while (ValueAt(p) > v * slack)
        --p;
    while (ValueAt(p + 1) <= v * slack)
        ++p;
    return p;
}

double TStandardSeries::Nearest(double v) const
{
    const long p = FloorPosition(v);
    const double below = ValueAt(p), above = ValueAt(p + 1);
    return v / below <= above / v ? below : above;
}

std::vector<double> TStandardSeries::Candidates(double v) const
{
    const long p = FloorPosition(v);
    const double at = ValueAt(p);
    if (std::abs(at - v) <= 1e-9 * v)
        return {ValueAt(p - 1), at, ValueAt(p + 1)};
    return {at, ValueAt(p + 1)};
}

} // namespace design
