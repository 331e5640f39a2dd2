// The design tools: goal seeking and sensitivities.
#include "Commands.h"
#include "GoalSeek.h"
#include "NumberText.h"
#include "OutputNames.h"
#include "PictureData.h"
#include "Plots.h"
#include "QuotedText.h"
#include "Sensitivity.h"
#include "TextToFloat.h"

namespace ppspin::cli {

namespace {

// OUTPUT=VALUE of --target, and LO:HI of --bracket.
bool ParseGoal(const TOptions& o, TGoal& goal, std::string& message) {
    goal.Input = FindEditableInput(o.Solve);
    if (goal.Input == nullptr) {
        message = "Unknown input to solve for: " + QuotedText(o.Solve);
        return false;
    }
    const auto equals = o.Target.find('=');
    goal.Output = FindOutputColumn(o.Target.substr(0, std::min(equals, o.Target.size())));
    if (equals == std::string::npos || goal.Output == nullptr ||
        !TextToFloat(o.Target.substr(equals + 1), o.DecimalSeparator, goal.Target)) {
        std::string outputs;
        for (const TOutputColumn& column : OutputColumns)
            outputs += std::string(outputs.empty() ? "" : ", ") + column.Name;
        message = "Target is not correct: expected OUTPUT=VALUE with OUTPUT one of " + outputs;
        return false;
    }
    if (!o.Bracket.empty()) {
        double lo = 0, hi = 0;
        if (!ParseInterval(o.Bracket, o.DecimalSeparator, lo, hi) || !(lo < hi)) {
            message = "Bracket is not correct: expected LO:HI with LO below HI";
            return false;
        }
        goal.Bracket = std::pair(lo, hi);
    }
    goal.DecimalSeparator = o.DecimalSeparator;
    goal.MaxTrials = o.MaxTrials;
    goal.Jobs = o.Jobs;
    return true;
}

} // namespace

bool ParseInterval(const std::string& text, char separator, double& lo, double& hi) {
    const auto colon = text.find(':');
    return colon != std::string::npos && TextToFloat(text.substr(0, colon), separator, lo) &&
           TextToFloat(text.substr(colon + 1), separator, hi);
}

int RunSolve(TOptions o, TOutput& out) {
    TGoal goal;
    std::string message;
    if (!ParseGoal(o, goal, message)) {
        PrintError(message);
        return ExitRefused;
    }
    const TGoalSeekResult result = GoalSeek(o.Texts, goal);
    switch (result.End) {
    case TGoalSeekEnd::Found:
        break;
    case TGoalSeekEnd::RunFailed:
    case TGoalSeekEnd::Cancelled:
        PrintError(result.Message);
        return ExitRunError;
    case TGoalSeekEnd::Refused:
    case TGoalSeekEnd::NoBracket:
        PrintError(result.Message);
        return ExitRefused;
    }
    // The nearest value first, in full, as scripts read it; the others are
    // named beside it.
    const std::string name = goal.Input->Name;
    const std::string text = NumberText(result.Value, o.DecimalSeparator);
    out.WriteLine(name + "=" + text);
    out.Flush();
    for (std::size_t k = 1; k < result.Solutions.size(); ++k)
        PrintError("also at " + name + "=" +
                   NumberText(result.Solutions[k].Value, o.DecimalSeparator));
    // The value found runs as any single run does: report, summary, status.
    o.Texts[static_cast<std::size_t>(goal.Input->Field)] = text;
    return RunOnce(o, out);
}

int RunSensitivity(const TOptions& o, TOutput& out) {
    if (const std::string clash =
            OutputClash({{"--summary", o.Summary}, {"--summary-plot", o.SummaryPlot}});
        !clash.empty()) {
        PrintError(clash);
        return ExitRefused;
    }
    const TSensitivities sensitivities = RunSensitivities(o.Texts, RunOptions(o), o.Jobs);
    if (const std::string failure = SensitivitiesFailure(sensitivities); !failure.empty()) {
        PrintError(failure);
        return !sensitivities.Refusal.empty() ||
                       sensitivities.Current.Kind == TRunOutcomeKind::Refused
                   ? ExitRefused
                   : ExitRunError;
    }

    TSummaryTarget summary;
    if (!summary.Open(o, out))
        return ExitRunError;
    summary.WriteRow(SensitivityHeader());
    for (const TSensitivityRow& row : sensitivities.Rows)
        summary.WriteRow(SensitivityLine(row));
    if (!summary.Close())
        return ExitRunError;
    std::string error;
    if (!o.SummaryPlot.empty() &&
        !PlotTornado(TornadoOf(sensitivities), o.SummaryPlot, o.PlotSize, error)) {
        PrintError(error);
        return ExitRunError;
    }
    return ExitOk;
}

} // namespace ppspin::cli
