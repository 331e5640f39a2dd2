#include "ReportedRun.h"

#include "Report.h"
#include "RunError.h"

#include <exception>
#include <string>
#include <utility>

namespace ppspin {

namespace {

TRunOutcome Ended(TRunOutcome outcome, TRunOutcomeKind kind, std::string message) {
    outcome.Kind = kind;
    outcome.Message = std::move(message);
    outcome.Snapshot.reset();
    return outcome;
}

} // namespace

TRunOutcome RunWithFiles(TRun& run, const TFieldTexts& texts, TRunOptions options,
                         const TRunFiles& files) {
    const char separator = options.DecimalSeparator;
    options.BeforeCalculation = [&files, separator](const TRunInput& in) {
        bool begun = files.Report == nullptr || WriteReportHeader(in, separator, *files.Report);
        for (TFileReplacement* output : files.Outputs)
            begun = begun && output->Begin();
        std::optional<TRunOutcome> ended;
        if (!begun) {
            ended.emplace();
            ended->Kind = TRunOutcomeKind::FileError;
            ended->Message = FileCanNotOpenMessage;
            ended->Field = FileNameField;
        }
        return ended;
    };
    TRunOutcome outcome = RunCalculation(run, texts, options);
    if (!outcome.Converged() || files.Report == nullptr)
        return outcome;
    try {
        if (!WriteResultRows(*outcome.Snapshot, separator, *files.Report))
            return Ended(std::move(outcome), TRunOutcomeKind::FileError, CanNotWriteResultMessage);
    } catch (const RunError& e) {
        return Ended(std::move(outcome), TRunOutcomeKind::FileError, e.what());
    } catch (const std::exception& e) {
        return Ended(std::move(outcome), TRunOutcomeKind::Failed, e.what());
    }
    return outcome;
}

TRunOutcome RunWithReport(TRun& run, const TFieldTexts& texts, const TRunOptions& options) {
    TFileReplacement report(texts[FileNameField]);
    TRunOutcome outcome = RunWithFiles(run, texts, options, {&report, {}});
    if (std::string reason; outcome.Converged() && !report.Publish(reason))
        return Ended(std::move(outcome), TRunOutcomeKind::FileError,
                     CanNotWriteToFileMessage(report.Target(), reason));
    return outcome;
}

} // namespace ppspin
