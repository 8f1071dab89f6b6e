// The design core's cost for a details view: a 400-point sweep of magnitude, phase and group
// delay of both sections with a real op-amp, a 500-sample tolerance band (each sample a
// section built from perturbed parts and evaluated at 400 points), and a 400-sample step
// response.

#include "app/design/Section.h"
#include "app/design/StepResponse.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr int Points = 400;

std::vector<double> Grid(double fc)
{
    std::vector<double> hz(Points);
    for (int i = 0; i < Points; ++i)
        hz[size_t(i)] = fc / 100 * std::pow(1e4, double(i) / (Points - 1));
    return hz;
}

void BM_SweepBothSections400(benchmark::State& state)
{
    const double fc = 1000, q = 0.71;
    const std::vector<double> hz = Grid(fc);
    std::vector<design::TResponsePoint> low(Points), high(Points);
    for (auto _ : state) {
        const auto lp = design::TSection::LowPass(design::EqualResistorLowPass(fc, q, 10e3), design::TOpAmp::SinglePole(1e6));
        const auto hp = design::TSection::HighPass(design::EqualCapacitorHighPass(fc, q, 10e-9), design::TOpAmp::SinglePole(1e6));
        for (int i = 0; i < Points; ++i) {
            low[size_t(i)] = lp.At(hz[size_t(i)]);
            high[size_t(i)] = hp.At(hz[size_t(i)]);
        }
        benchmark::DoNotOptimize(low.data());
        benchmark::DoNotOptimize(high.data());
    }
}
BENCHMARK(BM_SweepBothSections400);

void BM_ToleranceBand500x400(benchmark::State& state)
{
    const double fc = 1000, q = 0.71;
    std::vector<double> omegas = Grid(fc);
    for (double& w : omegas)
        w *= 2 * std::numbers::pi;
    const design::TLowPassParts nominal = design::EqualResistorLowPass(fc, q, 10e3);
    std::vector<double> lower(Points), upper(Points), sample(Points);
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> r(0.99, 1.01), c(0.95, 1.05);
    for (auto _ : state) {
        std::fill(lower.begin(), lower.end(), HUGE_VAL);
        std::fill(upper.begin(), upper.end(), 0.0);
        for (int s = 0; s < 500; ++s) {
            const design::TLowPassParts p{nominal.ra * r(rng), nominal.rb * r(rng), nominal.c1 * c(rng), nominal.c2 * c(rng)};
            design::TTransfer::LowPass(p).MagnitudeSquared(omegas, sample);
            for (int i = 0; i < Points; ++i) {
                lower[size_t(i)] = std::min(lower[size_t(i)], sample[size_t(i)]);
                upper[size_t(i)] = std::max(upper[size_t(i)], sample[size_t(i)]);
            }
        }
        // The band's edges in dB: one logarithm per point, not per sample.
        for (int i = 0; i < Points; ++i) {
            lower[size_t(i)] = 10 * std::log10(lower[size_t(i)]);
            upper[size_t(i)] = 10 * std::log10(upper[size_t(i)]);
        }
        benchmark::DoNotOptimize(lower.data());
        benchmark::DoNotOptimize(upper.data());
    }
}
BENCHMARK(BM_ToleranceBand500x400);

void BM_StepResponse400(benchmark::State& state)
{
    const design::TTransfer t = design::TTransfer::LowPass(design::EqualResistorLowPass(1000, 2.5, 10e3));
    std::vector<double> samples(Points);
    for (auto _ : state) {
        const design::TStepResponse step(t);
        step.Sample(step.SettlingBound(0.01), samples);
        benchmark::DoNotOptimize(samples.data());
    }
}
BENCHMARK(BM_StepResponse400);

} // namespace
