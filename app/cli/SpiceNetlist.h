#pragma once
// A SPICE netlist of one section that a circuit simulator runs as it is (ngspice -b):
//   input node "in" driven by "V1 in 0 AC 1", output node "out", ground "0";
//   the window's parts under distinct names (low-pass: RA, RB for its two R, C1, C2;
//   high-pass: CA, CB for its two C, R1, R2), the junction "mid", the non-inverting input
//   "ninp";
//   the op-amp an ideal follower (a voltage-controlled source of gain 1e6 from ninp to out with
//   feedback from out) or, with --gbw, the single-pole model of the design core in the
//   subcircuit OPAMP1P (pins: non-inverting input, inverting input, output), which a vendor
//   model with the same pins can replace;
//   an AC analysis over the sweep's range (the window's curve of that section, or --points,
//   --from, --to), and ".end".

#include "app/cli/CommandLine.h"

#include <string>

namespace cli {

std::string SpiceNetlist(const TRequest& request);

// The AC analysis's frequencies: "dec" with a (not necessarily whole) number of points per
// decade, from the first to the last frequency of the grid.
struct TAcSweep {
    double pointsPerDecade = 0;
    double fromHz = 0, toHz = 0;
    int points = 0;
};
TAcSweep AcSweepFor(const TRequest& request);

} // namespace cli
