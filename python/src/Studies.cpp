#include "Studies.h"

#include "GoalSeek.h"
#include "InputSets.h"
#include "Inputs.h"
#include "NumberText.h"
#include "OffThread.h"
#include "Sensitivity.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace ppspin::python {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TRunOptions OptionsOf(int maxTrials, const std::atomic<bool>& cancel) {
    TRunOptions options;
    options.MaxTrials = maxTrials;
    options.Cancel = &cancel;
    return options;
}

// The texts of one column of sets: numbers of a float array converted in
// one pass, any other sequence value by value.
void AppendColumn(TInputSets& sets, std::size_t j, const TInputField& input,
                  const py::handle values) {
    const std::size_t width = sets.Fields.size();
    const auto put = [&](std::size_t k, std::string text) {
        CheckFixed(input, text);
        sets.Values[k * width + j] = std::move(text);
    };
    if (py::isinstance<py::array_t<double>>(values)) {
        const auto numbers = py::reinterpret_borrow<py::array_t<double>>(values).unchecked<1>();
        if (static_cast<std::size_t>(numbers.shape(0)) != sets.Count)
            throw py::value_error(PythonName(input) + ": expected " + std::to_string(sets.Count) +
                                  " values");
        for (std::size_t k = 0; k < sets.Count; ++k)
            put(k, NumberText(numbers(static_cast<py::ssize_t>(k)), '.'));
        return;
    }
    const py::sequence sequence = py::reinterpret_borrow<py::sequence>(values);
    if (sequence.size() != sets.Count)
        throw py::value_error(PythonName(input) + ": expected " + std::to_string(sets.Count) +
                              " values");
    for (std::size_t k = 0; k < sets.Count; ++k)
        put(k, FieldText(input, sequence[k]));
}

// Runs count sets: the keywords' texts shared, each column's (name, values)
// set by set. Returns the rows' status, whether each converged, its trials
// and its outputs, one row of the summary's columns each.
py::dict StudySets(const py::dict& shared, const py::list& columns, std::size_t count, int jobs,
                   int maxTrials, const std::optional<py::function>& progress) {
    TInputSets sets;
    sets.Texts = TextsOf(shared, "study");
    sets.Count = count;
    std::vector<const TInputField*> inputs;
    for (const py::handle column : columns)
        inputs.push_back(&KeywordField(column[py::int_(0)], "study"));
    for (const TInputField* input : inputs)
        sets.Fields.push_back(input->Field);
    sets.Values.resize(count * inputs.size());
    for (std::size_t j = 0; j < inputs.size(); ++j)
        AppendColumn(sets, j, *inputs[j], columns[j][py::int_(1)]);

    std::vector<TSweepRow> rows;
    rows.reserve(count);
    std::atomic<bool> cancel = false;
    std::atomic<std::size_t> done = 0;
    std::size_t told = 0;
    const auto tell = [&] {
        const std::size_t now = done;
        if (now != told)
            (*progress)(now, count);
        told = now;
    };
    RunOffThread(
        [&] {
            RunInputSets(sets, OptionsOf(maxTrials, cancel), jobs,
                         [&](TSweepRow&& row, std::size_t) {
                             rows.push_back(std::move(row));
                             ++done;
                             return !cancel;
                         });
        },
        cancel, progress ? std::function<void()>(tell) : std::function<void()>());
    // The end is told whatever the ticks caught, an empty study's too.
    if (progress && (told != count || count == 0))
        (*progress)(count, count);

    py::list status;
    py::array_t<bool> ok(static_cast<py::ssize_t>(count));
    py::array_t<std::int64_t> trials(static_cast<py::ssize_t>(count));
    py::array_t<double> outputs(
        {static_cast<py::ssize_t>(count), static_cast<py::ssize_t>(OutputCount)});
    auto okAt = ok.mutable_unchecked<1>();
    auto trialsAt = trials.mutable_unchecked<1>();
    auto outputsAt = outputs.mutable_unchecked<2>();
    for (py::ssize_t k = 0; k < static_cast<py::ssize_t>(count); ++k) {
        const TSweepRow& row = rows[static_cast<std::size_t>(k)];
        status.append(row.Status);
        okAt(k) = row.Ok();
        trialsAt(k) = row.Ok() ? row.Outputs.Trials : 0;
        for (std::size_t c = 0; c < OutputCount; ++c) {
            const std::optional<double> value =
                row.Ok() ? OutputColumns[c].Of(row.Outputs) : std::nullopt;
            outputsAt(k, static_cast<py::ssize_t>(c)) = value.value_or(NaN);
        }
    }
    py::dict out;
    out["status"] = status;
    out["ok"] = ok;
    out["trials"] = trials;
    out["outputs"] = outputs;
    return out;
}

// The values of input for which output takes target, nearest first, as
// (value, output, text) tuples.
py::list Solve(const py::dict& inputs, py::handle inputArg, py::handle outputArg, double target,
               std::optional<std::pair<double, double>> bracket, int jobs, int maxTrials) {
    const std::string inputName = NameText(inputArg);
    const std::string outputName = NameText(outputArg);
    TGoal goal;
    const TInputField* input = FindField(inputName);
    goal.Input = input != nullptr ? FindEditableInput(input->Name) : nullptr;
    if (goal.Input == nullptr)
        throw py::value_error("Unknown input to solve for: '" + inputName + "'");
    goal.Output = FindOutputColumn(outputName);
    if (goal.Output == nullptr)
        throw py::value_error("Unknown output to solve for: '" + outputName + "'");
    if (bracket && !(bracket->first < bracket->second))
        throw py::value_error("bracket: expected (lo, hi) with lo below hi");
    const TFieldTexts texts = TextsOf(inputs, "solve");
    CheckTexts(texts);
    goal.Target = target;
    goal.Bracket = bracket;
    goal.MaxTrials = maxTrials;
    goal.Jobs = jobs;
    std::atomic<bool> cancel = false;
    goal.Cancel = &cancel;
    TGoalSeekResult result;
    RunOffThread([&] { result = GoalSeek(texts, goal); }, cancel);
    switch (result.End) {
    case TGoalSeekEnd::Found:
        break;
    case TGoalSeekEnd::Refused:
        // Every text converted and passed its check above: what is left is
        // the model refusing the inputs as a whole, no one field.
        RaiseRunError(TRunOutcomeKind::Refused, result.Message, -1);
    case TGoalSeekEnd::NoBracket: {
        const py::object error = py::module_::import("ppspin._errors").attr("NoSolution");
        PyErr_SetObject(error.ptr(), py::str(result.Message).ptr());
        throw py::error_already_set();
    }
    case TGoalSeekEnd::RunFailed:
    case TGoalSeekEnd::Cancelled:
        RaiseRunError(TRunOutcomeKind::Failed, result.Message, -1);
    }
    py::list solutions;
    for (const TGoalSolution& s : result.Solutions)
        solutions.append(py::make_tuple(s.Value, s.Output, s.Text));
    return solutions;
}

// The sensitivity table's columns: input, value, step, status, then one
// array of elasticities per output.
py::dict Sensitivities(const py::dict& inputs, int jobs, int maxTrials) {
    const TFieldTexts texts = TextsOf(inputs, "sensitivity");
    CheckTexts(texts);
    std::atomic<bool> cancel = false;
    TSensitivities result;
    RunOffThread([&] { result = RunSensitivities(texts, OptionsOf(maxTrials, cancel), jobs); },
                 cancel);
    if (!result.Refusal.empty())
        RaiseRunError(TRunOutcomeKind::Refused, result.Refusal, -1);
    if (!result.Current.Converged())
        RaiseRunError(result.Current.Kind, result.Current.Message, result.Current.Field, &texts,
                      maxTrials);
    py::list input, value, step, status;
    std::vector<std::vector<double>> elasticities(OutputCount);
    for (const TSensitivityRow& row : result.Rows) {
        input.append(PythonName(*row.Input));
        value.append(row.Value);
        step.append(row.Step);
        status.append(row.Status);
        for (std::size_t c = 0; c < OutputCount; ++c)
            elasticities[c].push_back(row.Elasticity[c].value_or(NaN));
    }
    py::dict out;
    out["input"] = input;
    out["value"] = value;
    out["step"] = step;
    out["status"] = status;
    for (std::size_t c = 0; c < OutputCount; ++c)
        out[OutputColumns[c].Name] = py::array_t<double>(
            static_cast<py::ssize_t>(elasticities[c].size()), elasticities[c].data());
    return out;
}

} // namespace

void BindStudies(py::module_& m) {
    m.def("study_sets", &StudySets, py::arg("shared"), py::arg("columns"), py::arg("count"),
          py::arg("jobs"), py::arg("max_trials"), py::arg("progress"));
    m.def("solve", &Solve, py::arg("inputs"), py::arg("input"), py::arg("output"),
          py::arg("target"), py::arg("bracket"), py::arg("jobs"), py::arg("max_trials"));
    m.def("sensitivity", &Sensitivities, py::arg("inputs"), py::arg("jobs"), py::arg("max_trials"));
}

} // namespace ppspin::python
