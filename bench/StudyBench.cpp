#include "Sweep.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace ppspin;

// A 41-value take-up-speed study from the defaults, as one process runs it.
void BM_Sweep41(benchmark::State& state) {
    TStudy study;
    study.Texts = DefaultFieldTexts('.');
    std::string message;
    study.Ranges.resize(1);
    ParseSweepRange("take-up-speed=1000:5000:100", '.', study.Ranges[0], message);
    const auto values = SweepValues(study.Ranges[0]);
    const auto run = std::make_unique<TRun>();
    for (auto _ : state) {
        int ok = 0;
        for (double v : values)
            ok += RunSweepPoint(*run, study, {v}).Ok() ? 1 : 0;
        benchmark::DoNotOptimize(ok);
    }
    state.counters["values"] = static_cast<double>(values.size());
}
BENCHMARK(BM_Sweep41)->Unit(benchmark::kMillisecond);

} // namespace
