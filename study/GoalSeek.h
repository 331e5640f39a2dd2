// Goal seeking: the value of one input for which an output of the run takes
// a target value, the other inputs as they are.
#pragma once

#include "AdjustTension.h"
#include "FieldTexts.h"
#include "InputCatalogue.h"
#include "RunOutputs.h"
#include "RunRecords.h"

#include <optional>
#include <string>
#include <utility>

namespace ppspin {

struct TGoal {
    const TInputField* Input = nullptr;
    const TOutputColumn* Output = nullptr;
    double Target = 0;
    // Where to look; without one, the search widens from the input's value
    // within what its checks allow.
    std::optional<std::pair<double, double>> Bracket;
    double RelativeTolerance = 1e-9; // in the input
    char DecimalSeparator = '.';     // of the texts
    int MaxTrials = ppspin::MaxTrials;
};

enum class TGoalSeekEnd {
    Found,
    // The input's own text does not convert, or the inputs are refused
    // where the search starts: the user's to mend.
    Refused,
    NoBracket,   // no value in reach gives the target
    RunFailed,   // a run inside the bracket failed
    NotMonotone, // the output turns inside the bracket: the root may not be unique
};

struct TGoalSeekResult {
    TGoalSeekEnd End = TGoalSeekEnd::Found;
    double Value = 0;    // the input's value found
    std::string Message; // why none was found
    int Runs = 0;        // calculations made
};

// Seeks goal on run, computing in memory (no file is touched), the other
// fields' texts as in texts, read with the goal's decimal separator.
TGoalSeekResult GoalSeek(TRun& run, const TFieldTexts& texts, const TGoal& goal);

} // namespace ppspin
