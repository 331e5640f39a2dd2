#include "Sweep.h"
#include "MiscCalc.h"
#include "PictureData.h"
#include "TempDir.h"
#include "Tenacity.h"

#include <memory>

#include <gtest/gtest.h>

namespace ppspin {
namespace {

TSweepRange Parse(const std::string& text) {
    TSweepRange range;
    std::string message;
    EXPECT_TRUE(ParseSweepRange(text, '.', range, message)) << text << ": " << message;
    return range;
}

// A study of the range from the default texts.
TStudy StudyOf(const std::string& range, const std::string& reportDir = "") {
    return {DefaultFieldTexts('.'), {Parse(range)}, reportDir};
}

std::string Refusal(const std::string& text) {
    TSweepRange range;
    std::string message;
    EXPECT_FALSE(ParseSweepRange(text, '.', range, message)) << text;
    return message;
}

TEST(SweepRange, ValuesRunFromToInSteps) {
    EXPECT_EQ(SweepValues(Parse("take-up-speed=1000:5000:250")).size(), 17u);
    EXPECT_EQ(SweepValues(Parse("increment=0.1:0.3:0.1")), (std::vector<double>{0.1, 0.2, 0.3}));
    EXPECT_EQ(SweepValues(Parse("increment=0.1:0.2:0.05"))[1], 0.15);
    EXPECT_EQ(SweepValues(Parse("zone2-air-velocity=0:0:5")), std::vector<double>{0.0});
    EXPECT_EQ(SweepValues(Parse("zone1-a3=-2000:-1000:500")).front(), -2000.0);
    EXPECT_EQ(SweepValues(Parse("zone2-a3=-0.3:0.3:0.1"))[3], 0.0); // not 5.55e-17
    EXPECT_EQ(SweepValues(Parse("zone2-a3=-3e-12:3e-12:1e-12"))[2], -1e-12);
}

TEST(SweepRange, RefusesBadRanges) {
    EXPECT_EQ(Refusal("take-up-speed=5000:1000:250"),
              "Sweep range is not correct: FROM is greater than TO");
    EXPECT_EQ(Refusal("take-up-speed=1000:5000:0"),
              "Sweep range is not correct: STEP must be greater than 0");
    EXPECT_EQ(Refusal("take-up-speed=1000:5000:-1"),
              "Sweep range is not correct: STEP must be greater than 0");
    EXPECT_EQ(Refusal("output=1:2:1"), "Unknown input to sweep: \"output\"");
    EXPECT_EQ(Refusal("melt-temperature=1:2:1"), "Unknown input to sweep: \"melt-temperature\"");
    for (const char* malformed : {"take-up-speed", "take-up-speed=1000:5000", "take-up-speed=a:b:c",
                                  "take-up-speed=1:2:3:4", "take-up-speed=1,0:2:1"})
        EXPECT_EQ(Refusal(malformed), "Sweep range is not correct: expected NAME=FROM:TO:STEP")
            << malformed;
    EXPECT_NE(Refusal("take-up-speed=0:1e9:1").find("more than"), std::string::npos);
}

TEST(Sweep, RowsAgreeWithSingleRuns) {
    const TStudy study = StudyOf("take-up-speed=3000:3500:500");
    auto sweepRun = std::make_unique<TRun>(), run = std::make_unique<TRun>();
    for (double vl : SweepValues(study.Ranges[0])) {
        const TSweepRow row = RunSweepPoint(*sweepRun, study, {vl});
        ASSERT_TRUE(row.Ok()) << row.Status;

        run->RunInput = TRunInput{};
        run->RunInput.VL = vl;
        SetUpRun(*run);
        RunTrials(*run);
        const TRunState& s = run->RunState;
        const TSpinProfile& p = run->SpinProfile;
        const int n3 = s.N3;
        EXPECT_EQ(row.Outputs.Trials, s.TrialCount);
        EXPECT_EQ(row.Outputs.F0, s.F0);
        EXPECT_EQ(row.Outputs.FEnd, p.F[n3]);
        EXPECT_EQ(row.Outputs.VEnd, p.V[n3] * 60 / 100);
        EXPECT_EQ(row.Outputs.DEnd, p.D[n3] * 1e4);
        EXPECT_EQ(row.Outputs.TEnd, p.T[n3]);
        EXPECT_EQ(row.Outputs.TenApEnd, Tenacity(p.F[n3], 0.7, vl));

        // The freeze point lies between the grid points around 130 degC.
        ASSERT_TRUE(row.Outputs.ZFreeze.has_value());
        const int k = static_cast<int>(*row.Outputs.ZFreeze) + 1; // point at or before it
        EXPECT_GE(p.T[k], 130.0);
        EXPECT_LT(p.T[k + 1], 130.0);
        EXPECT_GT(*row.Outputs.ZFreeze, p.Z[k]);
        EXPECT_LT(*row.Outputs.ZFreeze, p.Z[k + 1]);
    }
}

TEST(Sweep, RefusedAndFailedValuesAreRecorded) {
    auto run = std::make_unique<TRun>();
    const TStudy increments = StudyOf("increment=0.05:0.1:0.05");
    const TSweepRow refused = RunSweepPoint(*run, increments, {0.05});
    EXPECT_EQ(refused.Status, "Value of Increment is too small for 3rd Zone End Position");
    EXPECT_EQ(refused.Kind, TRunOutcomeKind::Refused);
    EXPECT_TRUE(RunSweepPoint(*run, increments, {0.1}).Ok());

    const TSweepRow failed = RunSweepPoint(*run, StudyOf("zone2-a2=-10:-9:1"), {-10});
    EXPECT_EQ(failed.Status, "Floating point division by zero");
    EXPECT_EQ(failed.Kind, TRunOutcomeKind::FloatingPointFault);

    EXPECT_EQ(SummaryRow(refused),
              "0.05,Value of Increment is too small for 3rd Zone End Position,,,,,,,,\n");
}

TEST(Grid, PointsRunWithTheFirstInputSlowest) {
    TStudy grid = StudyOf("take-up-speed=2000:3000:1000", "r");
    grid.Ranges.push_back(Parse("hole-diameter=0.02:0.03:0.005"));
    const std::vector<std::vector<double>> expected = {{2000, 0.02}, {2000, 0.025}, {2000, 0.03},
                                                       {3000, 0.02}, {3000, 0.025}, {3000, 0.03}};
    EXPECT_EQ(StudyPoints(grid), expected);
    grid.DecimalSeparator = ',';
    EXPECT_EQ(ReportPath(grid, {2000, 0.025}), "r/take-up-speed=2000,hole-diameter=0,025.txt");
    EXPECT_EQ(SummaryHeader(grid).substr(0, 34), "take-up-speed,hole-diameter,status");
}

// While a study runs, its pictures have every point from the start; those
// not done yet are gaps, or pending cells of a map.
TEST(Grid, PicturesOfTheFirstRowsLeaveTheRestPending) {
    TStudy grid = StudyOf("take-up-speed=2000:3000:1000");
    grid.Ranges.push_back(Parse("zone2-a2=-10:-9:1"));
    std::vector<TSweepRow> rows;
    RunStudyPoints(grid, StudyPoints(grid), 2, [&](TSweepRow&& row, std::size_t i) {
        rows.push_back(std::move(row));
        return i < 2;
    });
    ASSERT_EQ(rows.size(), 3u);
    const TGridMaps maps = GridMapsOf(grid, rows);
    const auto status = [&](std::size_t i, std::size_t j) { return maps.Cells[i][j].Status; };
    EXPECT_EQ(status(0, 0), TGridRunStatus::Failed); // division by zero at A2 = -10
    EXPECT_EQ(status(0, 1), TGridRunStatus::Ok);
    EXPECT_EQ(status(1, 0), TGridRunStatus::Failed);
    EXPECT_EQ(status(1, 1), TGridRunStatus::Pending);
    EXPECT_FALSE(maps.Outputs[0].Values[1][1].has_value());

    const TStudy sweep = StudyOf("take-up-speed=2000:4000:1000");
    rows.resize(1);
    rows[0] = RunSweepPoint(*std::make_unique<TRun>(), sweep, {2000});
    const TSummaryPlot plot = SummaryPlotOf(sweep, rows);
    EXPECT_EQ(plot.X, (std::vector<double>{2000, 3000, 4000}));
    EXPECT_EQ(plot.Series[0].Y, (std::vector<std::optional<double>>{rows[0].Outputs.Trials,
                                                                    std::nullopt, std::nullopt}));
}

TEST(Sweep, KeepsEveryReportWhenAsked) {
    testing::TempDir dir;
    auto run = std::make_unique<TRun>();
    const TStudy study = StudyOf("take-up-speed=3000:3500:500", dir.Path().string());
    for (double vl : SweepValues(study.Ranges[0]))
        ASSERT_TRUE(RunSweepPoint(*run, study, {vl}).Ok());
    const auto report = testing::ReadBytes(dir.File("take-up-speed=3500.txt"));
    EXPECT_EQ(testing::CrlfLines(report).size(), 148u);
    EXPECT_TRUE(std::filesystem::exists(dir.File("take-up-speed=3000.txt")));
}

} // namespace
} // namespace ppspin
