// The values of a study run on several threads at once, their rows handed
// on in value order.
#pragma once

#include "RunRecords.h"

#include <oneapi/tbb/enumerable_thread_specific.h>
#include <oneapi/tbb/parallel_pipeline.h>
#include <oneapi/tbb/task_arena.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <utility>

namespace ppspin::cli {

// Computes compute(run, i) for i = 0 .. count - 1 on jobs threads, each
// thread on a run context of its own, and hands each result to deliver(row,
// i) in index order, as soon as it and every one before it are done. Once
// deliver returns false no further index is started.
template <typename Row, typename Compute, typename Deliver>
void RunInOrder(std::size_t count, int jobs, char separator, Compute&& compute, Deliver&& deliver) {
    tbb::enumerable_thread_specific<std::unique_ptr<TRun>> runs([separator] {
        auto run = std::make_unique<TRun>();
        run->DecimalSeparator = separator;
        return run;
    });
    std::size_t next = 0;
    std::atomic<bool> stop = false;
    using TDone = std::pair<std::size_t, Row>;
    // A pipeline: indices are handed out in order, computed in any order,
    // and delivered in order again; a few tokens per thread keep every
    // thread busy while an early index is still running.
    tbb::task_arena arena(jobs);
    arena.execute([&] {
        tbb::parallel_pipeline(
            static_cast<std::size_t>(jobs) * 4,
            tbb::make_filter<void, std::size_t>(tbb::filter_mode::serial_in_order,
                                                [&](tbb::flow_control& flow) -> std::size_t {
                                                    if (stop || next == count) {
                                                        flow.stop();
                                                        return 0;
                                                    }
                                                    return next++;
                                                }) &
                tbb::make_filter<std::size_t, TDone>(
                    tbb::filter_mode::parallel,
                    [&](std::size_t i) { return TDone(i, compute(*runs.local(), i)); }) &
                tbb::make_filter<TDone, void>(tbb::filter_mode::serial_in_order, [&](TDone done) {
                    if (!stop && !deliver(std::move(done.second), done.first))
                        stop = true;
                }));
    });
}

} // namespace ppspin::cli
