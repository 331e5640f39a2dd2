#include "Fitting.h"

#include "Fit.h"
#include "Inputs.h"
#include "MeasuredPoints.h"
#include "NumberText.h"
#include "OffThread.h"

#include <pybind11/stl.h>

#include <atomic>

namespace ppspin::python {

namespace {

// The inputs vary names, by Python name, with their bounds.
TFitSetup SetupOf(const py::list& vary, const py::dict& bounds) {
    TFitSetup setup;
    for (const py::handle name : vary) {
        const std::string key = NameText(name);
        const TInputField* input = FindField(key);
        if (input == nullptr)
            throw py::type_error("fit() got an unknown input in vary: '" + key + "'");
        if (FindEditableInput(input->Name) == nullptr)
            throw py::value_error("fit() varies editable numeric inputs only, not '" + key + "'");
        setup.Inputs.push_back({input, std::nullopt});
    }
    for (const auto& [name, interval] : bounds) {
        const TInputField& input = KeywordField(name, "fit");
        const auto fitted = std::find_if(setup.Inputs.begin(), setup.Inputs.end(),
                                         [&](const TFitInput& f) { return f.Input == &input; });
        if (fitted == setup.Inputs.end())
            throw py::value_error("fit() got bounds for " + PythonName(input) +
                                  ", which vary does not name");
        fitted->Bounds = interval.cast<std::pair<double, double>>();
    }
    setup.InputName = [](const TInputField& input) { return PythonName(input); };
    return setup;
}

// Raises InputRefused when the setup cannot start from texts, naming the
// first input whose own setup is refused.
void CheckSetup(const TFieldTexts& texts, const TFitSetup& setup) {
    const std::string refusal = FitRefusal(texts, setup);
    if (refusal.empty())
        return;
    int field = -1;
    for (const TFitInput& input : setup.Inputs) {
        TFitSetup one = setup;
        one.Inputs = {input};
        if (!FitRefusal(texts, one).empty()) {
            field = input.Input->Field;
            break;
        }
    }
    RaiseRunError(TRunOutcomeKind::Refused, refusal, field);
}

// Fits the inputs vary names to the measured text's points; the fitted
// inputs, the comparisons before and after, the runs and the warnings.
py::dict FitInputs(const py::dict& inputs, const py::bytes& measured, const py::bytes& source,
                   const py::list& vary, const py::dict& bounds, int maxRuns, int jobs,
                   int maxTrials) {
    TFieldTexts texts = TextsOf(inputs, "fit");
    TFitSetup setup = SetupOf(vary, bounds);
    const TMeasuredData data = ReadMeasuredFor(texts, std::string_view(measured), source);
    CheckTexts(texts);
    CheckSetup(texts, setup);
    setup.MaxTrials = maxTrials;
    setup.MaxRuns = maxRuns;
    setup.Jobs = jobs;
    std::atomic<bool> cancel = false;
    setup.Cancel = &cancel;
    TFitResult fit;
    RunOffThread([&] { fit = FitMeasured(texts, data, setup); }, cancel);
    switch (fit.End) {
    case TFitEnd::Converged:
    case TFitEnd::RunLimit:
        break;
    case TFitEnd::Refused:
        // The texts and the setup passed above: the model refuses the
        // inputs as a whole, no one field.
        RaiseRunError(TRunOutcomeKind::Refused, fit.Message, -1);
    case TFitEnd::StartFailed:
    case TFitEnd::Failed:
    case TFitEnd::Cancelled:
        RaiseRunError(TRunOutcomeKind::Failed, fit.Message, -1);
    }
    py::list fitted;
    for (const TFittedInput& input : fit.Inputs) {
        texts[static_cast<std::size_t>(input.Input->Field)] = NumberText(input.Value, '.');
        fitted.append(
            py::make_tuple(PythonName(*input.Input), input.Value, input.StandardError, input.Text));
    }
    py::dict out;
    out["converged"] = fit.End == TFitEnd::Converged;
    out["message"] = fit.Message;
    out["fitted"] = fitted;
    out["inputs"] = TextsDict(texts);
    out["before"] = ComparisonDict(fit.Before);
    out["after"] = ComparisonDict(fit.After);
    out["runs"] = fit.Runs;
    out["failed_runs"] = fit.FailedRuns;
    out["warnings"] = fit.Warnings;
    out["covariance"] = fit.Covariance;
    return out;
}

} // namespace

void BindFit(py::module_& m) {
    m.def("fit", &FitInputs, py::arg("inputs"), py::arg("measured"), py::arg("source"),
          py::arg("vary"), py::arg("bounds"), py::arg("max_runs"), py::arg("jobs"),
          py::arg("max_trials"));
}

} // namespace ppspin::python
