// The one way a calculation is run, for the window, ppspin-cli, studies and
// Python: convert and check the field texts, set up, shoot on the spinneret
// tension, take the profile. It touches no file: a caller that wants the
// report writes it from the profile (study/ReportedRun.h).
#pragma once

#include "AdjustTension.h"
#include "FieldTexts.h"
#include "ProfileSnapshot.h"
#include "RunRecords.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>

namespace ppspin {

enum class TRunOutcomeKind {
    Converged,
    Refused,            // a field text did not convert or failed its check
    FloatingPointFault, // division by zero, overflow or invalid operation
    NotConverged,       // the shooting gave up after its trial bound
    Cancelled,          // stopped on the caller's request
    FileError,          // a file of the run could not be created or written
    Failed,             // anything else the run could not survive (out of memory)
};

struct TRunOutcome {
    TRunOutcomeKind Kind = TRunOutcomeKind::Converged;
    std::string Message; // exactly what the operator is shown; empty when converged
    int Field = -1;      // for a refusal, the index of the field it concerns
    int Trials = 0;      // trials run, the converged one included
    std::optional<TProfileSnapshot> Snapshot; // the converged profile
    bool Converged() const { return Kind == TRunOutcomeKind::Converged; }
};

struct TRunOptions {
    // Reads the field texts: the user's locale's for the window and
    // ppspin-cli.
    char DecimalSeparator = '.';
    int MaxTrials = ppspin::MaxTrials;
    // Set from any thread, it stops the run before its next trial.
    const std::atomic<bool>* Cancel = nullptr;
    // Called with the checked inputs just before the calculation: a caller
    // that writes files of the run begins them here, so that one that cannot
    // be written ends the run before it starts ("File can not open!"). An
    // outcome returned ends the run with it; a RunError thrown ends it as any
    // other.
    std::function<std::optional<TRunOutcome>(const TRunInput&)> BeforeCalculation;
};

// Runs the calculation of texts on run, whose records it overwrites. Never
// throws: every way the run can end is in the outcome.
TRunOutcome RunCalculation(TRun& run, const TFieldTexts& texts, const TRunOptions& options = {});

} // namespace ppspin
