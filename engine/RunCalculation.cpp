#include "RunCalculation.h"

#include "ConvertInputs.h"
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

} // namespace

TRunOutcome RunCalculation(TRun& run, const TFieldTexts& texts, const TRunOptions& options) {
    // Trials count from the set-up on; before it the state is an earlier run's.
    bool setUp = false;
    const auto trials = [&] { return setUp ? run.RunState.TrialCount : 0; };
    try {
        if (const TRefusal refusal = ConvertInputs(texts, options.DecimalSeparator, run.RunInput)) {
            TRunOutcome outcome = Ended(TRunOutcomeKind::Refused, refusal.Message, 0);
            outcome.Field = refusal.Field;
            return outcome;
        }
        if (options.BeforeCalculation)
            if (std::optional<TRunOutcome> ended = options.BeforeCalculation(run.RunInput))
                return std::move(*ended);
        SetUpRun(run);
        setUp = true;
        RunTrials(run, options.MaxTrials, options.Cancel);
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
