#include "Run.h"

#include "FieldTexts.h"
#include "FileReplacement.h"
#include "Inputs.h"
#include "ProfileCsv.h"
#include "ProfileSnapshot.h"
#include "Report.h"
#include "RunCalculation.h"
#include "RunOutputs.h"

#include <pybind11/numpy.h>

#include <memory>

namespace ppspin::python {

TConvergedRun RunTexts(TFieldTexts texts, int maxTrials) {
    TRunOptions options;
    options.MaxTrials = maxTrials;
    TRunOutcome outcome;
    {
        const py::gil_scoped_release release;
        // One run context a thread, kept: a fresh one costs its point
        // tables' zeroing on every call.
        thread_local const std::unique_ptr<TRun> run = std::make_unique<TRun>();
        outcome = RunCalculation(*run, texts, options);
    }
    if (!outcome.Converged())
        RaiseRunError(outcome.Kind, outcome.Message, outcome.Field);
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

// The profile's columns as NumPy arrays, named as the CSV names them.
py::dict ProfileArrays(const TProfileSnapshot& profile) {
    const auto n = static_cast<py::ssize_t>(profile.Points.size());
    py::dict out;
    for (const TProfileColumn& column : ProfileColumns) {
        py::array_t<double> values(n);
        for (py::ssize_t k = 0; k < n; ++k)
            values.mutable_at(k) = profile.Points[static_cast<std::size_t>(k)].*column.Value;
        out[column.Name] = values;
    }
    return out;
}

// Writes the report whole or not at all; OSError when it cannot.
void WriteReport(const TProfileSnapshot& profile, const std::string& path) {
    bool written = false;
    {
        const py::gil_scoped_release release;
        written = ReplaceFileWith(path, ReportText(profile, '.'));
    }
    if (!written) {
        PyErr_SetObject(PyExc_OSError, py::str("Can not write report " + path).ptr());
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
             [](const TConvergedRun& r, const std::string& path) { WriteReport(r.Profile, path); });
    m.def("run", &RunInputs, py::arg("inputs"), py::arg("max_trials"));
}

} // namespace ppspin::python
