// One calculation from field texts to outcome: each way a run ends, and
// runs on contexts of their own at the same time.
#include "Report.h"
#include "RunCalculation.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace ppspin {
namespace {

using testing::CrlfLines;
using testing::TempDir;

TEST(RunCalculation, ConvergedRunGivesTheProfileAndTouchesNoFile) {
    TempDir dir;
    TFieldTexts texts = DefaultFieldTexts('.');
    texts[FileNameField] = dir.File("result.txt");
    TRun run;
    const TRunOutcome outcome = RunCalculation(run, texts);
    ASSERT_EQ(outcome.Kind, TRunOutcomeKind::Converged) << outcome.Message;
    EXPECT_EQ(outcome.Message, "");
    EXPECT_EQ(outcome.Trials, 7);
    ASSERT_TRUE(outcome.Snapshot.has_value());
    EXPECT_EQ(outcome.Snapshot->Points.size(), 101u);
    EXPECT_EQ(outcome.Snapshot->F0, run.RunState.F0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(RunCalculation, EachWayARunEndsHasItsKindAndMessage) {
    const struct {
        int field;
        const char* text;
        int maxTrials;
        TRunOutcomeKind kind;
        const char* message;
        bool cancelled = false;
        bool stoppedBefore = false; // by the caller, once the inputs are checked
    } cases[] = {
        {0, "0", MaxTrials, TRunOutcomeKind::Refused, "Value of Hole Diameter is not correct"},
        // The zone-2 law divides by z + A2 = 0 at z = 10 cm.
        {11, "-10", MaxTrials, TRunOutcomeKind::FloatingPointFault,
         "Floating point division by zero"},
        {0, "0.025", 6, TRunOutcomeKind::NotConverged, "Calculation did not converge"},
        {0, "0.025", MaxTrials, TRunOutcomeKind::Cancelled, "Calculation was cancelled", true},
        {0, "0.025", MaxTrials, TRunOutcomeKind::FileError, "File can not open!", false, true},
    };
    for (const auto& c : cases) {
        TFieldTexts texts = DefaultFieldTexts('.');
        texts[static_cast<std::size_t>(c.field)] = c.text;
        TRunOptions options;
        options.MaxTrials = c.maxTrials;
        const std::atomic<bool> cancel = c.cancelled;
        options.Cancel = &cancel;
        int calls = 0;
        options.BeforeCalculation = [&](const TRunInput& in) {
            ++calls;
            EXPECT_EQ(in.D0, 0.025) << c.message; // the inputs, converted and checked
            std::optional<TRunOutcome> ended;
            if (c.stoppedBefore) {
                ended.emplace().Kind = TRunOutcomeKind::FileError;
                ended->Message = c.message;
                ended->Field = FileNameField;
            }
            return ended;
        };
        TRun run;
        const TRunOutcome outcome = RunCalculation(run, texts, options);
        const bool refused = c.kind == TRunOutcomeKind::Refused;
        EXPECT_EQ(outcome.Kind, c.kind) << c.message;
        EXPECT_EQ(outcome.Message, c.message);
        EXPECT_FALSE(outcome.Snapshot.has_value()) << c.message;
        EXPECT_EQ(outcome.Field, refused ? 0 : c.stoppedBefore ? FileNameField : -1) << c.message;
        EXPECT_EQ(outcome.Trials > 0, !refused && !c.stoppedBefore) << c.message;
        EXPECT_EQ(calls, refused ? 0 : 1) << c.message;
    }
}

TEST(RunCalculation, ContextsRunAtOnceAsTheyWouldAlone) {
    const auto texts = [&](const char* speed, const char* increment) {
        TFieldTexts t = DefaultFieldTexts(',');
        t[2] = speed;
        t[18] = increment;
        return t;
    };
    const TFieldTexts a = texts("3000", "0,5"), b = texts("4200", "0,2");
    // The report of a run, or its message.
    const auto runOn = [](const TFieldTexts& t) {
        TRunOptions comma;
        comma.DecimalSeparator = ',';
        const TRunOutcome outcome = RunCalculation(*std::make_unique<TRun>(), t, comma);
        return outcome.Snapshot ? ReportText(*outcome.Snapshot, ',') : outcome.Message;
    };
    const std::string aloneA = runOn(a), aloneB = runOn(b);
    ASSERT_EQ(CrlfLines(aloneA).size(), 248u) << aloneA;
    ASSERT_NE(aloneA, aloneB);

    for (int round = 0; round < 5; ++round) {
        std::string reportA, reportB;
        std::thread first([&] { reportA = runOn(a); });
        std::thread second([&] { reportB = runOn(b); });
        first.join();
        second.join();
        EXPECT_EQ(reportA, aloneA) << "round " << round;
        EXPECT_EQ(reportB, aloneB) << "round " << round;
    }
}

} // namespace
} // namespace ppspin
