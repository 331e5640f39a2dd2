// The one way a calculation is run, for the window, ppspin-cli and studies:
// convert and check the field texts, write the report's header, set up,
// shoot on the spinneret tension, write the rows, take the profile.
#pragma once

#include "AdjustTension.h"
#include "FieldTexts.h"
#include "FileReplacement.h"
#include "ProfileSnapshot.h"
#include "RunRecords.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace ppspin {

enum class TRunOutcomeKind {
    Converged,
    Refused,            // a field text did not convert or failed its check
    FloatingPointFault, // division by zero, overflow or invalid operation
    NotConverged,       // the shooting gave up after its trial bound
    Cancelled,          // stopped on the caller's request
    FileError,          // the report could not be created or written
    Failed,             // anything else the run could not survive (out of memory)
};

struct TRunOptions {
    // Reads the field texts and writes the report's numbers: the user's
    // locale's for the window and ppspin-cli.
    char DecimalSeparator = '.';
    // Without a report the run touches no file; the profile is all it gives.
    bool WriteReport = true;
    int MaxTrials = ppspin::MaxTrials;
    // Set from any thread, it stops the run before its next trial.
    const std::atomic<bool>* Cancel = nullptr;
    // The report's replacement, for a caller that publishes the report
    // itself together with other files of the run; its target must be the
    // file name's text. The run then writes and completes the report but
    // leaves it unpublished.
    TFileReplacement* Report = nullptr;
    // Further files the caller writes from the outcome: begun after the
    // report and before the calculation, so that one that cannot be written
    // ends the run with "File can not open!" before it starts, as the report
    // does.
    std::vector<TFileReplacement*> Outputs;
};

struct TRunOutcome {
    TRunOutcomeKind Kind = TRunOutcomeKind::Converged;
    std::string Message; // exactly what the operator is shown; empty when converged
    int Field = -1;      // for a refusal, the index of the field it concerns
    int Trials = 0;      // trials run, the converged one included
    std::optional<TProfileSnapshot> Snapshot; // the converged profile
    bool Converged() const { return Kind == TRunOutcomeKind::Converged; }
};

// Runs the calculation of texts on run, whose records it overwrites. Never
// throws: every way the run can end is in the outcome.
TRunOutcome RunCalculation(TRun& run, const TFieldTexts& texts, const TRunOptions& options = {});

} // namespace ppspin
