#include "DefaultRun.h"

#include <cmath>
#include <gtest/gtest.h>

namespace ppspin {
namespace {

// y0' = 5 x^4 and y1' = y1: exact solutions x^5 and e^x. The quartic is
// the lowest power a fourth-order step does not integrate exactly.
void Polynomial(const TStateVector& y, double x, TStateVector& dy) {
    dy[0] = 5 * x * x * x * x;
    dy[1] = y[1];
}

TStateVector Integrate(int steps, double length = 1.0) {
    TStateVector y{};
    y[1] = 1.0;
    const double dx = length / steps;
    for (int i = 0; i < steps; ++i)
        RKGStep(2, y, i * dx, dx, Polynomial);
    return y;
}

TEST(RKGStep, IsFourthOrder) {
    const double exact[] = {1.0, std::exp(1.0)};
    for (int j = 0; j < 2; ++j) {
        const double e1 = std::fabs(Integrate(16)[j] - exact[j]);
        const double e2 = std::fabs(Integrate(32)[j] - exact[j]);
        EXPECT_NEAR(std::log2(e1 / e2), 4.0, 0.05) << "component " << j;
    }
}

TEST(RKGStep, IntegratesACubicExactly) {
    TStateVector y{};
    RKGStep(1, y, 1.0, 2.0, [](const TStateVector&, double x, TStateVector& dy) {
        dy[0] = 4 * x * x * x; // y = x^4 from 1 to 3
    });
    // Exact but for the eleven digits of the Gill constants.
    EXPECT_NEAR(y[0], 80.0, 80.0 * 1e-10);
}

TEST(RKGStep, NoEquationsLeaveTheStateAloneYetEvaluateFourTimes) {
    TStateVector y{};
    y[0] = 31.3758;
    const TStateVector before = y;
    int calls = 0;
    RKGStep(0, y, 0.0, 1.0, [&](const TStateVector&, double, TStateVector&) { ++calls; });
    EXPECT_EQ(y, before);
    EXPECT_EQ(calls, 4);
}

// The spinneret's material and air values, held as a march step holds them.
TPointValues SpinneretPointValues(double ta) {
    TRun run;
    testing::SetUpDefaultRun(run);
    const TSpinProfile& p = run.SpinProfile;
    return {p.RHO[1], p.ETA[1], 0.0024065, p.CP[1], ta};
}

// The default run's throughput, g/s.
constexpr double W = 0.7 / 60;

TEST(SpinDerivatives, AirAtFilamentTemperatureLeavesItUnchanged) {
    const TPointValues s = SpinneretPointValues(190.0);
    TStateVector y{};
    y[0] = 31.3758;
    y[1] = 20.0;
    y[2] = 190.0;
    RKGStep(3, y, 0.0, 1.0, [&](const TStateVector& yy, double x, TStateVector& dy) {
        SpinDerivatives(s, W, yy, x, dy);
    });
    EXPECT_EQ(y[2], 190.0);
    EXPECT_GT(y[0], 31.3758);
}

TEST(SpinDerivatives, WithoutTensionOnlyDragAndGravityAct) {
    const TPointValues s = SpinneretPointValues(150.0);
    TStateVector y{};
    y[0] = 31.3758;
    y[2] = 190.0;
    TStateVector dy{};
    SpinDerivatives(s, W, y, 0.0, dy);
    EXPECT_EQ(dy[0], 0.0);
    EXPECT_LT(dy[1], 0.0); // gravity outweighs drag at the spinneret
}

TEST(SpinDerivatives, NonPositiveVelocityIsAFault) {
    const TPointValues s = SpinneretPointValues(150.0);
    for (double v : {0.0, -1.0}) {
        ClearFloatingPointFaults();
        TStateVector y{};
        y[0] = v;
        y[1] = 20.0;
        y[2] = 190.0;
        TStateVector dy{};
        SpinDerivatives(s, W, y, 0.0, dy);
        for (double d : dy)
            testing::Keep(d);
        EXPECT_THROW(CheckFloatingPointFaults(), RunError) << "v = " << v;
    }
}

} // namespace
} // namespace ppspin
