// The values of a study run on several threads at once, their rows handed
// on in value order.
#pragma once

#include "RunRecords.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace ppspin {

// Computes index i on run, a run context of the calling thread's own.
using TComputeIndex = std::function<void(TRun& run, std::size_t i)>;
// Hands on index i once it is computed; false stops the runs.
using TDeliverIndex = std::function<bool(std::size_t i)>;

// A runner computes compute(run, i) for i = 0 .. count - 1 on up to jobs
// threads, each thread on a run context of its own on the heap (the point
// tables are too large for the stack of every thread that may run one),
// and calls deliver(i) in index order, one at a time, as soon as i and
// every index before it are computed, never under a lock the computing
// threads need. Once deliver returns false no further index is started.
// An exception from either starts no further index and is rethrown to the
// caller once the runs already started have ended. The runner owns nothing
// process-wide: how many threads the process may run is the application's
// to set.
using TOrderedRunner = void (*)(std::size_t count, int jobs, const TComputeIndex& compute,
                                const TDeliverIndex& deliver);

// On the calling thread, one index after another (OrderedRunsSerial.cpp).
void RunIndicesSerially(std::size_t count, int jobs, const TComputeIndex& compute,
                        const TDeliverIndex& deliver);
#ifdef PPSPIN_RUNS_ON_TBB
// On a oneTBB task arena of jobs threads, the study's own
// (OrderedRunsTbb.cpp).
void RunIndicesOnTbb(std::size_t count, int jobs, const TComputeIndex& compute,
                     const TDeliverIndex& deliver);
#endif

// The build's runner: oneTBB's where the build found oneTBB, else one
// thread's.
inline void RunIndicesInOrder(std::size_t count, int jobs, const TComputeIndex& compute,
                              const TDeliverIndex& deliver) {
#ifdef PPSPIN_RUNS_ON_TBB
    RunIndicesOnTbb(count, jobs, compute, deliver);
#else
    RunIndicesSerially(count, jobs, compute, deliver);
#endif
}

// Computes compute(run, i) for i = 0 .. count - 1 on jobs threads, as
// RunIndicesInOrder does, and hands each result to deliver(row, i) in
// index order, as soon as it and every one before it are done. Once
// deliver returns false no further index is started.
template <typename Row, typename Compute, typename Deliver>
void RunInOrder(std::size_t count, int jobs, Compute&& compute, Deliver&& deliver) {
    // Results wait here, by index, between being computed and delivered;
    // the runner orders each write before its read.
    std::vector<std::unique_ptr<Row>> done(count);
    RunIndicesInOrder(
        count, jobs,
        [&](TRun& run, std::size_t i) { done[i] = std::make_unique<Row>(compute(run, i)); },
        [&](std::size_t i) {
            const std::unique_ptr<Row> row = std::move(done[i]);
            return deliver(std::move(*row), i);
        });
}

} // namespace ppspin
