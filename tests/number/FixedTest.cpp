#include "Fixed.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace ppspin {
namespace {

struct FixedCase {
    double x;
    int p, d;
    const char* text;
};

template <std::size_t N> void ExpectAll(const FixedCase (&cases)[N]) {
    for (const FixedCase& c : cases)
        EXPECT_EQ(Fixed(c.x, c.p, c.d, '.'), c.text) << c.x << " (" << c.p << "," << c.d << ")";
}

TEST(Fixed, RoundsTheEighteenDigitExpansion) {
    const FixedCase cases[] = {
        {0.025, 6, 4, "0.0250"},
        {0.125, 5, 2, "0.13"},      // a decimal tie rounds up
        {2.675, 5, 2, "2.67"},      // its expansion is 2.67499999...
        {123.456, 5, 3, "123.460"}, // precision cuts before the decimals do
        {12345.6789, 8, 3, "12345.679"},
        {9.96, 5, 1, "10.0"},     // the carry adds a digit
        {999.96, 4, 1, "1000.0"}, // ... kept digits end before the decimals
        {0.0999, 5, 2, "0.10"},
        {5827.56, 7, 1, "5827.6"},
        {3500.0, 6, 1, "3500.0"},
        {0.7, 5, 3, "0.700"},
        {245700.0, 10, 2, "245700.00"},
        {-8.636, 9, 4, "-8.6360"},
        {-1710.0, 9, 2, "-1710.00"},
        {0.00174, 8, 5, "0.00174"},
        {1.0, 4, 0, "1"},
    };
    ExpectAll(cases);
}

TEST(Fixed, SmallValuesAndZero) {
    const FixedCase cases[] = {
        {0.0, 5, 1, "0.0"},
        {-0.0, 5, 1, "0.0"},
        {-0.04, 5, 1, "0.0"},  // rounds to zero: no sign
        {-0.06, 5, 1, "-0.1"}, // no digit kept, the next one rounds up
        {0.05, 5, 1, "0.1"},
        {0.004, 5, 1, "0.0"}, // E + d < 0
        {1e-300, 8, 5, "0.00000"},
        {0.0, 5, 0, "0"},
        {4.9e-324, 18, 18, "0.000000000000000000"},
    };
    ExpectAll(cases);
}

TEST(Fixed, ScientificWhenTheIntegerPartExceedsThePrecision) {
    const FixedCase cases[] = {
        {1234567.0, 6, 4, "1.23457E0006"},
        {1234000.0, 6, 4, "1.234E0006"},
        {-1234000.0, 6, 4, "-1.234E0006"},
        {1000000.0, 6, 4, "1E0006"},
        {999999.7, 6, 1, "1E6"},         // the carry raises E past p
        {123456789.0, 5, 1, "1.2346E8"}, // fill to d digits
        {123456789.0, 5, 5, "1.2346E8"}, // no fill beyond four
        {1e300, 8, 3, "1E300"},
        {123.0, 2, 0, "1.2E2"}, // p is clamped to 2 .. 18
        {123.0, 1, 0, "1.2E2"},
    };
    ExpectAll(cases);
}

TEST(Fixed, InfinityAndNaN) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Fixed(inf, 8, 3, '.'), "INF");
    EXPECT_EQ(Fixed(-inf, 8, 3, '.'), "-INF");
    EXPECT_EQ(Fixed(std::numeric_limits<double>::quiet_NaN(), 8, 3, '.'), "NAN");
}

TEST(Fixed, WritesTheGivenSeparator) {
    EXPECT_EQ(Fixed(0.025, 6, 4, ','), "0,0250");
    EXPECT_EQ(Fixed(1234567.0, 6, 4, ','), "1,23457E0006");
    EXPECT_EQ(FormatColumn(7, 1, 3496.5, ','), " 3496,5");
}

// Any double with any precision and decimals gives a sane text (the
// sanitizer build watches for reads out of bounds).
TEST(Fixed, SurvivesArbitraryDoubles) {
    std::mt19937_64 rng(2026);
    for (int i = 0; i < 100000; ++i) {
        const double x = std::bit_cast<double>(static_cast<std::uint64_t>(rng()));
        const int p = static_cast<int>(rng() % 30) - 5;
        const int d = static_cast<int>(rng() % 30) - 5;
        const std::string s = Fixed(x, p, d, '.');
        ASSERT_FALSE(s.empty());
        ASSERT_LE(s.size(), 45u) << x << " (" << p << "," << d << ")";
        if (std::isfinite(x)) {
            ASSERT_EQ(s.find_first_not_of("-0123456789.E"), std::string::npos) << s;
        }
    }
}

TEST(Fixed, ExtremeDecimalsAreSafe) {
    const int most = std::numeric_limits<int>::max(), least = std::numeric_limits<int>::min();
    EXPECT_EQ(Fixed(1e300, 18, most, '.'), Fixed(1e300, 18, 18, '.'));
    EXPECT_EQ(Fixed(-2.5, 6, most, '.'), "-2.500000000000000000");
    EXPECT_EQ(Fixed(1e300, 18, least, '.'), "0");
}

TEST(FormatColumn, FillsToTheWidthOrWidens) {
    EXPECT_EQ(FormatColumn(8, 3, 20.174, '.'), "  20.174");
    EXPECT_EQ(FormatColumn(6, 1, -12.5, '.'), " -12.5");
    EXPECT_EQ(FormatColumn(8, 3, 12345.6789, '.'), "12345.679");
    EXPECT_EQ(FormatColumn(5, 0, 1.0, '.'), "1"); // shorter than three: untouched
    EXPECT_EQ(FormatColumn(7, 4, 0.0001, '.'), " 0.0001");
}

} // namespace
} // namespace ppspin
