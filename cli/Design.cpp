// The design tools: goal seeking and sensitivities.
#include "Commands.h"
#include "GoalSeek.h"
#include "OrderedRuns.h"
#include "OutputNames.h"
#include "Plots.h"
#include "Sensitivity.h"
#include "Sweep.h"
#include "TextToFloat.h"

namespace ppspin::cli {

namespace {

// OUTPUT=VALUE of --target, and LO:HI of --bracket.
bool ParseGoal(const TOptions& o, TGoal& goal, std::string& message) {
    goal.Input = FindEditableInput(o.Solve);
    if (goal.Input == nullptr) {
        message = "Unknown input to solve for: \"" + o.Solve + "\"";
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
        const auto colon = o.Bracket.find(':');
        double lo = 0, hi = 0;
        if (colon == std::string::npos ||
            !TextToFloat(o.Bracket.substr(0, colon), o.DecimalSeparator, lo) ||
            !TextToFloat(o.Bracket.substr(colon + 1), o.DecimalSeparator, hi) || !(lo < hi)) {
            message = "Bracket is not correct: expected LO:HI with LO below HI";
            return false;
        }
        goal.Bracket = std::pair(lo, hi);
    }
    goal.MaxTrials = o.MaxTrials;
    return true;
}

} // namespace

int RunSolve(TOptions o, TOutput& out) {
    TGoal goal;
    std::string message;
    if (!ParseGoal(o, goal, message)) {
        PrintError(message);
        return ExitRefused;
    }
    const TGoalSeekResult result = GoalSeek(*NewRun(o.DecimalSeparator), o.Texts, goal);
    if (result.End != TGoalSeekEnd::Found) {
        PrintError(result.Message);
        return result.End == TGoalSeekEnd::RunFailed ? ExitRunError : ExitRefused;
    }
    const std::string text = NumberText(result.Value, o.DecimalSeparator);
    out.WriteLine(std::string(goal.Input->Name) + "=" + text);
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
    // The current values, then below and above each input's value.
    struct TPoint {
        const TEditableInput* Input;
        double Value;
    };
    std::vector<TPoint> points = {{nullptr, 0}};
    std::vector<double> values;
    for (const TEditableInput& input : EditableInputs) {
        double value = 0;
        if (!TextToFloat(o.Texts[static_cast<std::size_t>(input.Field)], o.DecimalSeparator,
                         value)) {
            PrintError("Input value is not correct!");
            return ExitRefused;
        }
        const TSensitivitySteps steps = SensitivitySteps(input, value);
        values.push_back(value);
        points.push_back({&input, steps.Below});
        points.push_back({&input, steps.Above});
    }
    TRunOptions options;
    options.WriteReport = false;
    options.MaxTrials = o.MaxTrials;
    std::vector<TRunOutcome> outcomes(points.size());
    RunInOrder<TRunOutcome>(
        points.size(), o.Jobs, o.DecimalSeparator,
        [&](TRun& run, std::size_t i) {
            TFieldTexts texts = o.Texts;
            if (points[i].Input != nullptr)
                texts[static_cast<std::size_t>(points[i].Input->Field)] =
                    NumberText(points[i].Value, o.DecimalSeparator);
            return RunCalculation(run, texts, options);
        },
        [&](TRunOutcome&& outcome, std::size_t i) {
            outcomes[i] = std::move(outcome);
            return true;
        });
    if (!outcomes[0].Converged()) {
        PrintError("The run at the current values failed: " + outcomes[0].Message);
        return outcomes[0].Kind == TRunOutcomeKind::Refused ? ExitRefused : ExitRunError;
    }

    const TRunOutputs current = OutputsOf(*outcomes[0].Snapshot);
    TSummaryTarget summary;
    if (!summary.Open(o, out))
        return ExitRunError;
    summary.Stream().Write(SensitivityHeader());
    TTornado tornado;
    tornado.Title = "Sensitivities at the current values";
    const TOutputColumn* drawn[] = {FindOutputColumn("D_end_um"), FindOutputColumn("z_freeze_cm")};
    for (const TOutputColumn* column : drawn)
        tornado.Outputs.push_back({column->Title, {}});
    for (std::size_t k = 0; k < values.size(); ++k) {
        const TEditableInput& input = *points[2 * k + 1].Input;
        const TRunOutcome& below = outcomes[2 * k + 1];
        const TRunOutcome& above = outcomes[2 * k + 2];
        TSensitivityRow row;
        if (below.Converged() && above.Converged()) {
            row = SensitivityRow(input, values[k], current, OutputsOf(*below.Snapshot),
                                 OutputsOf(*above.Snapshot));
        } else {
            row.Input = &input;
            row.Value = values[k];
            row.Step = SensitivitySteps(input, values[k]).Step;
            const TPoint& failed = below.Converged() ? points[2 * k + 2] : points[2 * k + 1];
            row.Status = std::string(input.Name) + "=" + NumberText(failed.Value, '.') + ": " +
                         (below.Converged() ? above : below).Message;
        }
        summary.Stream().Write(SensitivityLine(row));
        tornado.Inputs.push_back(input.Label);
        for (std::size_t t = 0; t < std::size(drawn); ++t) {
            const auto column = static_cast<std::size_t>(drawn[t] - OutputColumns);
            tornado.Outputs[t].Inputs.push_back(
                {row.Elasticity[column], row.Status == "ok" ? "" : row.Status});
        }
    }
    if (!summary.Close())
        return ExitRunError;
    std::string error;
    if (!o.SummaryPlot.empty() && !PlotTornado(tornado, o.SummaryPlot, o.PlotSize, error)) {
        PrintError(error);
        return ExitRunError;
    }
    return ExitOk;
}

} // namespace ppspin::cli
