#include "app/design/WindowDesign.h"

namespace design {

TWindowDesign DesignAsWindow(const TWindowInputs& in)
{
    TWindowDesign d;
    d.components = ComputeFilterComponents(in.fc, in.freqMultiplier, in.q, in.r, in.c);
    const auto capacitor = [](double farads) {
        return TShownPart{farads, CapacitorText(farads), CapacitorOutOfBounds(farads)};
    };
    const auto resistor = [](double ohms) {
        return TShownPart{ohms, ResistorText(ohms), ResistorOutOfBounds(ohms)};
    };
    d.c1 = capacitor(d.components.c1);
    d.c2 = capacitor(d.components.c2);
    d.r1 = resistor(d.components.r1);
    d.r2 = resistor(d.components.r2);
    return d;
}

} // namespace design
