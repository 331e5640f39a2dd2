// Goal seeking: the value found gives the target in a run of its own, and
// every way the search can fail says why.
#include "GoalSeek.h"
#include "RunCalculation.h"

#include <gtest/gtest.h>

#include <memory>

namespace ppspin {
namespace {

TGoal Goal(const char* input, const char* output, double target) {
    TGoal goal;
    goal.Input = FindEditableInput(input);
    goal.Output = FindOutputColumn(output);
    goal.Target = target;
    return goal;
}

TGoalSeekResult Seek(const TGoal& goal, const TFieldTexts& texts = DefaultFieldTexts('.')) {
    const auto run = std::make_unique<TRun>();
    return GoalSeek(*run, texts, goal);
}

TEST(GoalSeek, ARunAtTheValueFoundMeetsTheTarget) {
    const struct {
        const char *input, *output;
        double target, within;
    } cases[] = {
        {"take-up-speed", "D_end_um", 20, 0.01},
        {"zone2-air-velocity", "z_freeze_cm", 20, 0.01},
        {"hole-diameter", "F0_dyn", 30, 0.01},
    };
    for (const auto& c : cases) {
        const TGoal goal = Goal(c.input, c.output, c.target);
        const TGoalSeekResult result = Seek(goal);
        ASSERT_EQ(result.End, TGoalSeekEnd::Found) << c.input << ": " << result.Message;
        EXPECT_LE(result.Runs, 30) << c.input;

        TFieldTexts texts = DefaultFieldTexts('.');
        std::string text;
        AppendShortest(text, result.Value);
        texts[static_cast<std::size_t>(goal.Input->Field)] = text;
        TRunOptions inMemory;
        inMemory.WriteReport = false;
        const auto run = std::make_unique<TRun>();
        const TRunOutcome outcome = RunCalculation(*run, texts, inMemory);
        ASSERT_TRUE(outcome.Converged()) << outcome.Message;
        EXPECT_NEAR(*goal.Output->Of(OutputsOf(*outcome.Snapshot)), c.target, c.within)
            << c.input << "=" << text;
    }
}

TEST(GoalSeek, SaysWhyNoValueIsFound) {
    const struct {
        TGoal goal;
        std::optional<std::pair<double, double>> bracket;
        TGoalSeekEnd end;
        const char* message; // how the message starts
    } cases[] = {
        {Goal("take-up-speed", "D_end_um", 20), std::pair(3000.0, 4000.0), TGoalSeekEnd::NoBracket,
         "D_end_um is 18.7596"},
        {Goal("take-up-speed", "D_end_um", 1000), std::nullopt, TGoalSeekEnd::NoBracket,
         "No value of take-up-speed from "},
        // F0 falls, then rises again as zone 1 grows.
        {Goal("zone1-end", "F0_dyn", 25), std::pair(2.0, 60.0), TGoalSeekEnd::NotMonotone,
         "F0_dyn is not monotone in zone1-end from 2 to 60: the value sought may not be unique"},
        // The zone-2 law divides by zero at z = 12.
        {Goal("zone2-a2", "T_end_C", 30), std::pair(-12.0, -5.0), TGoalSeekEnd::RunFailed,
         "The run at zone2-a2=-12: Floating point division by zero"},
    };
    for (auto c : cases) {
        c.goal.Bracket = c.bracket;
        const TGoalSeekResult result = Seek(c.goal);
        EXPECT_EQ(result.End, c.end) << c.message;
        EXPECT_EQ(result.Message.rfind(c.message, 0), 0u) << result.Message;
    }
}

// What the user gave is refused as it stands: a start value that does not
// convert, or one outside the input's domain, which the search must not
// leave to look for a value (below zero for an air velocity, say).
TEST(GoalSeek, RefusesAStartTheChecksRefuse) {
    const struct {
        const char *input, *text, *message;
    } cases[] = {
        {"take-up-speed", "3500,0", "Input value is not correct!"},
        {"take-up-speed", "-1", "Value of Take-up Speed is not correct"},
        {"zone2-air-velocity", "-5", "Value of 2nd Zone Air Velocity is not correct"},
    };
    for (const auto& c : cases) {
        const TGoal goal = Goal(c.input, "D_end_um", 20);
        TFieldTexts texts = DefaultFieldTexts('.');
        texts[static_cast<std::size_t>(goal.Input->Field)] = c.text;
        const TGoalSeekResult result = Seek(goal, texts);
        EXPECT_EQ(result.End, TGoalSeekEnd::Refused) << c.text;
        EXPECT_EQ(result.Message, c.message) << c.text;
        EXPECT_LE(result.Runs, 1) << c.text;
    }
}

} // namespace
} // namespace ppspin
