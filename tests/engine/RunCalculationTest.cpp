// One calculation from field texts to outcome: each way a run ends, and
// runs on contexts of their own at the same time.
#include "RunCalculation.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <thread>

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

TEST(RunCalculation, ConvergedRunWritesTheReportAndGivesTheProfile) {
    TempDir dir;
    TRun run;
    const TRunOutcome outcome = RunCalculation(run, TextsInto(dir));
    ASSERT_EQ(outcome.Kind, TRunOutcomeKind::Converged) << outcome.Message;
    EXPECT_EQ(outcome.Message, "");
    EXPECT_EQ(outcome.Trials, 7);
    ASSERT_TRUE(outcome.Snapshot.has_value());
    EXPECT_EQ(outcome.Snapshot->Points.size(), 101u);
    EXPECT_EQ(outcome.Snapshot->F0, run.RunState.F0);
    EXPECT_EQ(CrlfLines(ReadBytes(dir.File("result.txt"))).size(), 148u);
}

TEST(RunCalculation, EachWayARunEndsHasItsKindAndMessage) {
    const struct {
        int field;
        const char* text;
        int maxTrials;
        TRunOutcomeKind kind;
        const char* message;
        bool cancelled = false;
    } cases[] = {
        {0, "0", MaxTrials, TRunOutcomeKind::Refused, "Value of Hole Diameter is not correct"},
        {FileNameField, "missing/r.txt", MaxTrials, TRunOutcomeKind::FileError,
         "File can not open!"},
        // The zone-2 law divides by z + A2 = 0 at z = 10 cm.
        {11, "-10", MaxTrials, TRunOutcomeKind::FloatingPointFault,
         "Floating point division by zero"},
        {0, "0.025", 6, TRunOutcomeKind::NotConverged, "Calculation did not converge"},
        {0, "0.025", MaxTrials, TRunOutcomeKind::Cancelled, "Calculation was cancelled", true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        std::ofstream(dir.File("result.txt"), std::ios::binary) << "an earlier report";
        TFieldTexts texts = TextsInto(dir);
        texts[static_cast<std::size_t>(c.field)] =
            c.field == FileNameField ? dir.File(c.text) : c.text;
        TRunOptions options;
        options.MaxTrials = c.maxTrials;
        const std::atomic<bool> cancel = c.cancelled;
        options.Cancel = &cancel;
        TRun run;
        const TRunOutcome outcome = RunCalculation(run, texts, options);
        EXPECT_EQ(outcome.Kind, c.kind) << c.message;
        EXPECT_EQ(outcome.Message, c.message);
        EXPECT_FALSE(outcome.Snapshot.has_value()) << c.message;
        const bool refused = c.kind == TRunOutcomeKind::Refused;
        const bool unopened = c.kind == TRunOutcomeKind::FileError;
        EXPECT_EQ(outcome.Field, refused || unopened ? c.field : -1) << c.message;
        EXPECT_EQ(outcome.Trials > 0, !refused && !unopened) << c.message;
        // Whenever the run ends, an earlier report is left as it was.
        EXPECT_EQ(ReadBytes(dir.File("result.txt")), "an earlier report") << c.message;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
            << c.message;
    }
}

TEST(RunCalculation, WithoutAReportNoFileIsTouched) {
    TempDir dir;
    TRun run;
    TRunOptions options;
    options.WriteReport = false;
    const TRunOutcome outcome = RunCalculation(run, TextsInto(dir), options);
    EXPECT_EQ(outcome.Kind, TRunOutcomeKind::Converged);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(RunCalculation, ContextsRunAtOnceAsTheyWouldAlone) {
    TempDir dir;
    const auto texts = [&](const char* speed, const char* increment, const char* name) {
        TFieldTexts t = DefaultFieldTexts(',');
        t[2] = speed;
        t[18] = increment;
        t[FileNameField] = dir.File(name);
        return t;
    };
    const TFieldTexts a = texts("3000", "0,5", "a.txt"), b = texts("4200", "0,2", "b.txt");
    const auto runOn = [](const TFieldTexts& t) {
        TRunOptions comma;
        comma.DecimalSeparator = ',';
        return RunCalculation(*std::make_unique<TRun>(), t, comma).Kind;
    };
    ASSERT_EQ(runOn(a), TRunOutcomeKind::Converged);
    ASSERT_EQ(runOn(b), TRunOutcomeKind::Converged);
    const std::string aloneA = ReadBytes(a[FileNameField]), aloneB = ReadBytes(b[FileNameField]);
    ASSERT_NE(aloneA, aloneB);

    for (int round = 0; round < 5; ++round) {
        TRunOutcomeKind kindA{}, kindB{};
        std::thread first([&] { kindA = runOn(a); });
        std::thread second([&] { kindB = runOn(b); });
        first.join();
        second.join();
        EXPECT_EQ(kindA, TRunOutcomeKind::Converged);
        EXPECT_EQ(kindB, TRunOutcomeKind::Converged);
        EXPECT_EQ(ReadBytes(a[FileNameField]), aloneA) << "round " << round;
        EXPECT_EQ(ReadBytes(b[FileNameField]), aloneB) << "round " << round;
    }
}

} // namespace
} // namespace ppspin
