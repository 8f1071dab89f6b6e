#pragma once
// Everything the details window shows for one design, computed at once: the command line's
// design report (exact parts, nearest and best standard values, the op-amp's effect and the
// GBW needed), the sections built from the exact parts, from the best standard pair and with
// the chosen op-amp, their magnitude, phase and group delay over 400 log-spaced points from
// fc/100 to 100 fc, the tolerance bands of the standard-pair sections, and the step responses.
// The sections are kept, so that any frequency or time can be evaluated exactly afterwards.

#include "app/cli/DesignReport.h"
#include "app/design/Section.h"
#include "app/design/StepResponse.h"
#include "app/details/ToleranceBand.h"

#include <array>
#include <vector>

namespace details {

// What the user picks in the window besides the design itself.
struct TDetailsChoices {
    design::TStandardSeries capSeries = design::TStandardSeries::E12();
    design::TStandardSeries resSeries = design::TStandardSeries::E96();
    TTolerance tolerance;
    double gbwHz = 0;   // 0: the ideal follower
    int samples = TToleranceBand::DefaultSamples;
};

// The six built sections, in the order of the frequency charts' first series.
enum TCurve { LowIdeal, HighIdeal, LowStandard, HighStandard, LowOpAmp, HighOpAmp, CurveCount };

struct TCurveData {
    std::vector<double> magnitudeDb, phaseDeg, delayS;
};

class TDetailsDesign {
public:
    static constexpr int Points = 400;
    static constexpr int StepPoints = 400;
    static constexpr int StepCurves = 4;   // LowIdeal .. HighStandard

    // inputs: a parsed "design" request (fc, Q, R, C and the texts as entered); its series and
    // op-amp are replaced by the choices.
    TDetailsDesign(const cli::TRequest& inputs, const TDetailsChoices& choices);

    const cli::TDesignReport& Report() const { return report_; }
    const TDetailsChoices& Choices() const { return choices_; }
    double FcHz() const { return report_.request.fcHz; }

    const std::vector<double>& Frequencies() const { return hz_; }
    const design::TSection& Section(TCurve curve) const { return sections_[curve]; }
    const TCurveData& Curve(TCurve curve) const { return curves_[curve]; }
    // Band edges of the standard-pair sections (lower, upper), in dB over Frequencies().
    const std::vector<double>& BandEdge(bool lowPass, bool upper) const { return band_[lowPass ? 0 : 1][upper ? 1 : 0]; }
    const TToleranceBand& Band(bool lowPass) const { return lowPass ? lowBand_ : highBand_; }

    const std::vector<double>& StepTimes() const { return stepTimes_; }
    const std::vector<double>& Step(int curve) const { return steps_[size_t(curve)]; }
    double StepAt(int curve, double seconds) const { return stepResponses_[size_t(curve)].At(seconds); }

private:
    TDetailsChoices choices_;
    cli::TDesignReport report_;
    std::vector<double> hz_;
    std::vector<design::TSection> sections_;
    std::array<TCurveData, CurveCount> curves_;
    TToleranceBand lowBand_, highBand_;
    std::array<std::array<std::vector<double>, 2>, 2> band_;
    std::vector<design::TStepResponse> stepResponses_;
    std::vector<double> stepTimes_;
    std::array<std::vector<double>, StepCurves> steps_;
};

} // namespace details
