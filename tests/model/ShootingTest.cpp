#include "DefaultRun.h"

#include <cmath>
#include <gtest/gtest.h>

namespace ppspin {
namespace {

using testing::RunRecordingTrials;
using testing::SetUpDefaultRun;

TEST(Shooting, DefaultRunTakesSevenTrials) {
    SetUpDefaultRun();
    const auto trials = RunRecordingTrials();
    ASSERT_EQ(trials.size(), 7u);
    const double f0[] = {25.0, 22.5, 20.0, 20.6382, 20.2608, 20.1620, 20.1741};
    const int lastPoint[] = {23, 29, 101, 51, 101, 101, 101};
    for (std::size_t t = 0; t < trials.size(); ++t) {
        EXPECT_NEAR(trials[t].f0, f0[t], 5e-5) << "trial " << t + 1;
        EXPECT_EQ(trials[t].lastPoint, lastPoint[t]) << "trial " << t + 1;
    }
    // An early stop reports the first velocity above 1.2 VLc.
    EXPECT_GT(trials[0].vend, 7000.0);
    EXPECT_TRUE(RunState.Converged);
    EXPECT_EQ(RunState.TrialCount, 7);
    EXPECT_NEAR(RunState.F0, 20.1741, 5e-5);
}

TEST(Shooting, ConvergedDefaultProfile) {
    SetUpDefaultRun();
    RunTrials();
    const TSpinProfile& p = SpinProfile;
    EXPECT_NEAR(p.V[101], 5827.56, 0.005);
    EXPECT_NEAR((p.V[101] - RunState.VLc) / RunState.VLc, -0.00099, 5e-6);
    EXPECT_EQ(p.Z[101], 100.0);
    // Point 2 of the converged trial.
    EXPECT_EQ(p.Z[2], 1.0);
    EXPECT_NEAR(p.V[2] * 60 / 100, 23.39, 0.005);
    EXPECT_NEAR(p.V[2], 38.98, 0.005);
    EXPECT_NEAR(p.T[2], 189.78, 0.005);
    EXPECT_NEAR(p.D[2], 0.022428, 5e-7);
    // The last point's air values use the area of point 100, not its own.
    EXPECT_NEAR(p.H[101], 0.037038, 5e-7);
    double ta = 0, own = 0;
    AirCondition(101, 0.78539815 * p.D[101] * p.D[101], p.Z[101], p.V[101], ta, own);
    EXPECT_NEAR(own, 0.037056, 5e-7);
    EXPECT_NEAR(p.TA[101], 20.37, 0.005);
}

TEST(Shooting, PositionsAccumulateTheIncrement) {
    RunInput = TRunInput{};
    RunInput.Dz = 0.1;
    SetUpRun();
    RunTrials();
    double z = 0;
    for (int k = 2; k <= RunState.N3; ++k) {
        z += 0.1;
        ASSERT_EQ(SpinProfile.Z[k], z) << "point " << k;
    }
    EXPECT_NE(SpinProfile.Z[RunState.N3], 100.0); // repeated addition drifts
}

TEST(MarchSpinline, OneStepEndsAtThePointAfterTheSpinneret) {
    RunInput = TRunInput{};
    RunInput.Z3 = 1.0;
    SetUpRun();
    ASSERT_EQ(RunState.NStep, 1);
    SpinProfile.V[3] = 12345.0;
    MarchSpinline();
    EXPECT_EQ(RunState.Vend, SpinProfile.V[2]);
    EXPECT_EQ(SpinProfile.V[3], 12345.0);
}

TEST(MarchSpinline, NeverWritesBeyondTheTables) {
    RunInput = TRunInput{};
    RunInput.Dz = 0.1;
    SetUpRun();
    RunTrials(); // converged: the next march runs to the end without a stop
    RunState.NStep = 5000;
    MarchSpinline();
    EXPECT_EQ(RunState.Vend, SpinProfile.V[MaxPoints]);
}

// Tolerance test with a take-up speed of 1000 cm/s and a chosen end velocity.
bool AcceptsEndVelocity(double vend) {
    SetUpDefaultRun();
    RunTrials(); // a full profile for the last point's air values
    SetUpRun();
    RunState.VLc = 1000.0;
    RunState.Vend = vend;
    AdjustTension();
    return RunState.Converged;
}

TEST(AdjustTension, AcceptsOnlyAMissBelowOneInAThousand) {
    EXPECT_TRUE(AcceptsEndVelocity(1000.0));
    EXPECT_TRUE(AcceptsEndVelocity(1000.999));
    EXPECT_TRUE(AcceptsEndVelocity(999.001));
    EXPECT_FALSE(AcceptsEndVelocity(1001.0)); // exactly 0.001
    EXPECT_EQ(RunState.TrialCount, 2);
    EXPECT_EQ(RunState.F0, 22.5);
    EXPECT_FALSE(AcceptsEndVelocity(999.0));
    EXPECT_EQ(RunState.F0, 27.5);
}

TEST(AdjustTension, SecantThroughEqualTensionsIsAFault) {
    SetUpDefaultRun();
    RunState.Ehi = 100.0;
    RunState.Fhi = 20.0;
    RunState.F0 = 20.0;
    RunState.Vend = RunState.VLc - 100.0;
    try {
        AdjustTension();
        FAIL() << "accepted";
    } catch (const RunError& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
}

TEST(RunTrials, GivesUpAfterItsTrialBound) {
    SetUpDefaultRun();
    try {
        RunTrials(6);
        FAIL() << "converged";
    } catch (const RunError& e) {
        EXPECT_STREQ(e.what(), "Calculation did not converge");
    }
    EXPECT_EQ(RunState.TrialCount, 7);

    SetUpDefaultRun();
    EXPECT_NO_THROW(RunTrials(7));
}

TEST(RunTrials, NegativeSpinneretTensionEndsWithAFault) {
    SetUpDefaultRun();
    RunState.F0 = -500.0;
    try {
        MarchSpinline();
        FAIL() << "no fault";
    } catch (const RunError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("loating point"), std::string::npos) << text;
    }
}

} // namespace
} // namespace ppspin
