#include "DefaultRun.h"

#include <gtest/gtest.h>

namespace ppspin {
namespace {

using testing::SetUpDefaultRun;

TEST(SetUpRun, DerivesTheDefaultRun) {
    TRun run;
    SetUpDefaultRun(run);
    const TRunState& s = run.RunState;
    const TSpinProfile& p = run.SpinProfile;
    EXPECT_NEAR(s.VLc, 5833.333, 5e-4);
    EXPECT_NEAR(s.W, 0.0116667, 5e-8);
    EXPECT_EQ(s.N1, 11);
    EXPECT_EQ(s.N2, 36);
    EXPECT_EQ(s.N3, 101);
    EXPECT_EQ(s.NStep, 100);
    EXPECT_EQ(p.T[1], 190.0);
    EXPECT_NEAR(p.D[1], 0.025, 1e-15);
    // The spinneret's cross-section, 4.908738e-4 cm2, carries the throughput.
    EXPECT_NEAR(s.W / p.RHO[1] / p.V[1], 4.908738e-4, 5e-11);
    EXPECT_NEAR(p.RHO[1], 0.7575, 1e-12);
    EXPECT_NEAR(p.CP[1], 0.692, 1e-12);
    EXPECT_NEAR(p.ETA[1], 6000.0, 1e-9);
    EXPECT_NEAR(p.V[1], 31.3758, 5e-5);
    EXPECT_EQ(p.Z[1], 0.0);
    // The hole's wall shear rate, as the set-up hands it to the die swell.
    EXPECT_NEAR(WallShearRate(s.W, p.RHO[1], run.RunInput.D0), 10040.24, 5e-3);
}

TEST(SetUpRun, RestartsTheShootingOnEveryRun) {
    TRun run;
    SetUpDefaultRun(run);
    RunTrials(run);
    const double vEnd = run.SpinProfile.V[101];
    const double f0 = run.RunState.F0;

    SetUpRun(run);
    const TRunState& s = run.RunState;
    EXPECT_EQ(s.F0, 25.0);
    EXPECT_EQ(s.DF, 2.5);
    EXPECT_EQ(s.Ehi, -1.0);
    EXPECT_EQ(s.Elo, 1.0);
    EXPECT_EQ(s.TrialCount, 1);
    EXPECT_FALSE(s.Converged);

    RunTrials(run);
    EXPECT_EQ(s.TrialCount, 7);
    EXPECT_EQ(s.F0, f0);
    EXPECT_EQ(run.SpinProfile.V[101], vEnd);
}

TEST(GridPoint, RoundsHalfToEven) {
    // Positions chosen so that (z + 0.0001) / dz is exactly the tie.
    ASSERT_EQ((2.4999 + 0.0001) / 1.0, 2.5);
    EXPECT_EQ(GridPoint(2.4999, 1.0), 3.0);
    ASSERT_EQ((3.4999 + 0.0001) / 1.0, 3.5);
    EXPECT_EQ(GridPoint(3.4999, 1.0), 5.0);
    ASSERT_EQ((1.2499 + 0.0001) / 0.5, 2.5);
    EXPECT_EQ(GridPoint(1.2499, 0.5), 3.0);
}

TEST(SetUpRun, PlacesZoneEndsOnTheNearestPoint) {
    TRun run;
    run.RunInput.Dz = 0.3;
    SetUpRun(run);
    EXPECT_EQ(run.RunState.N1, 34);  // 10.0001 / 0.3 = 33.3337
    EXPECT_EQ(run.RunState.N3, 334); // 100.0001 / 0.3 = 333.3337

    run.RunInput.Dz = 0.1; // exactly fills the tables
    SetUpRun(run);
    EXPECT_EQ(run.RunState.N3, MaxPoints);
}

TEST(SetUpRun, ZoneEndsFarBeyondTheSpinlineStayInRange) {
    TRun run;
    run.RunInput.Z1 = 1e12;
    run.RunInput.Z2 = 1e300;
    SetUpRun(run);
    EXPECT_GT(run.RunState.N1, run.RunState.N3);
    EXPECT_GT(run.RunState.N2, run.RunState.N3);
}

struct RefusedSetUp {
    const char* what;
    void (*change)(TRunInput&);
    TRunErrorKind kind;
    const char* message;
};

TEST(SetUpRun, RefusesRunsItCannotHoldOrCompute) {
    using enum TRunErrorKind;
    const RefusedSetUp cases[] = {
        {"1002 points", [](TRunInput& in) { in.Dz = 0.0999; }, Refused,
         "Value of Increment is too small for 3rd Zone End Position"},
        {"no step", [](TRunInput& in) { in.Z3 = 0.4; }, Refused,
         "Value of 3rd Zone End Position is too small for Increment"},
        {"huge grid", [](TRunInput& in) { in.Z3 = 1e300, in.Dz = 1e-300; }, FloatingPoint,
         "Floating point overflow"},
        {"zero increment", [](TRunInput& in) { in.Dz = 0; }, FloatingPoint,
         "Floating point division by zero"},
        {"zero hole", [](TRunInput& in) { in.D0 = 0; }, FloatingPoint,
         "Floating point division by zero"},
        {"absolute zero", [](TRunInput& in) { in.T0 = -273; }, FloatingPoint,
         "Floating point division by zero"},
    };
    for (const auto& c : cases) {
        TRun run;
        c.change(run.RunInput);
        try {
            SetUpRun(run);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const RunError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.what;
            EXPECT_EQ(e.Kind(), c.kind) << c.what;
        }
    }
}

} // namespace
} // namespace ppspin
