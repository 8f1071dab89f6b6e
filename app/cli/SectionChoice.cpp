#include "app/cli/SectionChoice.h"

#include "app/design/StandardPair.h"
#include "app/design/WindowDesign.h"

namespace cli {

design::TLowPassParts LowPassPartsFor(const TRequest& request)
{
    if (!request.hasR)
        return design::EqualResistorLowPass(request.fcHz, request.window.q, 10e3);
    const design::TWindowDesign d = design::DesignAsWindow(request.window);
    design::TLowPassParts parts = design::LowPassParts(d, request.window.r);
    if (request.values == TPartValues::Standard) {
        const auto pair = design::BestLowPassPair(request.fcHz, request.window.q, request.window.r, d.components.c1,
                                                  d.components.c2, request.capSeries);
        parts.c1 = pair.first;
        parts.c2 = pair.second;
    }
    return parts;
}

design::THighPassParts HighPassPartsFor(const TRequest& request)
{
    if (!request.hasC)
        return design::EqualCapacitorHighPass(request.fcHz, request.window.q, 10e-9);
    const design::TWindowDesign d = design::DesignAsWindow(request.window);
    design::THighPassParts parts = design::HighPassParts(d, request.window.c);
    if (request.values == TPartValues::Standard) {
        const auto pair = design::BestHighPassPair(request.fcHz, request.window.q, request.window.c, d.components.r1,
                                                   d.components.r2, request.resSeries);
        parts.r1 = pair.first;
        parts.r2 = pair.second;
    }
    return parts;
}

} // namespace cli
