// Goal seeking: the value found gives the target in a run of its own, and
// every way the search can fail says why.
#include "GoalSeek.h"
#include "CloseBracket.h"
#include "NumberText.h"
#include "RunCalculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <limits>
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
    return GoalSeek(texts, goal);
}

double OutputAt(const TGoal& goal, const std::string& text) {
    TFieldTexts texts = DefaultFieldTexts('.');
    texts[static_cast<std::size_t>(goal.Input->Field)] = text;
    const TRunOutcome outcome = RunCalculation(*std::make_unique<TRun>(), texts);
    const std::optional<double> output =
        outcome.Snapshot ? goal.Output->Of(OutputsOf(*outcome.Snapshot)) : std::nullopt;
    EXPECT_TRUE(output) << text << ": " << outcome.Message;
    return output.value_or(0);
}

// The value found and its short text both give the target in runs of their
// own; the short text has the fewest digits that do.
TEST(GoalSeek, ARunAtTheValueFoundMeetsTheTarget) {
    const struct {
        const char *input, *output;
        double target, within;
        const char* text;
    } cases[] = {
        {"take-up-speed", "D_end_um", 20, 0.01, "2639.64"},
        {"zone2-air-velocity", "z_freeze_cm", 20, 0.01, nullptr},
        {"hole-diameter", "F0_dyn", 30, 0.01, nullptr},
    };
    for (const auto& c : cases) {
        const TGoal goal = Goal(c.input, c.output, c.target);
        const TGoalSeekResult result = Seek(goal);
        ASSERT_EQ(result.End, TGoalSeekEnd::Found) << c.input << ": " << result.Message;
        ASSERT_EQ(result.Solutions.size(), 1u) << c.input;
        EXPECT_EQ(result.Value, result.Solutions[0].Value);
        std::string full;
        AppendShortest(full, result.Value);
        EXPECT_NEAR(OutputAt(goal, full), c.target, c.within) << c.input << "=" << full;
        const std::string& text = result.Solutions[0].Text;
        EXPECT_NEAR(OutputAt(goal, text), c.target, 1e-6 * c.target) << c.input << "=" << text;
        if (c.text != nullptr) {
            EXPECT_EQ(text, c.text);
        }
        EXPECT_LE(std::count_if(text.begin(), text.end(), ::isdigit), 10) << text;
    }
}

// An output that rises and falls meets a target more than once: every value
// in reach is found, the nearest to where the search starts first.
TEST(GoalSeek, FindsEveryValueInReachNearestFirst) {
    TFieldTexts texts = DefaultFieldTexts('.');
    texts[2] = "2639.64";
    const TGoalSeekResult result = Seek(Goal("take-up-speed", "T_end_C", 32.3), texts);
    ASSERT_EQ(result.End, TGoalSeekEnd::Found) << result.Message;
    ASSERT_EQ(result.Solutions.size(), 2u);
    EXPECT_NEAR(result.Solutions[0].Value, 2695.2, 0.1);
    EXPECT_GT(result.Solutions[1].Value, 400);
    EXPECT_LT(result.Solutions[1].Value, 500);
    texts[2] = "2639.64";
    const TGoalSeekResult over = Seek(Goal("take-up-speed", "T_end_C", 32.42), texts);
    ASSERT_EQ(over.End, TGoalSeekEnd::Found) << over.Message;
    EXPECT_NEAR(over.Value, 1280.2, 0.1);
    // Two values in the user's bracket: both, not only the nearer.
    TGoal bracketed = Goal("take-up-speed", "T_end_C", 32.432);
    bracketed.Bracket = std::pair(700.0, 1200.0);
    const TGoalSeekResult both = Seek(bracketed);
    ASSERT_EQ(both.End, TGoalSeekEnd::Found) << both.Message;
    ASSERT_EQ(both.Solutions.size(), 2u);
    EXPECT_NEAR(both.Solutions[0].Value, 1056.3, 0.1);
    EXPECT_NEAR(both.Solutions[1].Value, 880.7, 0.1);
}

// Closing a bracket says whether it closed or its steps ran out: about a
// step of the function, where interpolation cannot help, and about a zero
// found exactly on the last step allowed.
TEST(GoalSeek, ClosingABracketSaysWhetherItClosed) {
    const auto step = [](double x) { return x < 3 ? -1.0 : 1.0; };
    const TClosedBracket closed = CloseBracket(step, 1, 10, -1, 1, 1e-9, 200);
    EXPECT_TRUE(closed.Closed);
    EXPECT_LT(closed.Lo, 3);
    EXPECT_GE(closed.Hi, 3);
    EXPECT_LE(closed.Hi - closed.Lo, 3e-9);
    const TClosedBracket cut = CloseBracket(step, 1, 10, -1, 1, 1e-9, 10);
    EXPECT_FALSE(cut.Closed);
    EXPECT_LT(cut.Lo, 3);
    EXPECT_GE(cut.Hi, 3);
    // The first secant step lands on the zero.
    const TClosedBracket exact =
        CloseBracket([](double x) { return x - 3; }, 1, 10, -2, 7, 1e-9, 1);
    EXPECT_TRUE(exact.Closed);
    EXPECT_EQ(exact.Lo, 3);
    EXPECT_EQ(exact.Hi, 3);
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
        // The first zone's end moves its last grid point in whole steps: F0
        // steps with it, past the target.
        {Goal("zone1-end", "F0_dyn", 25), std::pair(2.0, 60.0), TGoalSeekEnd::NoBracket,
         "F0_dyn steps from 26.28"},
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

// The window's words: its labels, and numbers to six significant digits
// with the fields' separator.
TEST(GoalSeek, WordsItsMessagesAsTheCallerAsks) {
    TGoal goal = Goal("take-up-speed", "D_end_um", 1000);
    goal.DecimalSeparator = ',';
    goal.Wording = {WindowLabel(*goal.Input), goal.Output->Title, " = ", 6};
    TFieldTexts texts = DefaultFieldTexts(',');
    texts[2] = "2639,6354117336437";
    const TGoalSeekResult result = Seek(goal, texts);
    ASSERT_EQ(result.End, TGoalSeekEnd::NoBracket);
    EXPECT_EQ(result.Message.rfind("No value of Take-up Speed (m/min) from ", 0), 0u)
        << result.Message;
    EXPECT_NE(result.Message.find(" gives End diameter (\u00b5m) = 1000 (it runs from "),
              std::string::npos)
        << result.Message;
    // Every number: at most six digits before its exponent.
    std::size_t digits = 0;
    for (char c : result.Message) {
        if (c == 'e')
            digits = 100; // the exponent's own digits do not count
        else if (std::isdigit(static_cast<unsigned char>(c)) != 0)
            EXPECT_LE(++digits, 6u) << result.Message;
        else if (c != ',')
            digits = 0;
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
        EXPECT_EQ(result.Field, goal.Input->Field) << c.text;
        EXPECT_LE(result.Runs, 1) << c.text;
    }
    // A bracket with an end the checks refuse, before any run.
    TGoal bracketed = Goal("take-up-speed", "D_end_um", 20);
    bracketed.Bracket = std::pair(-5000.0, -1000.0);
    const TGoalSeekResult refused = Seek(bracketed);
    EXPECT_EQ(refused.End, TGoalSeekEnd::Refused);
    EXPECT_EQ(refused.Message, "The bracket from take-up-speed=-5000 to -1000 is refused at -5000: "
                               "Value of Take-up Speed is not correct");
    EXPECT_EQ(refused.Field, bracketed.Input->Field);
    EXPECT_EQ(refused.Runs, 0);
}

// A bracket as wide as the doubles go is sampled without an infinite value,
// and, where none of its runs converged, over the input's reach within it.
TEST(GoalSeek, SearchesABracketAsWideAsTheDoublesGo) {
    constexpr double Largest = std::numeric_limits<double>::max();
    const struct {
        const char *input, *output;
        double target, lo, value;
    } cases[] = {
        {"take-up-speed", "D_end_um", 20, 1e-300, 2639.64},
        {"zone2-a3", "T_end_C", 30, -Largest, 17.6344},
    };
    for (const auto& c : cases) {
        TGoal goal = Goal(c.input, c.output, c.target);
        goal.Bracket = std::pair(c.lo, Largest);
        const TGoalSeekResult result = Seek(goal);
        ASSERT_EQ(result.End, TGoalSeekEnd::Found) << c.input << ": " << result.Message;
        EXPECT_NEAR(result.Value, c.value, 0.01) << c.input;
    }
}

} // namespace
} // namespace ppspin
