#include "TextToFloat.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace ppspin {
namespace {

struct Accepted {
    const char* text;
    double value;
};

TEST(TextToFloat, AcceptsTheGrammar) {
    const Accepted cases[] = {
        {"0.025", 0.025}, {"1e-2", 0.01},       {"  3500.0  ", 3500.0},
        {"+5", 5.0},      {"-1710.0", -1710.0}, {".", 0.0},
        {".5", 0.5},      {"5.", 5.0},          {"1E3", 1000.0},
        {"1e", 1.0},      {"2e+", 2.0},         {"-.25e1", -2.5},
        {"1e-", 1.0},     {"0.5e0001", 5.0},
    };
    for (const Accepted& c : cases) {
        double v = -99;
        EXPECT_TRUE(TextToFloat(c.text, '.', v)) << '"' << c.text << '"';
        EXPECT_EQ(v, c.value) << '"' << c.text << '"';
    }
    double v = 1;
    ASSERT_TRUE(TextToFloat("-0", '.', v));
    EXPECT_TRUE(std::signbit(v));
    ASSERT_TRUE(TextToFloat("1e-400", '.', v)); // underflows to zero
    EXPECT_EQ(v, 0.0);
    ASSERT_TRUE(TextToFloat("0.1e309", '.', v)); // 1e308 is still a double
    EXPECT_EQ(v, 1e308);
}

TEST(TextToFloat, RefusesEverythingElse) {
    const char* refused[] = {
        "",      " ",       "0,025", "\t1", "1\t",  "1e400", "1e-5000", "1e5000", "1e0499",
        "abc",   "1.2.3",   "++1",   "+-1", "1 2",  "e5",    "-",       "+",      "0x10",
        "1_000", "1.0e1.0", "inf",   "nan", "1e3x", "1d3",   " -",      "1e--1",
    };
    for (const char* text : refused) {
        double v = 42;
        EXPECT_FALSE(TextToFloat(text, '.', v)) << '"' << text << '"';
    }
    double v = 0;
    EXPECT_FALSE(TextToFloat(std::string_view("1\0", 2), '.', v));
}

TEST(TextToFloat, ReadsTheLocaleSeparatorOnly) {
    double v = 0;
    EXPECT_TRUE(TextToFloat("0,025", ',', v));
    EXPECT_EQ(v, 0.025);
    EXPECT_FALSE(TextToFloat("0.025", ',', v));
}

// Random accepted texts read as std::from_chars reads their plain form.
TEST(TextToFloat, AgreesWithFromChars) {
    std::mt19937 rng(20261207);
    auto digits = [&](int max) {
        std::string s;
        const int n = std::uniform_int_distribution<>(0, max)(rng);
        for (int i = 0; i < n; ++i)
            s += static_cast<char>('0' + rng() % 10);
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string sign = (rng() % 3 == 0) ? "-" : "";
        std::string intPart = digits(20), fracPart = digits(20);
        if (intPart.empty() && fracPart.empty())
            intPart = "7";
        const int exponent = std::uniform_int_distribution<>(-330, 330)(rng);
        const std::string plain = sign + (intPart.empty() ? "0" : intPart) + "." + fracPart + "e" +
                                  std::to_string(exponent);
        double expected = 0;
        const auto r = std::from_chars(plain.data(), plain.data() + plain.size(), expected);
        if (r.ec != std::errc())
            continue; // out of range: covered above
        const std::string text = std::string(rng() % 3, ' ') + sign + intPart + "." + fracPart +
                                 (rng() % 2 ? "e" : "E") + std::to_string(exponent) +
                                 std::string(rng() % 3, ' ');
        double value = 0;
        ASSERT_TRUE(TextToFloat(text, '.', value)) << text;
        ASSERT_EQ(value, expected) << text;
    }
}

// Arbitrary bytes never crash the conversion (the sanitizer build watches).
TEST(TextToFloat, SurvivesArbitraryBytes) {
    std::mt19937 rng(7);
    const std::string alphabet = "0123456789+-.,eE \t\0x";
    for (int i = 0; i < 50000; ++i) {
        std::string text(rng() % 40, ' ');
        for (char& c : text)
            c = rng() % 4 == 0 ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()];
        double v = 0;
        if (TextToFloat(text, '.', v)) {
            EXPECT_FALSE(std::isnan(v)) << text;
            EXPECT_FALSE(std::isinf(v)) << text;
        }
    }
}

} // namespace
} // namespace ppspin
