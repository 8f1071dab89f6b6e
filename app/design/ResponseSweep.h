#pragma once
// The main window's response curves: 100-point magnitude responses in dB of the ideal
// sections, on geometric grids spanning 30^(99/100): the high-pass from fc/3, the low-pass
// from fc/10. Evaluated in extended precision and rounded to double where stored, the grid
// frequency by frequency, so that the rounding accumulates as the window's does.

#include <array>

namespace design {

struct TResponseSweep {
    static constexpr int PointCount = 100;
    double sweepStep = 0;
    std::array<double, PointCount> highPassFreq{};
    std::array<double, PointCount> lowPassFreq{};
    std::array<double, PointCount> highPassGain{};
    std::array<double, PointCount> lowPassGain{};
};

// fc in any unit; the frequencies come out in the same unit. Index 0 is the first point.
void ComputeResponseSweep(double fc, double q, TResponseSweep& sweep);

} // namespace design
