#include "Sensitivity.h"

#include "CheckInputs.h"
#include "NumberText.h"
#include "OrderedRuns.h"
#include "Sweep.h"
#include "TextToFloat.h"

#include <optional>

namespace ppspin {

TSensitivitySteps SensitivitySteps(const TInputField& input, double value) {
    if (value != 0)
        return {value * 0.99, value * 1.01, "1%"};
    if (input.Domain == TInputDomain::Free)
        return {-1, 1, "+-1"};
    return {0, 1, "+1"};
}

TSensitivityRow SensitivityRow(const TInputField& input, double value, const TRunOutputs& current,
                               const TRunOutputs& below, const TRunOutputs& above) {
    TSensitivityRow row;
    row.Input = &input;
    row.Value = value;
    const TSensitivitySteps steps = SensitivitySteps(input, value);
    row.Step = steps.Step;
    row.Status = "ok";
    for (std::size_t k = 0; k < OutputCount; ++k) {
        const auto y0 = OutputColumns[k].Of(current), yBelow = OutputColumns[k].Of(below),
                   yAbove = OutputColumns[k].Of(above);
        if (!y0 || !yBelow || !yAbove || *y0 == 0)
            continue;
        // (dy / y) / (dx / x), with dy over the steps taken.
        const double relativeChange = (*yAbove - *yBelow) / *y0;
        row.Elasticity[k] = value != 0 ? relativeChange * value / (steps.Above - steps.Below)
                                       : relativeChange / (steps.Above - steps.Below);
    }
    return row;
}

std::string SensitivityHeader() {
    std::string out = "input,value,step,status";
    for (const TOutputColumn& column : OutputColumns)
        out += std::string(",") + column.Name;
    return out + "\n";
}

std::string SensitivityLine(const TSensitivityRow& row) {
    std::string out = std::string(row.Input->Name) + ",";
    AppendShortest(out, row.Value);
    out += "," + row.Step + "," + CsvField(row.Status);
    for (const std::optional<double>& e : row.Elasticity) {
        out += ',';
        if (e)
            AppendShortest(out, *e);
    }
    return out + "\n";
}

std::string SensitivityText(const std::vector<TSensitivityRow>& rows) {
    std::string text = SensitivityHeader();
    for (const TSensitivityRow& row : rows)
        text += SensitivityLine(row);
    return text;
}

std::string SensitivitiesFailure(const TSensitivities& sensitivities) {
    if (!sensitivities.Refusal.empty())
        return sensitivities.Refusal;
    if (!sensitivities.Current.Converged())
        return "The run at the current values failed: " + sensitivities.Current.Message;
    return {};
}

namespace {

// An input's row from its runs below and above the current value.
TSensitivityRow RowOf(const TInputField& input, double value, const TRunOutputs& current,
                      const TRunOutcome& below, const TRunOutcome& above) {
    if (below.Converged() && above.Converged())
        return SensitivityRow(input, value, current, OutputsOf(*below.Snapshot),
                              OutputsOf(*above.Snapshot));
    TSensitivityRow row;
    row.Input = &input;
    row.Value = value;
    const TSensitivitySteps steps = SensitivitySteps(input, value);
    row.Step = steps.Step;
    row.Status = std::string(input.Name) + "=" +
                 NumberText(below.Converged() ? steps.Above : steps.Below, '.') + ": " +
                 (below.Converged() ? above : below).Message;
    return row;
}

} // namespace

std::size_t SensitivityRunCount() {
    // The current values, then one below and one above each input's.
    return 1 + 2 * EditableInputs().size();
}

TSensitivities RunSensitivities(const TFieldTexts& texts, const TRunOptions& options, int jobs,
                                const TSensitivityWatch& watch) {
    TSensitivities result;
    // The current values, then below and above each input's value.
    struct TPoint {
        const TInputField* Input;
        double Value;
    };
    std::vector<TPoint> points = {{nullptr, 0}};
    std::vector<double> values;
    for (const TInputField& input : EditableInputs()) {
        double value = 0;
        if (!TextToFloat(texts[static_cast<std::size_t>(input.Field)], options.DecimalSeparator,
                         value)) {
            result.Refusal = InputNotCorrectMessage;
            return result;
        }
        const TSensitivitySteps steps = SensitivitySteps(input, value);
        values.push_back(value);
        points.push_back({&input, steps.Below});
        points.push_back({&input, steps.Above});
    }
    // Each row is made as soon as its second run arrives; the runs come in
    // order, the current one first.
    std::optional<TRunOutputs> current;
    TRunOutcome below;
    RunInOrder<TRunOutcome>(
        points.size(), jobs,
        [&](TRun& run, std::size_t i) {
            TFieldTexts pointTexts = texts;
            if (points[i].Input != nullptr)
                pointTexts[static_cast<std::size_t>(points[i].Input->Field)] =
                    NumberText(points[i].Value, options.DecimalSeparator);
            return RunCalculation(run, pointTexts, options);
        },
        [&](TRunOutcome&& outcome, std::size_t i) {
            // A run stopped by the cancel, or done after it, is not the row's.
            if (options.Cancel != nullptr && *options.Cancel) {
                result.Cancelled = true;
                if (i == 0)
                    result.Current = std::move(outcome);
                return false;
            }
            if (watch.Progress)
                watch.Progress(i + 1, points.size());
            if (i == 0) {
                result.Current = std::move(outcome);
                if (!result.Current.Converged())
                    return false; // no row can be made
                current = OutputsOf(*result.Current.Snapshot);
            } else if (i % 2 == 1) {
                below = std::move(outcome);
            } else {
                const std::size_t k = i / 2 - 1;
                result.Rows.push_back(RowOf(*points[i].Input, values[k], *current, below, outcome));
                if (watch.Row)
                    watch.Row(result.Rows.back());
            }
            return true;
        });
    return result;
}

} // namespace ppspin
