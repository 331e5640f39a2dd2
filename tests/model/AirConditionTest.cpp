#include "DefaultRun.h"

#include <cmath>
#include <gtest/gtest.h>

namespace ppspin {
namespace {

using testing::SetUpDefaultRun;

TEST(AirCondition, FollowsEachZoneLawByPointIndex) {
    TRun run;
    SetUpDefaultRun(run);
    struct {
        int i;
        double z, ta;
    } const cases[] = {
        {1, 0.0, 180.0},   // zone 1
        {10, 9.0, 57.63},  // last point of zone 1
        {11, 10.0, 45.00}, // point N1 already uses the zone-2 law
        {35, 34.0, 21.34}, // last point of zone 2
        {36, 35.0, 21.29}, // point N2: zone 3, same law as zone 2
        {101, 100.0, 20.37},
    };
    for (const auto& c : cases) {
        double ta = 0, h = 0;
        AirCondition(run.RunInput, run.RunState, c.i, 4.908738e-4, c.z, 31.3758, ta, h);
        EXPECT_NEAR(ta, c.ta, 0.005) << "point " << c.i;
    }
    // The index decides, not the position.
    double ta = 0, h = 0;
    AirCondition(run.RunInput, run.RunState, 11, 4.908738e-4, 9.0, 31.3758, ta, h);
    EXPECT_NEAR(ta, 34.1 / (9.0 - 8.636) + 20.0, 1e-12);
}

TEST(AirCondition, HeatTransferAtTheSpinneret) {
    TRun run;
    SetUpDefaultRun(run);
    double ta = 0, h = 0;
    const double a = AreaFactor * run.SpinProfile.D[1] * run.SpinProfile.D[1];
    AirCondition(run.RunInput, run.RunState, 1, a, 0.0, run.SpinProfile.V[1], ta, h);
    EXPECT_NEAR(h, 0.0024065, 5e-8);
}

TEST(AirCondition, CrossAirOfEachZoneRaisesHeatTransfer) {
    TRun run;
    SetUpDefaultRun(run); // Va1 = 0, Va2 = 50, Va3 = 0
    const TRunInput& in = run.RunInput;
    const TRunState& s = run.RunState;
    const double a = 1e-5, v = 1000.0;
    double ta = 0, still = 0, h2 = 0, h3 = 0;
    AirCondition(in, s, 10, a, 9.0, v, ta, still);
    AirCondition(in, s, 11, a, 10.0, v, ta, h2);
    AirCondition(in, s, 36, a, 35.0, v, ta, h3);
    EXPECT_EQ(h3, still);
    EXPECT_NEAR(h2 / still, std::exp(0.167 * std::log(1 + 0.16)), 1e-12);
}

TEST(AirCondition, ZonesNeedNotBeInOrder) {
    TRun run;
    run.RunInput.Z1 = 35.0;
    run.RunInput.Z2 = 10.0;
    SetUpRun(run);
    run.RunInput.Va2 = 1e6; // would show if zone 2 were used
    for (int i = 1; i <= run.RunState.N3; ++i) {
        double ta = 0, h = 0;
        AirCondition(run.RunInput, run.RunState, i, 1e-5, i - 1.0, 1000.0, ta, h);
        EXPECT_LT(h, 0.1) << "point " << i;
        const double zone1 = 245700.0 / (i - 1.0 + 130.0) - 1710.0;
        if (i < 36)
            EXPECT_DOUBLE_EQ(ta, zone1);
        else
            EXPECT_DOUBLE_EQ(ta, 34.1 / (i - 1.0 - 8.636) + 20.0);
    }
}

TEST(AirCondition, StandingFilamentIsAFault) {
    TRun run;
    SetUpDefaultRun(run);
    ClearFloatingPointFaults();
    double ta = 0, h = 0;
    AirCondition(run.RunInput, run.RunState, 11, 1e-4, 10.0, 0.0, ta, h);
    testing::Keep(h);
    EXPECT_THROW(CheckFloatingPointFaults(), RunError);
}

} // namespace
} // namespace ppspin
