#include "app/design/ResponseSweep.h"

#include <cmath>

namespace design {

void ComputeResponseSweep(double fc, double q, TResponseSweep& sweep)
{
    using L = long double;
    sweep.sweepStep = double(std::exp(0.01L * std::log(30.0L)));
    // Each grid frequency is stored before it is multiplied again, so the rounding accumulates.
    sweep.highPassFreq[0] = double(L(fc) / 3.0L);
    sweep.lowPassFreq[0] = double(L(fc) / 10.0L);
    for (int i = 1; i < TResponseSweep::PointCount; ++i) {
        sweep.highPassFreq[i] = double(L(sweep.highPassFreq[i - 1]) * L(sweep.sweepStep));
        sweep.lowPassFreq[i] = double(L(sweep.lowPassFreq[i - 1]) * L(sweep.sweepStep));
    }
    for (int i = 0; i < TResponseSweep::PointCount; ++i) {
        const L f = sweep.highPassFreq[i];
        const double x = double(f / L(fc));
        const double a = double(L(x) * L(x));
        const double b = double(std::pow(1.0L - L(x) * L(x), 2));
        const double y = double(f / (L(q) * L(fc)));
        sweep.highPassGain[i] = double(20.0L * std::log10(L(a) / std::sqrt(L(y) * L(y) + L(b))));
    }
    for (int i = 0; i < TResponseSweep::PointCount; ++i) {
        const L f = sweep.lowPassFreq[i];
        const double u = double(L(fc) / f);
        const double a = double(L(u) * L(u));
        const double b = double(std::pow(1.0L - L(u) * L(u), 2));
        const double y = double(L(fc) / (L(q) * f));
        sweep.lowPassGain[i] = double(20.0L * std::log10(L(a) / std::sqrt(L(y) * L(y) + L(b))));
    }
}

} // namespace design
