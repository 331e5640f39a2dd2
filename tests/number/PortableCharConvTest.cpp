// The browser's number text against the standard library's, byte for byte:
// random doubles of every magnitude, the values at the edges of the digit
// search (powers of two and ten and their neighbours), ties of fixed
// decimals, and the texts a reader must refuse.
#include "NumberText.h"
#include "PortableCharConv.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace ppspin {
namespace {

std::string NativeShortest(double x) {
    std::string out;
    AppendShortest(out, x);
    return out;
}

// Every double the search can trip on, and a spread of random ones.
std::vector<double> Values() {
    std::vector<double> xs = {0.0, -0.0, 1.0, 0.1, 0.3, 1e22, 1e23, 5e-324, 2.2250738585072014e-308,
                              std::numeric_limits<double>::max(), 123456789012345680000.0,
                              0.0001, 1e-5, 100.0, 1e15, 1e16, 1e17, 9.5, 0.95};
    for (int e = -1074; e <= 1023; ++e)
        for (double x : {std::ldexp(1.0, e)})
            xs.insert(xs.end(), {x, std::nextafter(x, 0.0), std::nextafter(x, INFINITY)});
    for (int e = -323; e <= 308; ++e) {
        const double x = std::pow(10.0, e);
        xs.insert(xs.end(), {x, std::nextafter(x, 0.0), std::nextafter(x, INFINITY)});
    }
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 200000; ++i) {
        const double x = std::bit_cast<double>(random());
        if (std::isfinite(x))
            xs.push_back(x);
    }
    std::uniform_real_distribution<double> unit(-1, 1);
    for (int i = 0; i < 50000; ++i) // the magnitudes a spinline has
        xs.push_back(unit(random) * std::pow(10.0, i % 12 - 4));
    return xs;
}

TEST(PortableCharConv, WritesAsTheStandardLibrary) {
    int differences = 0;
    for (double x : Values()) {
        const std::string shortest = NativeShortest(x);
        bool same = portable::Shortest(x) == shortest;
        double read = 0;
        same = same && portable::Read(shortest, read) == 0 && read == x;
        for (int d : {0, 1, 2, 4, 8, 17})
            same = same && portable::Scientific(x, d) == ScientificText(x, d) &&
                   portable::General(x, d) == GeneralText(x, d, '.');
        if (std::abs(x) < 1e30)
            for (int d : {0, 1, 3, 6, 20})
                same = same && portable::Decimal(x, d) == DecimalText(x, d);
        if (!same && ++differences <= 10)
            ADD_FAILURE() << shortest << " written otherwise";
    }
    for (double x : {INFINITY, -INFINITY, NAN, -NAN}) {
        EXPECT_EQ(portable::Shortest(x), NativeShortest(x));
        EXPECT_EQ(portable::Decimal(x, 3), DecimalText(x, 3));
    }
    // Ties of the report's fixed decimals round as the binary value lies.
    for (int d = 0; d <= 20; ++d)
        for (int k = 0; k < 2000; ++k) {
            const double x = (k + 0.5) / std::pow(10.0, d);
            ASSERT_EQ(portable::Decimal(x, d), DecimalText(x, d)) << x;
        }
    EXPECT_EQ(portable::Decimal(-1e308, 700), DecimalText(-1e308, 700));
}

TEST(PortableCharConv, ReadsAsTheStandardLibrary) {
    for (const char* text : {"", "-", "+1", " 1", "1 ", "1e", "1e+", "1e400", "-1e400", "1e-400",
                             "4e-320", "2.4e-324", "2.5e-324", "4.9e-324", "0e400", "0x10", "inf",
                             "-inf", "infinity", "INF", "nan", "-nan", "nan(1)", "infx", "1.", ".5",
                             "-.5", "1,5", "00012", "1E5", "1.7976931348623159e308", "-0", "1_0"}) {
        double native = 7, port = 7;
        EXPECT_EQ(portable::Read(text, port), static_cast<int>(ReadDouble(text, native))) << text;
        EXPECT_TRUE(std::bit_cast<std::uint64_t>(port) == std::bit_cast<std::uint64_t>(native) ||
                    (std::isnan(port) && std::isnan(native)))
            << text;
    }
}

} // namespace
} // namespace ppspin
