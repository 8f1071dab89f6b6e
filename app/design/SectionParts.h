#pragma once
// The parts of the two unity-gain sections, each part on its own (a tolerance spread or a
// standard pair gives unequal series elements), and the op-amp that buffers them.
//
//   low-pass:  in --Ra-- mid --Rb-- ninp;  C1 from mid to out;  C2 from ninp to ground
//   high-pass: in --Ca-- mid --Cb-- ninp;  R1 from mid to out;  R2 from ninp to ground
// The op-amp follows ninp with its output (out) tied to its inverting input.

namespace design {

struct TLowPassParts {
    double ra = 0;   // input resistor, ohm
    double rb = 0;   // second series resistor, ohm
    double c1 = 0;   // feedback capacitor, F
    double c2 = 0;   // shunt capacitor, F
};

struct THighPassParts {
    double ca = 0;   // input capacitor, F
    double cb = 0;   // second series capacitor, F
    double r1 = 0;   // feedback resistor, ohm
    double r2 = 0;   // shunt resistor, ohm
};

// Open-loop gain A(s) = A0 / (1 + s / wp), wp = 2 pi GBW / A0: one pole, so that A0 times the
// pole frequency is the gain-bandwidth product. A GBW of 0 stands for the ideal follower
// (output equal to the input at every frequency).
struct TOpAmp {
    static constexpr double DefaultOpenLoopGain = 1e5;
    double gbwHz = 0;
    double a0 = DefaultOpenLoopGain;

    bool Ideal() const { return !(gbwHz > 0); }
    static TOpAmp Follower() { return TOpAmp{}; }
    static TOpAmp SinglePole(double gbwHz, double a0 = DefaultOpenLoopGain) { return TOpAmp{gbwHz, a0}; }
};

} // namespace design

namespace design {

// The equal-element sections designed with 2 pi exactly: R (or C) as given, the other pair
// from fc and Q. Their responses depend on fc and Q alone, whatever R or C is.
TLowPassParts EqualResistorLowPass(double fcHz, double q, double r);
THighPassParts EqualCapacitorHighPass(double fcHz, double q, double c);

} // namespace design
