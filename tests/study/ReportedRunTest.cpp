// A run with its report: the report is the run's profile as text, and is
// replaced only when the run converged and every file of it was written.
#include "Report.h"
#include "ReportedRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace ppspin {
namespace {

using testing::CrlfLines;
using testing::ReadBytes;
using testing::TempDir;

TFieldTexts TextsInto(const TempDir& dir) {
    TFieldTexts texts = DefaultFieldTexts('.');
    texts[FileNameField] = dir.File("result.txt");
    return texts;
}

TEST(ReportedRun, ConvergedRunReplacesTheReportWithItsProfile) {
    TempDir dir;
    std::ofstream(dir.File("result.txt"), std::ios::binary) << "an earlier report";
    const TRunOutcome outcome = RunWithReport(*std::make_unique<TRun>(), TextsInto(dir));
    ASSERT_EQ(outcome.Kind, TRunOutcomeKind::Converged) << outcome.Message;
    const std::string bytes = ReadBytes(dir.File("result.txt"));
    EXPECT_EQ(CrlfLines(bytes).size(), 148u);
    EXPECT_EQ(bytes, ReportText(*outcome.Snapshot, '.'));
}

TEST(ReportedRun, ARunThatEndsEarlyLeavesAnEarlierReportAsItWas) {
    const struct {
        int field;
        const char* text;
        TRunOutcomeKind kind;
        const char* message;
    } cases[] = {
        {0, "0", TRunOutcomeKind::Refused, "Value of Hole Diameter is not correct"},
        {FileNameField, "missing/r.txt", TRunOutcomeKind::FileError, "File can not open!"},
        {11, "-10", TRunOutcomeKind::FloatingPointFault, "Floating point division by zero"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        std::ofstream(dir.File("result.txt"), std::ios::binary) << "an earlier report";
        TFieldTexts texts = TextsInto(dir);
        texts[static_cast<std::size_t>(c.field)] =
            c.field == FileNameField ? dir.File(c.text) : c.text;
        const TRunOutcome outcome = RunWithReport(*std::make_unique<TRun>(), texts);
        EXPECT_EQ(outcome.Kind, c.kind) << c.message;
        EXPECT_EQ(outcome.Message, c.message);
        const bool unopened = c.kind == TRunOutcomeKind::FileError;
        EXPECT_EQ(outcome.Field, unopened ? FileNameField : c.kind == TRunOutcomeKind::Refused ? 0 : -1);
        EXPECT_EQ(outcome.Trials > 0, c.kind == TRunOutcomeKind::FloatingPointFault) << c.message;
        EXPECT_EQ(ReadBytes(dir.File("result.txt")), "an earlier report") << c.message;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
            << c.message;
    }
}

TEST(ReportedRun, AFurtherFileThatCannotBeBegunEndsTheRunBeforeTheCalculation) {
    TempDir dir;
    TFileReplacement report(dir.File("result.txt")), csv(dir.File("missing/p.csv"));
    const TRunOutcome outcome =
        RunWithFiles(*std::make_unique<TRun>(), TextsInto(dir), {}, {&report, {&csv}});
    EXPECT_EQ(outcome.Kind, TRunOutcomeKind::FileError);
    EXPECT_EQ(outcome.Message, "File can not open!");
    EXPECT_EQ(outcome.Trials, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("result.txt")));
}

} // namespace
} // namespace ppspin
