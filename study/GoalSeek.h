// Goal seeking: the values of one input for which an output of the run takes
// a target value, the other inputs as they are. The input's reach is sampled
// first, so that an output that rises and falls gives every value in reach,
// not only the first one met.
#pragma once

#include "AdjustTension.h"
#include "FieldTexts.h"
#include "InputCatalogue.h"
#include "RunOutputs.h"
#include "RunRecords.h"

#include <atomic>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ppspin {

// How the seek's messages name the input and the output and write their
// numbers. Empty names are the option's and the column's, as ppspin-cli
// writes them, with numbers in full and "." for decimals.
struct TGoalWording {
    std::string Input, Output; // e.g. "Take-up Speed (m/min)", "End diameter (µm)"
    std::string Equals = "=";  // between a name and its value
    // Significant digits of numbers (general notation, with the goal's
    // separator); 0 for as many as a round trip needs.
    int Digits = 0;
};

struct TGoal {
    const TInputField* Input = nullptr;
    const TOutputColumn* Output = nullptr;
    double Target = 0;
    // Where to look; without one, the input's domain as far as 2^60 times
    // its value either way (2^59 from zero).
    std::optional<std::pair<double, double>> Bracket;
    double RelativeTolerance = 1e-9; // in the input
    // How near the target a value's own run must come, relative to the
    // outputs' size, for a shorter text of the value to stand for it.
    double OutputTolerance = 1e-6;
    char DecimalSeparator = '.'; // of the texts
    int MaxTrials = ppspin::MaxTrials;
    int Jobs = 1; // runs made at once
    // Set from any thread, it ends the search with what it found so far.
    const std::atomic<bool>* Cancel = nullptr;
    TGoalWording Wording;
};

enum class TGoalSeekEnd {
    Found,
    // The input's own text does not convert, or the inputs are refused
    // where the search starts or at an end of the bracket: the user's to
    // mend.
    Refused,
    NoBracket, // no value in reach gives the target
    // No run of the reach converged, or a run in the bracket failed, or the
    // refinement of a bracket ran out of steps with its runs missing the
    // target by more than the output tolerance; and no bracket gave a value.
    RunFailed,
    Cancelled,
};

// One value of the input that gives the target.
struct TGoalSolution {
    // As found, to the seek's relative tolerance; where the refinement ran
    // out of steps first, a value whose run meets the target within the
    // output tolerance.
    double Value = 0;
    double Output = 0; // the output of the run at Value
    // The fewest significant digits (at most 10) whose own run meets the
    // target within the output tolerance, with the goal's separator: what
    // a field should show.
    std::string Text;
};

struct TGoalSeekResult {
    TGoalSeekEnd End = TGoalSeekEnd::Found;
    std::vector<TGoalSolution> Solutions; // nearest to the input's value first
    double Value = 0;                     // the nearest, Solutions[0].Value
    std::string Message;                  // why none was found
    int Field = -1;                       // for a refusal, the index of the field refused
    int Runs = 0;                         // calculations made
};

// Seeks goal, computing in memory (no file is touched), the other fields'
// texts as in texts, read with the goal's decimal separator, on goal.Jobs
// threads.
TGoalSeekResult GoalSeek(const TFieldTexts& texts, const TGoal& goal);

} // namespace ppspin
