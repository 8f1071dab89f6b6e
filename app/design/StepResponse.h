#pragma once
// The response of a section to a unit step at t = 0, exact at any time: the section as a
// state-space system whose matrix exponential gives the state at time t (zero-order hold is
// exact for a step). Repeated poles (Q = 0.5) need no special case.

#include "app/design/Transfer.h"

#include <array>
#include <span>

namespace design {

class TStepResponse {
public:
    explicit TStepResponse(const TTransfer& transfer);

    // The output at t seconds (t >= 0; 0 for t < 0). The value at 0 is the output just after
    // the step: 0 for the low-pass, the high-frequency gain (1) for the ideal high-pass.
    double At(double seconds) const;
    // out[i] = At(i * duration / (out.size() - 1)): one matrix exponential for the step, then
    // one small matrix-vector product per sample.
    void Sample(double duration, std::span<double> out) const;
    // The output once settled (the gain at 0 Hz).
    double Final() const { return final_; }
    // A time after which the output stays within tolerance of its final value (bounded from
    // the slowest pole's decay), for choosing how long to plot.
    double SettlingBound(double tolerance = 0.01) const;

private:
    static constexpr int MaxOrder = 3;
    using Matrix = std::array<std::array<double, MaxOrder + 1>, MaxOrder + 1>;
    // exp(M tau) of the augmented matrix [[A, B], [0, 0]], tau in normalised time.
    Matrix Exponential(double tau) const;
    double Output(const double* state) const;

    int n_ = 2;
    double timeScale_ = 1;   // normalised time per second
    double feedthrough_ = 0;
    double final_ = 0;
    double slowestDecay_ = 1;   // 1/s
    std::array<double, MaxOrder> a_{};   // monic denominator, lowest power first
    std::array<double, MaxOrder> c_{};   // output row
};

} // namespace design
