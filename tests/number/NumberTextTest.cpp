#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ppspin {
namespace {

struct WriteCase {
    double x;
    int digits;
    const char* significant; // with ","
    const char* general;     // with ","
};

TEST(NumberText, WritesSignificantAndGeneralDigits) {
    const WriteCase cases[] = {
        {2639.6354, 6, "2639,64", "2639,64"},
        {2639.6354, 3, "2640", "2,64e+03"},
        {0.000123456, 3, "0,000123", "0,000123"},
        {-0.0004, 1, "-0,0004", "-0,0004"},
        {-1e-30, 2, "-0,000000000000000000000000000001", "-1e-30"},
        {-0.0, 3, "0", "-0"}, // a minus without digits reads as a fault
        {99.96, 3, "100", "100"},
        {1e21, 2, "1000000000000000000000", "1e+21"},
    };
    for (const WriteCase& c : cases) {
        EXPECT_EQ(SignificantText(c.x, c.digits, ','), c.significant) << c.x;
        EXPECT_EQ(GeneralText(c.x, c.digits, ','), c.general) << c.x;
    }
    EXPECT_EQ(DecimalText(2.675, 2), "2.67"); // the binary value lies below the tie
    EXPECT_EQ(DecimalText(-0.005, 2), "-0.01");
    EXPECT_EQ(ScientificText(1234.5, 2), "1.23e+03");
    EXPECT_EQ(NumberText(0.1 + 0.2, ','), "0,30000000000000004");
    EXPECT_EQ(RoundToSignificant(2639.6354, 3), 2640);
}

TEST(NumberText, ReadsWholeTextsOnly) {
    double x = 7;
    EXPECT_EQ(ReadDouble("-1.5e3", x), TNumberRead::Ok);
    EXPECT_EQ(x, -1500);
    for (const char* bad : {"", "+1", " 1", "1 ", "1,5", "1e", "0x10"}) {
        EXPECT_EQ(ReadDouble(bad, x), TNumberRead::NotANumber) << bad;
        EXPECT_EQ(x, -1500) << bad;
    }
    EXPECT_EQ(ReadDouble("1e999", x), TNumberRead::OutOfRange);
    EXPECT_EQ(ReadDouble("inf", x), TNumberRead::Ok);
    EXPECT_TRUE(std::isinf(x));

    int n = 5;
    EXPECT_TRUE(ReadInteger("-12", n));
    EXPECT_EQ(n, -12);
    for (const char* bad : {"", "+3", "3.0", "99999999999", "1 "})
        EXPECT_FALSE(ReadInteger(bad, n)) << bad;
    unsigned long u = 0;
    EXPECT_FALSE(ReadInteger("-1", u));
    EXPECT_EQ(n, -12);
}

} // namespace
} // namespace ppspin
