// The page's exp and log against this machine's C library, bit for bit,
// where the library takes its FMA path (x86-64 with FMA, as the desktop
// build's machines have): over the arguments a spinline meets and the
// whole range, the near-1 path of log and the edges of exp included.
#include "ExpLog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace ppspin::web {
namespace {

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

TEST(ExpLog, GivesTheDesktopLibrarysBits) {
#if defined(__x86_64__) && defined(__GNUC__)
    if (!__builtin_cpu_supports("fma"))
        GTEST_SKIP() << "the C library takes its path without FMA here";
#endif
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> wide(-760, 720), near1(0.9, 1.1), spread(-40, 40);
    int expDifferences = 0, logDifferences = 0;
    for (int i = 0; i < 1000000; ++i) {
        for (double x : {wide(random), spread(random) / 16})
            expDifferences += !SameBits(Exp(x), std::exp(x));
        std::uint64_t bits = random() & 0x7fefffffffffffffULL;
        double y;
        std::memcpy(&y, &bits, sizeof y);
        for (double v : {y, near1(random), std::exp(spread(random))})
            logDifferences += !SameBits(Log(v), std::log(v));
    }
    const double inf = std::numeric_limits<double>::infinity();
    for (double x : {0.0, -0.0, 1e-300, 709.78, 709.79, -708.4, -745.2, -745.1, -746.0, 1000.0,
                     -1000.0, inf, -inf, std::nan("")})
        expDifferences += !SameBits(Exp(x), std::exp(x));
    for (double x : {0.0, -0.0, 1.0, -1.0, 5e-324, 2.2250738585072014e-308, 0.9375, 1.0644531250000002,
                     std::numeric_limits<double>::max(), inf, -inf, std::nan("")})
        logDifferences += !SameBits(Log(x), std::log(x));
    EXPECT_EQ(expDifferences, 0);
    EXPECT_EQ(logDifferences, 0);
}

} // namespace
} // namespace ppspin::web
