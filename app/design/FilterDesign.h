#pragma once
// The design equations of the two unity-gain equal-element sections as the main window
// computes them, and how their component values are shown. Expressions are evaluated in
// extended precision (long double) and rounded to double where a value is stored.

#include <optional>
#include <string>

namespace design {

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

// What a value label and its unit label show.
struct TLabelText {
    std::string value;
    std::string unit;
};

// The texts of a value label and its unit label, or nothing when the value is below the
// smallest unit and the labels keep what they show.
std::optional<TLabelText> CapacitorText(double farads);
std::optional<TLabelText> ResistorText(double ohms);

// Practical bounds: outside them a value gets its warning marker (the bounds themselves pass).
bool CapacitorOutOfBounds(double farads);
bool ResistorOutOfBounds(double ohms);

} // namespace design
