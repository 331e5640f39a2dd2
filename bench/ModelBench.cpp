#include "MiscCalc.h"
#include "Report.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace ppspin;

void RunWithIncrement(benchmark::State& state, double dz) {
    const auto run = std::make_unique<TRun>();
    for (auto _ : state) {
        run->RunInput = TRunInput{};
        run->RunInput.Dz = dz;
        SetUpRun(*run);
        RunTrials(*run);
        benchmark::DoNotOptimize(run->SpinProfile.V[run->RunState.N3]);
    }
}

void BM_DefaultRun(benchmark::State& state) {
    RunWithIncrement(state, 1.0);
}
BENCHMARK(BM_DefaultRun);

void BM_FineRun(benchmark::State& state) {
    RunWithIncrement(state, 0.1);
}
BENCHMARK(BM_FineRun);

// The spinneret point's material and air values, held as a step holds them.
TPointValues SpinneretPointValues() {
    const auto run = std::make_unique<TRun>();
    SetUpRun(*run);
    const TSpinProfile& p = run->SpinProfile;
    return {p.RHO[1], p.ETA[1], 0.0024065, p.CP[1], 180.0};
}

// The default run's throughput, g/s.
constexpr double DefaultW = 0.7 / 60;

TStateVector SpinneretState() {
    TStateVector y{};
    y[0] = 31.3758;
    y[1] = 20.0;
    y[2] = 190.0;
    return y;
}

// Every call computes all three powers: the point values are opaque too, so
// none of them is taken out of the loop.
void BM_SpinDerivatives(benchmark::State& state) {
    TPointValues s = SpinneretPointValues();
    double w = DefaultW;
    TStateVector y = SpinneretState();
    TStateVector dy{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(s);
        benchmark::DoNotOptimize(w);
        benchmark::DoNotOptimize(y);
        SpinDerivatives(s, w, y, 0.0, dy);
        benchmark::DoNotOptimize(dy);
    }
}
BENCHMARK(BM_SpinDerivatives);

void BM_RKGStep(benchmark::State& state) {
    const TPointValues s = SpinneretPointValues();
    for (auto _ : state) {
        TStateVector y = SpinneretState();
        benchmark::DoNotOptimize(y);
        RKGStep(3, y, 0.0, 1.0, [&s](const TStateVector& yy, double x, TStateVector& dy) {
            SpinDerivatives(s, DefaultW, yy, x, dy);
        });
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(BM_RKGStep);

void BM_FormatReportRows(benchmark::State& state) {
    const auto run = std::make_unique<TRun>();
    SetUpRun(*run);
    RunTrials(*run);
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (int k = 1; k <= run->RunState.N3; ++k)
            bytes += ResultRow(ProfilePoint(*run, k), '.').size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_FormatReportRows);

} // namespace
