// A run against measured points: the model between grid points, and points
// off the spinline.
#include "Measured.h"
#include "ProfileCsv.h"
#include "study/SyntheticSpinline.h"

#include <gtest/gtest.h>

namespace ppspin {
namespace {

// A run's own profile CSV, read as measured points, is the run exactly;
// points between grid points meet the straight line between them.
TEST(Measured, ARunMeetsItsOwnProfileAndItsLinesBetweenPoints) {
    const TRunOutcome run = testing::RunOf(DefaultFieldTexts('.'));
    ASSERT_TRUE(run.Snapshot) << run.Message;
    const TProfileSnapshot& profile = *run.Snapshot;
    TMeasuredData data;
    std::string message;
    ASSERT_TRUE(ReadMeasured(ProfileCsv(profile), data, message)) << message;
    for (const TQuantityComparison& q : Compare(profile, data))
        EXPECT_EQ(q.Rms, 0) << q.Series->Column->Name;

    const TProfilePoint &a = profile.Points[10], &b = profile.Points[11];
    const TMeasuredColumn& um = *testing::Column("D_um");
    EXPECT_DOUBLE_EQ(ModelAt(profile.Points, um, a.Z + 0.25 * (b.Z - a.Z)),
                     0.75 * a.DUm + 0.25 * b.DUm);
    EXPECT_EQ(ModelAt(profile.Points, um, profile.Points.back().Z + 0.4),
              profile.Points.back().DUm);
}

TEST(Measured, PointsOffTheSpinlineAreNamedByTheirFirstLine) {
    TMeasuredData data;
    std::string message;
    ASSERT_TRUE(ReadMeasured("z_cm,T_C,D_um\n50,60,\n101,35,20\n-1,,250\n", data, message));
    EXPECT_EQ(MeasuredRangeRefusal(data, 100),
              "line 3: z_cm 101 lies outside the spinline, 0 to 100 cm");
    EXPECT_EQ(MeasuredRangeRefusal(data, 101),
              "line 4: z_cm -1 lies outside the spinline, 0 to 101 cm");
}

} // namespace
} // namespace ppspin
