// The values of a study run on several threads at once, their rows handed
// on in value order.
#pragma once

#include "RunRecords.h"

#include <oneapi/tbb/enumerable_thread_specific.h>
#include <oneapi/tbb/global_control.h>
#include <oneapi/tbb/parallel_pipeline.h>
#include <oneapi/tbb/task_arena.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace ppspin {

// Computes compute(run, i) for i = 0 .. count - 1 on jobs threads, each
// thread on a run context of its own, and hands each result to deliver(row,
// i) in index order, as soon as it and every one before it are done. Once
// deliver returns false no further index is started.
template <typename Row, typename Compute, typename Deliver>
void RunInOrder(std::size_t count, int jobs, Compute&& compute, Deliver&& deliver) {
    // On the heap: the point tables are too large for the stack of every
    // thread that may run one.
    tbb::enumerable_thread_specific<std::unique_ptr<TRun>> runs(
        [] { return std::make_unique<TRun>(); });
    // Results wait here, by index, between being computed and delivered.
    // The lock hands each over; the pipeline's order already keeps the
    // stages apart, but tools that cannot see inside its scheduler (the
    // thread sanitizer) see the hand-over only through the lock.
    std::vector<std::unique_ptr<Row>> done(count);
    std::mutex handOver;
    std::size_t next = 0;
    std::atomic<bool> stop = false;
    // A pipeline: indices are handed out in order, computed in any order,
    // and delivered in order again; a few tokens per thread keep every
    // thread busy while an early index is still running.
    const auto handOut = [&](tbb::flow_control& flow) -> std::size_t {
        const std::lock_guard lock(handOver);
        if (stop || next == count) {
            flow.stop();
            return 0;
        }
        return next++;
    };
    const auto run = [&](std::size_t i) {
        auto row = std::make_unique<Row>(compute(*runs.local(), i));
        const std::lock_guard lock(handOver);
        done[i] = std::move(row);
        return i;
    };
    const auto handOn = [&](std::size_t i) {
        const std::lock_guard lock(handOver);
        const std::unique_ptr<Row> row = std::move(done[i]);
        if (!stop && !deliver(std::move(*row), i))
            stop = true;
    };
    // As many threads as asked for, even beyond the hardware's: oneTBB
    // would otherwise run fewer and warn about it on stderr.
    const tbb::global_control threads(
        tbb::global_control::max_allowed_parallelism,
        std::max<std::size_t>(
            static_cast<std::size_t>(jobs),
            tbb::global_control::active_value(tbb::global_control::max_allowed_parallelism)));
    tbb::task_arena arena(jobs);
    arena.execute([&] {
        using tbb::filter_mode;
        tbb::parallel_pipeline(
            static_cast<std::size_t>(jobs) * 4,
            tbb::make_filter<void, std::size_t>(filter_mode::serial_in_order, handOut) &
                tbb::make_filter<std::size_t, std::size_t>(filter_mode::parallel, run) &
                tbb::make_filter<std::size_t, void>(filter_mode::serial_in_order, handOn));
    });
    // What the stages did is the caller's from here on.
    const std::lock_guard lock(handOver);
}

} // namespace ppspin
