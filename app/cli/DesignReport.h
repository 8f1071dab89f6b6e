#pragma once
// The answer of "filter2 design": both sections as the window shows them, their standard
// values, and what a real op-amp does to them; as text for people or JSON for scripts.

#include "app/cli/CommandLine.h"
#include "app/design/OpAmpDemand.h"
#include "app/design/StandardPair.h"
#include "app/design/WindowDesign.h"

#include <optional>
#include <string>

namespace cli {

struct TSectionReport {
    design::TShownPart first, second;       // C1, C2 or R1, R2 as the window shows them
    double idealFcHz = 0, idealQ = 0;        // of the computed parts with an ideal follower
    design::TStandardPair nearest, best;     // of the chosen series
    const char* series = "";
    int seriesDigits = 2;                    // significant digits of its values
    double gbwNeededHz = 0;                  // keeps fc and Q within 1 %
    std::optional<design::TOpAmpEffect> opAmp;   // with --gbw
};

struct TDesignReport {
    TRequest request;
    design::TWindowDesign window;
    TSectionReport lowPass, highPass;
};

TDesignReport ComputeDesignReport(const TRequest& request);
std::string DesignText(const TDesignReport& report);
std::string DesignJson(const TDesignReport& report);

} // namespace cli
