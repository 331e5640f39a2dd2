#include "Fit.h"
#include "study/SyntheticSpinline.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ppspin;

// The synthetic spinline of the fit's test: take-up speed 3100 m/min and
// zone-2 air velocity 85 cm/s, D and T every 5 cm from 5 to 75 cm with 1 %
// noise, both inputs fitted from the defaults.
void BM_FitSynthetic(benchmark::State& state) {
    using namespace ppspin::testing;
    const TRunOutcome truth =
        RunOf(TextsWith({{"take-up-speed", "3100"}, {"zone2-air-velocity", "85"}}));
    if (!truth.Snapshot) {
        state.SkipWithError(truth.Message.c_str());
        return;
    }
    std::vector<double> z;
    for (int k = 1; k <= 15; ++k)
        z.push_back(5.0 * k);
    TMeasuredData data;
    std::string message;
    ReadMeasured(MeasuredCsv(*truth.Snapshot, {Column("D_um"), Column("T_C")}, z, 0.01, 1), data,
                 message);
    TFitSetup setup;
    for (const char* name : {"take-up-speed", "zone2-air-velocity"})
        setup.Inputs.push_back({FindEditableInput(name), std::nullopt});
    int runs = 0;
    for (auto _ : state) {
        const TFitResult fit = FitMeasured(DefaultFieldTexts('.'), data, setup);
        runs = fit.Runs;
        benchmark::DoNotOptimize(fit.Inputs);
    }
    state.counters["runs"] = runs;
}
BENCHMARK(BM_FitSynthetic)->Unit(benchmark::kMillisecond);

} // namespace
