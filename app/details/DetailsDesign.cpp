#include "app/details/DetailsDesign.h"

#include "app/cli/SweepReport.h"

#include <algorithm>
#include <numbers>

namespace details {

namespace {

constexpr double kStepSpanFactor = 1.5;

cli::TRequest WithChoices(cli::TRequest request, const TDetailsChoices& choices)
{
    request.command = cli::TCommand::Design;
    request.capSeries = choices.capSeries;
    request.resSeries = choices.resSeries;
    request.opAmp.gbwHz = choices.gbwHz;
    return request;
}

} // namespace

TDetailsDesign::TDetailsDesign(const cli::TRequest& inputs, const TDetailsChoices& choices)
    : choices_(choices), report_(cli::ComputeDesignReport(WithChoices(inputs, choices)))
{
    const cli::TRequest& request = report_.request;
    const design::TWindowDesign& d = report_.window;
    const double r = request.window.r, c = request.window.c;

    const design::TLowPassParts lowExact = design::LowPassParts(d, r);
    const design::THighPassParts highExact = design::HighPassParts(d, c);
    design::TLowPassParts lowStandard = lowExact;
    lowStandard.c1 = report_.lowPass.best.first;
    lowStandard.c2 = report_.lowPass.best.second;
    design::THighPassParts highStandard = highExact;
    highStandard.r1 = report_.highPass.best.first;
    highStandard.r2 = report_.highPass.best.second;

    sections_ = {design::TSection::LowPass(lowExact),       design::TSection::HighPass(highExact),
                 design::TSection::LowPass(lowStandard),    design::TSection::HighPass(highStandard),
                 design::TSection::LowPass(lowExact, request.opAmp), design::TSection::HighPass(highExact, request.opAmp)};

    hz_ = cli::LogGrid(FcHz() / 100, FcHz() * 100, Points);
    for (int k = 0; k < CurveCount; ++k) {
        TCurveData& curve = curves_[size_t(k)];
        curve.magnitudeDb.resize(Points);
        curve.phaseDeg.resize(Points);
        curve.delayS.resize(Points);
        for (size_t i = 0; i < size_t(Points); ++i) {
            const design::TResponsePoint p = sections_[size_t(k)].At(hz_[i]);
            curve.magnitudeDb[i] = p.magnitudeDb;
            curve.phaseDeg[i] = p.phaseDeg;
            curve.delayS[i] = p.groupDelayS;
        }
    }

    // The band is seeded from the design alone: the same inputs always give the same band.
    const double seedValues[] = {FcHz(), request.window.q, r, c};
    const uint64_t seed = SeedFrom(seedValues);
    lowBand_ = TToleranceBand(lowStandard, choices.tolerance, seed, choices.samples);
    highBand_ = TToleranceBand(highStandard, choices.tolerance, ~seed, choices.samples);
    std::vector<double> omegas(hz_);
    for (double& w : omegas)
        w *= 2 * std::numbers::pi;
    for (int s = 0; s < 2; ++s) {
        for (auto& edge : band_[size_t(s)])
            edge.resize(Points);
        (s == 0 ? lowBand_ : highBand_).Edges(omegas, band_[size_t(s)][0], band_[size_t(s)][1]);
    }

    // The step chart runs on well after the slowest of its four sections has settled within
    // 1 % (the bound is tight for a double pole, Q 0.5), so that the settled part shows.
    double duration = 0;
    for (int k = 0; k < StepCurves; ++k) {
        stepResponses_.emplace_back(sections_[size_t(k)].Transfer());
        duration = std::max(duration, kStepSpanFactor * stepResponses_.back().SettlingBound(0.01));
    }
    stepTimes_.resize(StepPoints);
    for (int i = 0; i < StepPoints; ++i)
        stepTimes_[size_t(i)] = duration * i / (StepPoints - 1);
    for (int k = 0; k < StepCurves; ++k) {
        steps_[size_t(k)].resize(StepPoints);
        stepResponses_[size_t(k)].Sample(duration, steps_[size_t(k)]);
    }
}

} // namespace details
