#include "DefaultRun.h"

#include <cmath>
#include <gtest/gtest.h>

namespace ppspin {
namespace {

using testing::RunRecordingTrials;
using testing::SetUpDefaultRun;

TEST(Shooting, DefaultRunTakesSevenTrials) {
    TRun run;
    SetUpDefaultRun(run);
    const auto trials = RunRecordingTrials(run);
    ASSERT_EQ(trials.size(), 7u);
    const double f0[] = {25.0, 22.5, 20.0, 20.6382, 20.2608, 20.1620, 20.1741};
    const int lastPoint[] = {23, 29, 101, 51, 101, 101, 101};
    for (std::size_t t = 0; t < trials.size(); ++t) {
        EXPECT_NEAR(trials[t].f0, f0[t], 5e-5) << "trial " << t + 1;
        EXPECT_EQ(trials[t].lastPoint, lastPoint[t]) << "trial " << t + 1;
    }
    // An early stop reports the first velocity above 1.2 VLc.
    EXPECT_GT(trials[0].vend, 7000.0);
    EXPECT_TRUE(run.RunState.Converged);
    EXPECT_EQ(run.RunState.TrialCount, 7);
    EXPECT_NEAR(run.RunState.F0, 20.1741, 5e-5);
}

TEST(Shooting, ConvergedDefaultProfile) {
    TRun run;
    SetUpDefaultRun(run);
    RunTrials(run);
    const TSpinProfile& p = run.SpinProfile;
    const double vlc = run.RunState.VLc;
    EXPECT_NEAR(p.V[101], 5827.56, 0.005);
    EXPECT_NEAR((p.V[101] - vlc) / vlc, -0.00099, 5e-6);
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
    AirCondition(run.RunInput, run.RunState, 101, 0.78539815 * p.D[101] * p.D[101], p.Z[101],
                 p.V[101], ta, own);
    EXPECT_NEAR(own, 0.037056, 5e-7);
    EXPECT_NEAR(p.TA[101], 20.37, 0.005);
}

TEST(Shooting, PositionsAccumulateTheIncrement) {
    TRun run;
    run.RunInput.Dz = 0.1;
    SetUpRun(run);
    RunTrials(run);
    double z = 0;
    for (int k = 2; k <= run.RunState.N3; ++k) {
        z += 0.1;
        ASSERT_EQ(run.SpinProfile.Z[k], z) << "point " << k;
    }
    EXPECT_NE(run.SpinProfile.Z[run.RunState.N3], 100.0); // repeated addition drifts
}

TEST(MarchSpinline, OneStepEndsAtThePointAfterTheSpinneret) {
    TRun run;
    run.RunInput.Z3 = 1.0;
    SetUpRun(run);
    ASSERT_EQ(run.RunState.NStep, 1);
    run.SpinProfile.V[3] = 12345.0;
    MarchSpinline(run);
    EXPECT_EQ(run.RunState.Vend, run.SpinProfile.V[2]);
    EXPECT_EQ(run.SpinProfile.V[3], 12345.0);
}

TEST(MarchSpinline, NeverWritesBeyondTheTables) {
    TRun run;
    run.RunInput.Dz = 0.1;
    SetUpRun(run);
    RunTrials(run); // converged: the next march runs to the end without a stop
    run.RunState.NStep = 5000;
    MarchSpinline(run);
    EXPECT_EQ(run.RunState.Vend, run.SpinProfile.V[MaxPoints]);
}

// Tolerance test with a take-up speed of 1000 cm/s and a chosen end velocity.
bool AcceptsEndVelocity(TRun& run, double vend) {
    SetUpDefaultRun(run);
    RunTrials(run); // a full profile for the last point's air values
    SetUpRun(run);
    run.RunState.VLc = 1000.0;
    run.RunState.Vend = vend;
    AdjustTension(run);
    return run.RunState.Converged;
}

TEST(AdjustTension, AcceptsOnlyAMissBelowOneInAThousand) {
    TRun run;
    EXPECT_TRUE(AcceptsEndVelocity(run, 1000.0));
    EXPECT_TRUE(AcceptsEndVelocity(run, 1000.999));
    EXPECT_TRUE(AcceptsEndVelocity(run, 999.001));
    EXPECT_FALSE(AcceptsEndVelocity(run, 1001.0)); // exactly 0.001
    EXPECT_EQ(run.RunState.TrialCount, 2);
    EXPECT_EQ(run.RunState.F0, 22.5);
    EXPECT_FALSE(AcceptsEndVelocity(run, 999.0));
    EXPECT_EQ(run.RunState.F0, 27.5);
}

TEST(AdjustTension, SecantThroughEqualTensionsIsAFault) {
    TRun run;
    SetUpDefaultRun(run);
    TRunState& s = run.RunState;
    s.Ehi = 100.0;
    s.Fhi = 20.0;
    s.F0 = 20.0;
    s.Vend = s.VLc - 100.0;
    try {
        AdjustTension(run);
        FAIL() << "accepted";
    } catch (const RunError& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
}

TEST(RunTrials, GivesUpAfterItsTrialBound) {
    TRun run;
    SetUpDefaultRun(run);
    try {
        RunTrials(run, 6);
        FAIL() << "converged";
    } catch (const RunError& e) {
        EXPECT_STREQ(e.what(), "Calculation did not converge");
        EXPECT_EQ(e.Kind(), TRunErrorKind::NotConverged);
    }
    EXPECT_EQ(run.RunState.TrialCount, 7);

    SetUpDefaultRun(run);
    EXPECT_NO_THROW(RunTrials(run, 7));
}

TEST(RunTrials, NegativeSpinneretTensionEndsWithAFault) {
    TRun run;
    SetUpDefaultRun(run);
    run.RunState.F0 = -500.0;
    try {
        MarchSpinline(run);
        FAIL() << "no fault";
    } catch (const RunError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("loating point"), std::string::npos) << text;
    }
}

} // namespace
} // namespace ppspin
