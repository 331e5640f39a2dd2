#include "MiscCalc.h"
#include "Report.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ppspin {
namespace {

using testing::CrlfLines;
using testing::ReadBytes;
using testing::TempDir;

// One run of the run's inputs into its report, as the run control makes
// it; beforeRows may change the profile before the rows are written.
std::string RunIntoReport(TRun& run, void (*beforeRows)(TRun&) = nullptr) {
    TFileReplacement report(run.RunInput.FileName);
    EXPECT_TRUE(WriteReportHeader(run.RunInput, '.', report));
    SetUpRun(run);
    RunTrials(run);
    if (beforeRows != nullptr)
        beforeRows(run);
    EXPECT_TRUE(WriteResultRows(TakeProfileSnapshot(run), '.', report));
    std::string reason;
    EXPECT_TRUE(report.Publish(reason)) << reason;
    return ReadBytes(run.RunInput.FileName);
}

// Runs the default case into a report in dir and returns its bytes.
std::string DefaultReport(TRun& run, const TempDir& dir) {
    run.RunInput = TRunInput{};
    run.RunInput.FileName = dir.File("result.txt");
    return RunIntoReport(run);
}

TEST(Report, DefaultRunByteForByte) {
    TempDir dir;
    TRun run;
    const std::string bytes = DefaultReport(run, dir);
    const auto lines = CrlfLines(bytes);
    ASSERT_EQ(lines.size(), 45u + 101u + 2u);
    // Every line ends in CRLF; no bare LF, no byte-order mark.
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 148);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 148);
    EXPECT_EQ(bytes.substr(bytes.size() - 6), "\r\n\r\n\r\n");
    EXPECT_EQ(bytes.substr(0, 19), "OPERATING CONDITION");

    const struct {
        int line;
        const char* text;
    } header[] = {
        {3, "    Hole Diameter                        (cm) =  0.0250"},
        {4, "    Output                            (g/min) =  0.700"},
        {5, "    Take-up Speed                     (m/min) =  3500.0"},
        {6, "    Polymer Melt Temperature             (\x81\x8E) =  190.0"},
        {12, "        A1                                    =  245700.00"},
        {13, "        A2                                    =  130.0000"},
        {14, "        A3                                    =  -1710.00"},
        {22, "        A2                                    =  -8.6360"},
        {31, "PHISICAL PROPERTY"},
        {33, "    Zero Shear Viscosity at Ref. Temp.(poise) =  2000.0"},
        {34, "    Reference Temperature                (\x81\x8E) =  190.0"},
        {38, "    Increment                            (cm) =  1.0"},
        {39, ""},
        {42, "[RESULTS]"},
        {43, "    X       V       F      T       D      TA      H     TEN(RE) TEN(AP)"},
        {44, "   cm     m/min    dyn    \x81\x8E      cm     \x81\x8E     cal/cm2  G/den   G/den"},
        {45, "                                                .s.\x81\x8E"},
    };
    for (const auto& h : header)
        EXPECT_EQ(lines[h.line - 1], h.text) << "header line " << h.line;
    // Labelled lines put their value at column 50.
    for (int l : {3, 4, 5, 6, 10, 12, 13, 14, 15, 19, 24, 28, 29, 33, 34, 38})
        EXPECT_EQ(lines[l - 1].substr(46, 3), "=  ") << "header line " << l;

    const struct {
        int point;
        const char* text;
    } rows[] = {
        {1, "   0.0    18.8   20.174  190.0  0.02500  180.0  0.00241  0.0001  0.0114"},
        {2, "   1.0    23.4   19.944  189.8  0.02243  165.6  0.00269  0.0001  0.0113"},
        {10, "   9.0   115.2   20.831  177.4  0.01006   57.6  0.00617  0.0004  0.0118"},
        {11, "  10.0   137.4   21.282  174.6  0.00920   45.0  0.00854  0.0005  0.0121"},
        {35, "  34.0  1755.6   69.031  102.8  0.00251   21.3  0.02570  0.0196  0.0391"},
        {36, "  35.0  1840.0   72.443  100.6  0.00245   21.3  0.02626  0.0216  0.0410"},
        {101, " 100.0  3496.5  319.710   32.2  0.00174   20.4  0.03704  0.1809  0.1811"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(lines[44 + r.point], r.text) << "point " << r.point;
    for (int k = 1; k <= 101; ++k)
        EXPECT_EQ(lines[44 + k].size(), 71u) << "point " << k;
    EXPECT_EQ(run.SpinProfile.VM[101], run.SpinProfile.V[101] * 60 / 100);
    // The report of the run's snapshot, made in memory, is the file.
    EXPECT_EQ(ReportText(TakeProfileSnapshot(run), '.'), bytes);
}

TEST(Report, ASecondRunReplacesTheFirst) {
    TempDir dir;
    TRun run;
    const std::string first = DefaultReport(run, dir);
    run.RunInput.VL = 3000.0;
    const std::string second = RunIntoReport(run);
    EXPECT_EQ(CrlfLines(second).size(), 148u);
    EXPECT_NE(second.find("=  3000.0\r\n"), std::string::npos);
    EXPECT_EQ(second.find("=  3500.0\r\n"), std::string::npos);
}

TEST(Report, WidensAColumnThatOverflows) {
    TempDir dir;
    TRun run;
    run.RunInput.FileName = dir.File("wide.txt");
    const auto lines =
        CrlfLines(RunIntoReport(run, [](TRun& r) { r.SpinProfile.F[1] = 12345.6789; }));
    EXPECT_EQ(lines[45].substr(0, 24), "   0.0    18.8 12345.679");
    EXPECT_EQ(lines[45].size(), 72u);
}

TEST(Report, FileThatCannotBeCreatedIsLeftAlone) {
    TempDir dir;
    TRun run;
    run.RunInput.FileName = dir.File("no-such-folder/result.txt");
    TFileReplacement missing(run.RunInput.FileName);
    EXPECT_FALSE(WriteReportHeader(run.RunInput, '.', missing));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "no-such-folder"));
    run.RunInput.FileName = dir.Path().string(); // a folder
    TFileReplacement folder(run.RunInput.FileName);
    EXPECT_FALSE(WriteReportHeader(run.RunInput, '.', folder));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(Report, OnlyACompleteReportReplacesTheOldOne) {
    TempDir dir;
    TRun run;
    const std::string old = DefaultReport(run, dir);
    run.RunInput.VL = 3000.0;
    {
        TFileReplacement report(run.RunInput.FileName);
        ASSERT_TRUE(WriteReportHeader(run.RunInput, '.', report));
        // The run ends here, as a fault would end it.
    }
    EXPECT_EQ(ReadBytes(run.RunInput.FileName), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    TFileReplacement unbegun(run.RunInput.FileName); // rows need the header's file
    EXPECT_FALSE(WriteResultRows(TakeProfileSnapshot(run), '.', unbegun));
    EXPECT_EQ(ReadBytes(run.RunInput.FileName), old);
}

TEST(Report, FullDeviceEndsTheRunWithAnError) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    TRun run;
    run.RunInput.FileName = "/dev/full"; // a device is written, never replaced
    SetUpRun(run);
    RunTrials(run);
    for (bool rows : {false, true}) {
        TFileReplacement report(run.RunInput.FileName);
        try {
            if (rows) {
                ASSERT_TRUE(report.Begin());
                WriteResultRows(TakeProfileSnapshot(run), '.', report);
            } else {
                WriteReportHeader(run.RunInput, '.', report);
            }
            ADD_FAILURE() << (rows ? "rows" : "header") << " reported as written";
        } catch (const RunError& e) {
            EXPECT_NE(std::string(e.what()).find("/dev/full"), std::string::npos) << e.what();
            EXPECT_EQ(e.Kind(), TRunErrorKind::File);
        }
    }
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

} // namespace
} // namespace ppspin
