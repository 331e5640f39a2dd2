#include "Sensitivity.h"

#include "CheckInputs.h"
#include "OrderedRuns.h"
#include "Sweep.h"
#include "TextToFloat.h"

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

TSensitivities RunSensitivities(const TFieldTexts& texts, const TRunOptions& options, int jobs) {
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
    TRunOptions inMemory = options;
    inMemory.WriteReport = false;
    std::vector<TRunOutcome> outcomes(points.size());
    RunInOrder<TRunOutcome>(
        points.size(), jobs,
        [&](TRun& run, std::size_t i) {
            TFieldTexts pointTexts = texts;
            if (points[i].Input != nullptr)
                pointTexts[static_cast<std::size_t>(points[i].Input->Field)] =
                    NumberText(points[i].Value, options.DecimalSeparator);
            return RunCalculation(run, pointTexts, inMemory);
        },
        [&](TRunOutcome&& outcome, std::size_t i) {
            outcomes[i] = std::move(outcome);
            return true;
        });
    result.Current = std::move(outcomes[0]);
    if (!result.Current.Converged())
        return result;

    const TRunOutputs current = OutputsOf(*result.Current.Snapshot);
    for (std::size_t k = 0; k < values.size(); ++k) {
        const TInputField& input = *points[2 * k + 1].Input;
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
        result.Rows.push_back(std::move(row));
    }
    return result;
}

} // namespace ppspin
