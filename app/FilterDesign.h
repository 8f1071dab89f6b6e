#pragma once
// The design equations of the two unity-gain equal-element sections, and how their component
// values are shown. Expressions are evaluated in extended precision (long double) and rounded
// to double where a value is stored.

#include <array>
#include <string>

struct TFilterComponents {
    double omega = 0;   // angular corner frequency, rad/s
    double c1 = 0;      // low-pass feedback capacitor, F
    double c2 = 0;      // low-pass shunt capacitor, F
    double r1 = 0;      // high-pass feedback resistor, ohm
    double r2 = 0;      // high-pass shunt resistor, ohm
};

// fc as entered, freqMultiplier 1 (Hz) or 1000 (kHz), q, r in ohms, c in farads.
// The constant 6.2832 (not 2 pi) is part of the program's results.
TFilterComponents ComputeFilterComponents(double fc, double freqMultiplier, double q, double r, double c);

// The text and unit of a value label, or false when the value is below the smallest unit and
// the labels keep what they show.
bool CapacitorText(double farads, std::string& value, std::string& unit);
bool ResistorText(double ohms, std::string& value, std::string& unit);

// Practical bounds: outside them a value gets its warning marker (the bounds themselves pass).
bool CapacitorOutOfBounds(double farads);
bool ResistorOutOfBounds(double ohms);

// The 100-point magnitude responses in dB on geometric grids spanning 30^(99/100): the
// high-pass from fc/3, the low-pass from fc/10. Index 0 here is the first point.
struct TResponseSweep {
    static constexpr int PointCount = 100;
    double sweepStep = 0;
    std::array<double, PointCount> highPassFreq{};
    std::array<double, PointCount> lowPassFreq{};
    std::array<double, PointCount> highPassGain{};
    std::array<double, PointCount> lowPassGain{};
};

void ComputeResponseSweep(double fc, double q, TResponseSweep& sweep);
