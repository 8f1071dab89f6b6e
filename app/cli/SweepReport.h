#pragma once
// The answer of "filter2 sweep": without a sweep of its own, the window's two 100-point
// magnitude curves (frequencies in Hz); with --points, --from or --to, N log-spaced points with
// gain, phase and group delay. A real op-amp (--gbw) or standard parts (--values standard)
// make every point the design core's response of that section.

#include "app/cli/CommandLine.h"

#include <string>
#include <vector>

namespace cli {

struct TSweepPoint {
    double hz = 0;
    double gainDb = 0;
    double phaseDeg = 0;
    double groupDelayS = 0;
};

struct TSweepResult {
    bool detailed = false;   // phase and group delay hold values
    std::vector<TSweepPoint> lowPass, highPass;
};

// The frequencies of a sweep of its own: n points from f1 to f2, equal ratios.
std::vector<double> LogGrid(double f1, double f2, int n);

TSweepResult ComputeSweep(const TRequest& request);
std::string SweepCsv(const TSweepResult& sweep);
std::string SweepJson(const TSweepResult& sweep, const TRequest& request);

} // namespace cli
