#include "MiscCalc.h"

#include <gtest/gtest.h>

namespace ppspin {
namespace {

struct PropertyCase {
    double t;
    double rho, cp, lambda; // lambda to 0.1 poise
};

TEST(PPProperty, MatchesTheTabulatedValues) {
    const PropertyCase cases[] = {
        {190.0, 0.7575, 0.692, 6000.0},            // at Tref: three times eta0
        {130.0, 0.7905, 0.644, 24695.8},           // threshold takes the melt branch
        {129.999, 0.79050055, 0.6439992, 24704.3}, // just below: the steeper law
        {100.0, 0.807, 0.62, 121940.4},
    };
    for (const auto& c : cases) {
        double rho = 0, cp = 0, lambda = 0;
        PPProperty(c.t, 2000.0, 190.0, rho, cp, lambda);
        EXPECT_NEAR(rho, c.rho, 1e-12) << "T = " << c.t;
        EXPECT_NEAR(cp, c.cp, 1e-12) << "T = " << c.t;
        EXPECT_NEAR(lambda, c.lambda, 0.05) << "T = " << c.t;
    }
}

TEST(PPProperty, ViscosityScalesWithEta0AtTheReference) {
    double rho = 0, cp = 0, lambda = 0;
    PPProperty(230.0, 500.0, 230.0, rho, cp, lambda);
    EXPECT_NEAR(lambda, 1500.0, 1e-9);
}

TEST(DieSwell, IsOneForEveryShearRate) {
    for (double gammaW : {0.0, 1.0, 10040.24, 1e9})
        EXPECT_EQ(DieSwell(gammaW), 1.0);
}

} // namespace
} // namespace ppspin
