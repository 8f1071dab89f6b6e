#include "app/cli/SpiceNetlist.h"

#include "app/cli/SectionChoice.h"
#include "app/design/ResponseSweep.h"
#include "app/design/ValueText.h"

#include <fmt/format.h>

#include <cmath>
#include <numbers>

namespace cli {

namespace {

// Plain exponent notation: SPICE reads suffixes ("m" is milli, "M" too), so none are written.
std::string Number(double value)
{
    return fmt::format("{:.12g}", value);
}

} // namespace

TAcSweep AcSweepFor(const TRequest& request)
{
    TAcSweep ac;
    if (request.customSweep) {
        ac.fromHz = request.fromHz;
        ac.toHz = request.toHz;
        ac.points = request.points;
    } else {
        design::TResponseSweep window;
        design::ComputeResponseSweep(request.fcHz, request.window.q, window);
        const bool low = request.section == TSectionKind::LowPass;
        ac.fromHz = low ? window.lowPassFreq.front() : window.highPassFreq.front();
        ac.toHz = low ? window.lowPassFreq.back() : window.highPassFreq.back();
        ac.points = design::TResponseSweep::PointCount;
    }
    ac.pointsPerDecade = (ac.points - 1) / std::log10(ac.toHz / ac.fromHz);
    return ac;
}

std::string SpiceNetlist(const TRequest& request)
{
    const bool low = request.section == TSectionKind::LowPass;
    const TRequest& r = request;
    std::string out;
    out += fmt::format("* filter2: {} section, fc {} {}, Q {}{}, {} values{}\n", low ? "low-pass" : "high-pass",
                       r.fcEntry.text, r.fcEntry.unit, r.qEntry.text,
                       low ? fmt::format(", R {} {}", r.rEntry.text, r.rEntry.unit)
                           : fmt::format(", C {} {}", r.cEntry.text, r.cEntry.unit),
                       r.values == TPartValues::Standard ? "standard" : "exact",
                       r.opAmp.Ideal() ? std::string(", ideal op-amp")
                                       : fmt::format(", op-amp GBW {}", design::EngineeringText(r.opAmp.gbwHz, "Hz", 4)));
    out += "V1 in 0 AC 1\n";
    if (low) {
        const design::TLowPassParts p = LowPassPartsFor(request);
        out += "* the two resistors R (RA, RB), C1 from the junction to the output, C2 to ground\n";
        out += fmt::format("RA in mid {}\n", Number(p.ra));
        out += fmt::format("RB mid ninp {}\n", Number(p.rb));
        out += fmt::format("C1 mid out {}\n", Number(p.c1));
        out += fmt::format("C2 ninp 0 {}\n", Number(p.c2));
    } else {
        const design::THighPassParts p = HighPassPartsFor(request);
        out += "* the two capacitors C (CA, CB), R1 from the junction to the output, R2 to ground\n";
        out += fmt::format("CA in mid {}\n", Number(p.ca));
        out += fmt::format("CB mid ninp {}\n", Number(p.cb));
        out += fmt::format("R1 mid out {}\n", Number(p.r1));
        out += fmt::format("R2 ninp 0 {}\n", Number(p.r2));
    }
    if (r.opAmp.Ideal()) {
        out += "* ideal op-amp as a voltage follower\n";
        out += "E1 out 0 ninp out 1e6\n";
    } else {
        out += "* op-amp as a follower: non-inverting input, inverting input, output\n";
        out += "X1 ninp out out OPAMP1P\n";
        out += fmt::format("* single-pole op-amp: open-loop gain {}, gain-bandwidth product {} Hz\n",
                           Number(r.opAmp.a0), Number(r.opAmp.gbwHz));
        out += ".subckt OPAMP1P inp inn outp\n";
        out += fmt::format("G1 0 pole inp inn {}\n", Number(r.opAmp.a0));
        out += "RP pole 0 1\n";
        out += fmt::format("CP pole 0 {}\n", Number(r.opAmp.a0 / (2 * std::numbers::pi * r.opAmp.gbwHz)));
        out += "EO outp 0 pole 0 1\n";
        out += ".ends OPAMP1P\n";
    }
    const TAcSweep ac = AcSweepFor(request);
    out += fmt::format(".ac dec {:.17g} {:.17g} {:.17g}\n", ac.pointsPerDecade, ac.fromHz, ac.toHz);
    out += ".print ac vdb(out) vp(out)\n";
    out += ".end\n";
    return out;
}

} // namespace cli
