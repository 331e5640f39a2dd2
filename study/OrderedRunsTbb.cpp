// The ordered runner on oneTBB: a pipeline in a task arena of the study's
// own, so that studies run at once each keep their thread count.
#include "OrderedRuns.h"

#include <oneapi/tbb/enumerable_thread_specific.h>
#include <oneapi/tbb/parallel_pipeline.h>
#include <oneapi/tbb/task_arena.h>

#include <algorithm>
#include <atomic>
#include <mutex>

namespace ppspin {

namespace {

// Takes and releases the lock when its scope is left, by return or by
// exception: what the thread did before is then seen by whoever takes the
// lock next.
struct THandOver {
    std::mutex& Lock;
    ~THandOver() { const std::lock_guard lock(Lock); }
};

} // namespace

void RunIndicesOnTbb(std::size_t count, int jobs, const TComputeIndex& compute,
                     const TDeliverIndex& deliver) {
    const int threads = std::max(jobs, 1);
    tbb::enumerable_thread_specific<std::unique_ptr<TRun>> runs(
        [] { return std::make_unique<TRun>(); });
    // The pipeline's order already keeps the stages apart, but tools that
    // cannot see inside its scheduler (the thread sanitizer) see each
    // hand-over only through this lock. It is held for the bookkeeping
    // alone, never while compute or deliver runs: a slow deliver (a row
    // written and flushed) must not hold up the threads computing.
    std::mutex handOver;
    std::size_t next = 0;
    std::atomic<bool> stop = false;
    // Indices are handed out in order, computed in any order, and
    // delivered in order again; a few tokens per thread keep every thread
    // busy while an early index is still running.
    const auto handOut = [&](tbb::flow_control& flow) -> std::size_t {
        const std::lock_guard lock(handOver);
        if (stop || next == count) {
            flow.stop();
            return 0;
        }
        return next++;
    };
    const auto run = [&](std::size_t i) {
        const THandOver shown{handOver};
        compute(*runs.local(), i);
        return i;
    };
    const auto handOn = [&](std::size_t i) {
        {
            const std::lock_guard lock(handOver);
            if (stop)
                return;
        }
        const THandOver shown{handOver};
        if (!deliver(i))
            stop = true;
    };
    // What the stages did is the caller's once the pipeline has returned,
    // or thrown: an exception in a stage cancels it, which starts no
    // further index and rethrows it here once the running stages have
    // ended. Left before runs, whose contexts the threads made.
    const THandOver done{handOver};
    tbb::task_arena arena(threads);
    arena.execute([&] {
        using tbb::filter_mode;
        tbb::parallel_pipeline(
            static_cast<std::size_t>(threads) * 4,
            tbb::make_filter<void, std::size_t>(filter_mode::serial_in_order, handOut) &
                tbb::make_filter<std::size_t, std::size_t>(filter_mode::parallel, run) &
                tbb::make_filter<std::size_t, void>(filter_mode::serial_in_order, handOn));
    });
}

} // namespace ppspin
