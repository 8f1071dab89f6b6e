#include "app/design/FilterDesign.h"

#include "rtl/NumberText.h"

namespace design {

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
std::optional<TLabelText> CapacitorText(double farads)
{
    const long double v = farads;
    if (farads >= 1e-12 && farads < 1e-9)
        return TLabelText{rtl::IntToText(rtl::RoundHalfEven(v * 1e12L)), "pF"};
    if (farads >= 1e-9 && farads < 1e-7)
        return TLabelText{rtl::OneDecimalText(rtl::RoundHalfEven(v * 1e9L * 10.0L)), "nF"};
    if (farads >= 1e-7)
        return TLabelText{rtl::OneDecimalText(rtl::RoundHalfEven(v * 1e6L * 10.0L)), "uF"};
    return std::nullopt;
}

std::optional<TLabelText> ResistorText(double ohms)
{
    const long double v = ohms;
    if (ohms >= 1.0 && ohms < 1000.0)
        return TLabelText{rtl::IntToText(rtl::RoundHalfEven(v)), "Ohm / Ом"};
    if (ohms >= 1000.0)
        return TLabelText{rtl::OneDecimalText(rtl::RoundHalfEven(v / 100.0L)), "kOhm / кОм"};
    return std::nullopt;
}

bool CapacitorOutOfBounds(double farads)
{
    return farads > 1e-5 || farads < 1e-10;
}

bool ResistorOutOfBounds(double ohms)
{
    return ohms > 1e6 || ohms < 100.0;
}

} // namespace design
