#include "Run.h"

#include "FieldTexts.h"
#include "FileReplacement.h"
#include "Inputs.h"
#include "OffThread.h"
#include "ProfileCsv.h"
#include "ProfileSnapshot.h"
#include "Report.h"
#include "RunCalculation.h"
#include "RunOutputs.h"
#include "RunState.h"

#include <pybind11/numpy.h>

#include <atomic>
#include <memory>

namespace ppspin::python {

TConvergedRun RunTexts(TFieldTexts texts, int maxTrials) {
    // One run context a Python thread, kept: a fresh one costs its point
    // tables' zeroing on every call. The run is made off this thread, which
    // meanwhile waits on it, so that Ctrl+C stops even one of a million
    // trials; no other run uses the context then.
    thread_local const std::unique_ptr<TRun> context = std::make_unique<TRun>();
    TRun& run = *context; // the work's thread would see a thread_local of its own
    std::atomic<bool> cancel = false;
    TRunOptions options;
    options.MaxTrials = maxTrials;
    options.Cancel = &cancel;
    TRunOutcome outcome;
    RunOffThread([&] { outcome = RunCalculation(run, texts, options); }, cancel);
    if (!outcome.Converged())
        RaiseRunError(outcome.Kind, outcome.Message, outcome.Field, &texts, maxTrials);
    return {std::move(texts), std::move(*outcome.Snapshot)};
}

namespace {

TConvergedRun RunInputs(const py::dict& inputs, int maxTrials) {
    return RunTexts(TextsOf(inputs, "run"), maxTrials);
}

// The summary's seven outputs by column name; None where there is none.
py::dict OutputsDict(const TProfileSnapshot& profile) {
    const TRunOutputs outputs = OutputsOf(profile);
    py::dict out;
    for (const TOutputColumn& column : OutputColumns) {
        const std::optional<double> value = column.Of(outputs);
        out[column.Name] = value ? py::object(py::float_(*value)) : py::none();
    }
    return out;
}

// The profile's columns as read-only NumPy arrays, named as the CSV names
// them: a run's arrays are kept, and an edit would change the run.
py::dict ProfileArrays(const TProfileSnapshot& profile) {
    const auto n = static_cast<py::ssize_t>(profile.Points.size());
    py::dict out;
    for (const TProfileColumn& column : ProfileColumns) {
        py::array_t<double> values(n);
        for (py::ssize_t k = 0; k < n; ++k)
            values.mutable_at(k) = profile.Points[static_cast<std::size_t>(k)].*column.Value;
        values.attr("setflags")(py::arg("write") = false);
        out[column.Name] = values;
    }
    return out;
}

// Writes the report whole or not at all; OSError when it cannot. The path
// comes as os.fsencode gives it.
void WriteReport(const TProfileSnapshot& profile, const py::bytes& file) {
    const std::string path = file;
    bool written = false;
    {
        const py::gil_scoped_release release;
        written = ReplaceFileWith(path, ReportText(profile, '.'));
    }
    if (!written) {
        PyErr_SetObject(PyExc_OSError, MessageText("Can not write report " + path).ptr());
        throw py::error_already_set();
    }
}

} // namespace

void BindRun(py::module_& m) {
    py::class_<TConvergedRun>(m, "ConvergedRun")
        .def_property_readonly("trials", [](const TConvergedRun& r) { return r.Profile.Trials; })
        .def_property_readonly("inputs", [](const TConvergedRun& r) { return TextsDict(r.Texts); })
        .def_property_readonly("outputs",
                               [](const TConvergedRun& r) { return OutputsDict(r.Profile); })
        .def_property_readonly("profile",
                               [](const TConvergedRun& r) { return ProfileArrays(r.Profile); })
        .def("report", [](const TConvergedRun& r) { return py::bytes(ReportText(r.Profile, '.')); })
        .def("write_report",
             [](const TConvergedRun& r, const py::bytes& path) { WriteReport(r.Profile, path); })
        .def("same", &SameRun)
        .def(py::pickle(&RunState, &RunOfState));
    m.def("run", &RunInputs, py::arg("inputs"), py::arg("max_trials"));
}

} // namespace ppspin::python
