#include "MiscCalc.h"
#include "Report.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ppspin;

void RunWithIncrement(benchmark::State& state, double dz) {
    for (auto _ : state) {
        RunInput = TRunInput{};
        RunInput.Dz = dz;
        SetUpRun();
        RunTrials();
        benchmark::DoNotOptimize(SpinProfile.V[RunState.N3]);
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

void HoldSpinneretValues() {
    RunInput = TRunInput{};
    SetUpRun();
    RunState.Rho = SpinProfile.RHO[1];
    RunState.Lambda = SpinProfile.ETA[1];
    RunState.Cp = SpinProfile.CP[1];
    RunState.H = 0.0024065;
    RunState.Ta = 180.0;
}

void BM_SpinDerivatives(benchmark::State& state) {
    HoldSpinneretValues();
    TStateVector y{};
    y[0] = 31.3758;
    y[1] = 20.0;
    y[2] = 190.0;
    TStateVector dy{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(y);
        SpinDerivatives(y, 0.0, dy);
        benchmark::DoNotOptimize(dy);
    }
}
BENCHMARK(BM_SpinDerivatives);

void BM_RKGStep(benchmark::State& state) {
    HoldSpinneretValues();
    for (auto _ : state) {
        TStateVector y{};
        y[0] = 31.3758;
        y[1] = 20.0;
        y[2] = 190.0;
        benchmark::DoNotOptimize(y);
        RKGStep(3, y, 0.0, 1.0);
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(BM_RKGStep);

void BM_FormatReportRows(benchmark::State& state) {
    RunInput = TRunInput{};
    SetUpRun();
    RunTrials();
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (int k = 1; k <= RunState.N3; ++k)
            bytes += ResultRow(k).size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_FormatReportRows);

} // namespace
