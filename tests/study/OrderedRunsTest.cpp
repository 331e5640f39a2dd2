// The ordered runner: results handed on in index order, outside any lock
// the computing threads need, each study on a thread count of its own.
#include "OrderedRuns.h"

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#ifdef PPSPIN_RUNS_ON_TBB
#include <oneapi/tbb/global_control.h>
#include <oneapi/tbb/task_arena.h>
#endif

#include <gtest/gtest.h>

namespace ppspin {
namespace {

// Waits for done() to hold, up to a bound, so that a runner that never lets
// it hold fails the test instead of hanging it.
template <typename Done> bool Await(Done&& done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Both runners; one run of each per test, as the thread sanitizer cannot
// see oneTBB hand a second run to a thread it keeps.
const std::pair<const char*, TOrderedRunner> Runners[] = {{"build's", RunIndicesInOrder},
                                                          {"serial", RunIndicesSerially}};

// In index order, however the runs finish; nothing started once deliver
// says stop.
TEST(OrderedRuns, EveryRunnerHandsOnInOrderAndStops) {
    constexpr std::size_t count = 64;
    for (const auto& [name, runner] : Runners) {
        std::atomic<std::size_t> started = 0;
        std::vector<std::size_t> heard;
        runner(
            count, 2,
            [&](TRun&, std::size_t i) {
                ++started;
                std::this_thread::sleep_for(std::chrono::microseconds(300 * (i % 3)));
            },
            [&](std::size_t i) {
                heard.push_back(i);
                return i < 3;
            });
        EXPECT_EQ(heard, (std::vector<std::size_t>{0, 1, 2, 3})) << name;
        // Threads may have started a few more before the stop.
        EXPECT_LT(started, count) << name;
        if (runner == RunIndicesSerially) {
            EXPECT_EQ(started, 4u);
        }
    }
}

// An exception from a run reaches the caller, with the indices before it
// handed on or not, in order.
TEST(OrderedRuns, EveryRunnerPassesOnAnException) {
    for (const auto& [name, runner] : Runners) {
        std::vector<std::size_t> heard;
        EXPECT_THROW(runner(
                         64, 2,
                         [](TRun&, std::size_t i) {
                             if (i == 5)
                                 throw std::runtime_error("run 5");
                         },
                         [&](std::size_t i) {
                             heard.push_back(i);
                             return true;
                         }),
                     std::runtime_error)
            << name;
        EXPECT_LE(heard.size(), 5u) << name;
        if (runner == RunIndicesSerially) {
            EXPECT_EQ(heard.size(), 5u);
        }
        for (std::size_t k = 0; k < heard.size(); ++k)
            EXPECT_EQ(heard[k], k) << name;
    }
}

#ifdef PPSPIN_RUNS_ON_TBB
// A slow consumer (a row written and flushed) must not hold up the runs:
// while index 0 is handed on, index 1 is stored and index 2 starts.
TEST(OrderedRuns, HandsOnWhileTheOtherThreadsRun) {
    std::atomic<bool> delivering = false, thirdStarted = false;
    bool overlapped = false;
    std::vector<std::size_t> heard;
    RunInOrder<std::size_t>(
        3, 2,
        [&](TRun&, std::size_t i) {
            if (i == 1)
                Await([&] { return delivering.load(); });
            if (i == 2)
                thirdStarted = true;
            return i;
        },
        [&](std::size_t&& row, std::size_t i) {
            if (i == 0) {
                delivering = true;
                overlapped = Await([&] { return thirdStarted.load(); });
            }
            heard.push_back(row);
            return true;
        });
    EXPECT_TRUE(overlapped);
    EXPECT_EQ(heard, (std::vector<std::size_t>{0, 1, 2}));
}

// A study in the window and a goal seek, or two Python threads, at once:
// each runs on the threads it asked for, and the process's limit, the
// application's to set, stays as it was (oneTBB then runs fewer threads
// than the second asks for, and says so on stderr).
TEST(OrderedRuns, StudiesAtOnceKeepTheirOwnThreadCounts) {
    const auto limit = [] {
        return tbb::global_control::active_value(tbb::global_control::max_allowed_parallelism);
    };
    const std::size_t before = limit();
    const int jobs[2] = {1, static_cast<int>(before) + 1};
    std::atomic<int> running = 0;
    struct {
        bool Together = false;
        int Concurrency = 0;
        std::size_t Limit = 0;
    } seen[2];
    const auto study = [&](int k) {
        RunInOrder<int>(
            1, jobs[k],
            [&](TRun&, std::size_t) {
                ++running;
                seen[k].Together = Await([&] { return running == 2; });
                seen[k].Concurrency = tbb::this_task_arena::max_concurrency();
                seen[k].Limit = limit();
                return 0;
            },
            [](int&&, std::size_t) { return true; });
    };
    // oneTBB set up before the second thread starts, through locks the
    // thread sanitizer cannot see, only once.
    tbb::task_arena(2).execute([] {});
    std::thread other(study, 1);
    study(0);
    other.join();
    for (int k : {0, 1}) {
        EXPECT_TRUE(seen[k].Together) << k;
        EXPECT_EQ(seen[k].Concurrency, jobs[k]) << k;
        EXPECT_EQ(seen[k].Limit, before) << k;
    }
}

#endif

} // namespace
} // namespace ppspin
