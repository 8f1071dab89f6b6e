#include "app/FilterDesign.h"

#include "rtl/NumberText.h"

#include <cmath>

TFilterComponents ComputeFilterComponents(double fc, double freqMultiplier, double q, double r, double c)
{
    using L = long double;
    TFilterComponents result;
    result.omega = double(6.2832L * L(freqMultiplier) * L(fc));
    result.c2 = double(1.0L / (2.0L * L(q) * L(result.omega) * L(r)));
    result.c1 = double(4.0L * L(q) * L(q) * L(result.c2));
    result.r2 = double(2.0L * L(q) / (L(result.omega) * L(c)));
    result.r1 = double(L(result.r2) / (4.0L * L(q) * L(q)));
    return result;
}

// The unit and bound tests compare the stored doubles with double constants, so that a value
// equal to a limit is on the side the tables put it; the scaling runs in extended precision.
bool CapacitorText(double farads, std::string& value, std::string& unit)
{
    const long double v = farads;
    if (farads >= 1e-12 && farads < 1e-9) {
        value = rtl::IntToText(rtl::RoundHalfEven(v * 1e12L));
        unit = "pF";
    } else if (farads >= 1e-9 && farads < 1e-7) {
        value = rtl::OneDecimalText(rtl::RoundHalfEven(v * 1e9L * 10.0L));
        unit = "nF";
    } else if (farads >= 1e-7) {
        value = rtl::OneDecimalText(rtl::RoundHalfEven(v * 1e6L * 10.0L));
        unit = "uF";
    } else {
        return false;
    }
    return true;
}

bool ResistorText(double ohms, std::string& value, std::string& unit)
{
    const long double v = ohms;
    if (ohms >= 1.0 && ohms < 1000.0) {
        value = rtl::IntToText(rtl::RoundHalfEven(v));
        unit = "Ohm / Ом";
    } else if (ohms >= 1000.0) {
        value = rtl::OneDecimalText(rtl::RoundHalfEven(v / 100.0L));
        unit = "kOhm / кОм";
    } else {
        return false;
    }
    return true;
}

bool CapacitorOutOfBounds(double farads)
{
    return farads > 1e-5 || farads < 1e-10;
}

bool ResistorOutOfBounds(double ohms)
{
    return ohms > 1e6 || ohms < 100.0;
}

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
