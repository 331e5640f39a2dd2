#include "RunCalculation.h"

#include "ConvertInputs.h"
#include "Report.h"
#include "RunError.h"
#include "SetUpRun.h"

#include <exception>
#include <utility>

namespace ppspin {

namespace {

TRunOutcomeKind KindOf(TRunErrorKind error) {
    switch (error) {
    case TRunErrorKind::Refused:
        return TRunOutcomeKind::Refused;
    case TRunErrorKind::FloatingPoint:
        return TRunOutcomeKind::FloatingPointFault;
    case TRunErrorKind::NotConverged:
        return TRunOutcomeKind::NotConverged;
    case TRunErrorKind::Cancelled:
        return TRunOutcomeKind::Cancelled;
    case TRunErrorKind::File:
        return TRunOutcomeKind::FileError;
    }
    return TRunOutcomeKind::Failed;
}

TRunOutcome Ended(TRunOutcomeKind kind, std::string message, int trials) {
    TRunOutcome outcome;
    outcome.Kind = kind;
    outcome.Message = std::move(message);
    outcome.Trials = trials;
    return outcome;
}

TRunOutcome Refused(TRunOutcomeKind kind, const char* message, int field) {
    TRunOutcome outcome = Ended(kind, message, 0);
    outcome.Field = field;
    return outcome;
}

// Takes the texts into the run's inputs, checks them and, when a report is
// wanted, begins it with its header, then the caller's other files. An
// outcome only when the run ends here.
std::optional<TRunOutcome> ReadInputs(TRun& run, const TFieldTexts& texts,
                                      std::optional<TFileReplacement>& own,
                                      TFileReplacement*& report, const TRunOptions& options) {
    if (const TRefusal refusal = ConvertInputs(texts, options.DecimalSeparator, run.RunInput))
        return Refused(TRunOutcomeKind::Refused, refusal.Message, refusal.Field);
    if (options.WriteReport) {
        report = options.Report != nullptr ? options.Report : &own.emplace(run.RunInput.FileName);
        if (!WriteReportHeader(run.RunInput, options.DecimalSeparator, *report))
            return Refused(TRunOutcomeKind::FileError, FileCanNotOpenMessage, FileNameField);
    }
    for (TFileReplacement* output : options.Outputs)
        if (!output->Begin())
            return Refused(TRunOutcomeKind::FileError, FileCanNotOpenMessage, FileNameField);
    return std::nullopt;
}

} // namespace

TRunOutcome RunCalculation(TRun& run, const TFieldTexts& texts, const TRunOptions& options) {
    // Trials count from the set-up on; before it the state is an earlier run's.
    bool setUp = false;
    const auto trials = [&] { return setUp ? run.RunState.TrialCount : 0; };
    // A run that ends early leaves an earlier report as it was: the new one
    // replaces it only once it is complete.
    std::optional<TFileReplacement> own;
    TFileReplacement* report = nullptr;
    try {
        if (std::optional<TRunOutcome> ended = ReadInputs(run, texts, own, report, options))
            return std::move(*ended);
        SetUpRun(run);
        setUp = true;
        RunTrials(run, options.MaxTrials, options.Cancel);
        if (report && !WriteResultRows(run, options.DecimalSeparator, *report))
            return Ended(TRunOutcomeKind::FileError, CanNotWriteResultMessage, trials());
        if (std::string reason; own && !own->Publish(reason))
            return Ended(TRunOutcomeKind::FileError,
                         CanNotWriteToFileMessage(own->Target(), reason), trials());
        TRunOutcome outcome = Ended(TRunOutcomeKind::Converged, {}, trials());
        outcome.Snapshot = TakeProfileSnapshot(run);
        return outcome;
    } catch (const RunError& e) {
        return Ended(KindOf(e.Kind()), e.what(), trials());
    } catch (const std::exception& e) {
        return Ended(TRunOutcomeKind::Failed, e.what(), trials());
    }
}

} // namespace ppspin
