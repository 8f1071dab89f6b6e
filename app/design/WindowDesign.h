#pragma once
// One design as the main window computes and shows it: the four components, the texts of
// their value and unit labels, and their warning markers.

#include "app/design/FilterDesign.h"

#include <optional>

namespace design {

// The inputs as the window holds them once its checks have passed: fc as entered with its
// multiplier, R in ohms, C in farads.
struct TWindowInputs {
    double fc = 0;
    double freqMultiplier = 1;
    double q = 0;
    double r = 0;
    double c = 0;
};

struct TShownPart {
    double value = 0;                  // F or ohm
    std::optional<TLabelText> label;   // nothing: the labels keep what they show
    bool marked = false;               // the warning marker " <-- ?"
};

struct TWindowDesign {
    TFilterComponents components;
    TShownPart c1, c2, r1, r2;
};

TWindowDesign DesignAsWindow(const TWindowInputs& inputs);

} // namespace design

#include "app/design/SectionParts.h"

namespace design {

// The sections built from the window's components: R twice and C1, C2; C twice and R1, R2.
inline TLowPassParts LowPassParts(const TWindowDesign& d, double r)
{
    return TLowPassParts{r, r, d.components.c1, d.components.c2};
}
inline THighPassParts HighPassParts(const TWindowDesign& d, double c)
{
    return THighPassParts{c, c, d.components.r1, d.components.r2};
}

} // namespace design
