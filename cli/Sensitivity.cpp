#include "Sensitivity.h"

#include "Sweep.h"

namespace ppspin::cli {

TSensitivitySteps SensitivitySteps(const TEditableInput& input, double value) {
    if (value != 0)
        return {value * 0.99, value * 1.01, "1%"};
    if (input.Domain == TInputDomain::Free)
        return {-1, 1, "+-1"};
    return {0, 1, "+1"};
}

TSensitivityRow SensitivityRow(const TEditableInput& input, double value,
                               const TRunOutputs& current, const TRunOutputs& below,
                               const TRunOutputs& above) {
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

} // namespace ppspin::cli
