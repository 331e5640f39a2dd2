#include "DefaultRun.h"

#include <cmath>
#include <gtest/gtest.h>

namespace ppspin {
namespace {

// Holds the spinneret's material and air values, as a march step does.
void HoldSpinneretPointValues() {
    testing::SetUpDefaultRun();
    RunState.Rho = SpinProfile.RHO[1];
    RunState.Lambda = SpinProfile.ETA[1];
    RunState.Cp = SpinProfile.CP[1];
    RunState.H = 0.0024065;
    RunState.Ta = 150.0;
}

TStateVector Integrate(double length, int steps) {
    TStateVector y{};
    y[0] = 31.3758;
    y[1] = 20.0;
    y[2] = 190.0;
    const double dx = length / steps;
    for (int i = 0; i < steps; ++i)
        RKGStep(3, y, i * dx, dx);
    return y;
}

// With the point values held the equations are autonomous, so the global
// error of a fourth-order step falls sixteenfold when the step is halved.
TEST(RKGStep, IsFourthOrder) {
    HoldSpinneretPointValues();
    const double length = 2.0;
    const TStateVector exact = Integrate(length, 4096);
    for (int j = 0; j < 3; ++j) {
        const double e1 = std::fabs(Integrate(length, 8)[j] - exact[j]);
        const double e2 = std::fabs(Integrate(length, 16)[j] - exact[j]);
        const double order = std::log2(e1 / e2);
        EXPECT_NEAR(order, 4.0, 0.3) << "component " << j;
    }
}

TEST(RKGStep, AirAtFilamentTemperatureLeavesItUnchanged) {
    HoldSpinneretPointValues();
    RunState.Ta = 190.0;
    const TStateVector y = Integrate(1.0, 1);
    EXPECT_EQ(y[2], 190.0);
    EXPECT_GT(y[0], 31.3758);
}

TEST(RKGStep, NoEquationsLeaveTheStateAlone) {
    HoldSpinneretPointValues();
    TStateVector y{};
    y[0] = 31.3758;
    y[1] = 20.0;
    y[2] = 190.0;
    const TStateVector before = y;
    RKGStep(0, y, 0.0, 1.0);
    EXPECT_EQ(y, before);
}

TEST(SpinDerivatives, WithoutTensionOnlyDragAndGravityAct) {
    HoldSpinneretPointValues();
    TStateVector y{};
    y[0] = 31.3758;
    y[2] = 190.0;
    TStateVector dy{};
    SpinDerivatives(y, 0.0, dy);
    EXPECT_EQ(dy[0], 0.0);
    EXPECT_LT(dy[1], 0.0); // gravity outweighs drag at the spinneret
}

TEST(SpinDerivatives, NonPositiveVelocityIsAFault) {
    for (double v : {0.0, -1.0}) {
        HoldSpinneretPointValues();
        ClearFloatingPointFaults();
        TStateVector y{};
        y[0] = v;
        y[1] = 20.0;
        y[2] = 190.0;
        TStateVector dy{};
        SpinDerivatives(y, 0.0, dy);
        EXPECT_THROW(CheckFloatingPointFaults(), RunError) << "v = " << v;
    }
}

} // namespace
} // namespace ppspin
