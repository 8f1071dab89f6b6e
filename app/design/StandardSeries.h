#pragma once
// The standard value series E6, E12, E24 (two significant digits) and E48, E96 (three) of
// IEC 60063, and the values of a series around a given value across decades.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace design {

class TStandardSeries {
public:
    // E6, E12, E24, E48 or E96 (case-insensitive); nothing for any other name.
    static std::optional<TStandardSeries> ByName(std::string_view name);
    static TStandardSeries E6();
    static TStandardSeries E12();
    static TStandardSeries E24();
    static TStandardSeries E48();
    static TStandardSeries E96();

    const char* Name() const { return name_; }
    // The mantissas of one decade as integers: 10..82 for E6 to E24, 100..976 for E48, E96.
    std::span<const int> Mantissas() const { return mantissas_; }
    int Digits() const { return digits_; }

    // The value at a position counted over all decades: position p is mantissa p mod n of
    // decade p div n, and decade 0 runs from 1 to just under 10 (position 0 is 1.0, n is 10).
    // Exact: the mantissa times or divided by a power of ten, rounded once.
    double ValueAt(long position) const;
    // The position of the largest series value <= v (with a relative slack of 1e-9, so that a
    // value printed from a series value finds that value).
    long FloorPosition(double v) const;

    // The value of the series nearest to v in ratio (geometric distance).
    double Nearest(double v) const;
    // The series values within one step of v: the two that enclose it, or, when v is a series
    // value, that value and its two neighbours. Ascending; decade edges are crossed.
    std::vector<double> Candidates(double v) const;

private:
    TStandardSeries(const char* name, std::span<const int> mantissas, int digits)
        : name_(name), mantissas_(mantissas), digits_(digits) {}

    const char* name_;
    std::span<const int> mantissas_;
    int digits_;
};

} // namespace design
