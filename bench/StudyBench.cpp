#include "Report.h"
#include "Sweep.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ppspin;

// A 41-value take-up-speed study from the defaults, as one process runs it.
void BM_Sweep41(benchmark::State& state) {
    cli::TSweepSpec spec;
    std::string message;
    cli::ParseSweepSpec("take-up-speed=1000:5000:100", spec, message);
    const auto values = cli::SweepValues(spec);
    const TFieldTexts texts = DefaultFieldTexts('.');
    for (auto _ : state) {
        int ok = 0;
        for (double v : values)
            ok += cli::RunSweepPoint(texts, spec, v, "").Ok() ? 1 : 0;
        benchmark::DoNotOptimize(ok);
    }
    state.counters["values"] = static_cast<double>(values.size());
}
BENCHMARK(BM_Sweep41)->Unit(benchmark::kMillisecond);

} // namespace
