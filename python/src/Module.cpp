// ppspin._core: the C++ core for the Python package ppspin, whose pure
// Python part gives it its API.
#include "Fitting.h"
#include "Inputs.h"
#include "MeasuredPoints.h"
#include "PpspinVersion.h"
#include "ProfileCsv.h"
#include "ReportCaseFile.h"
#include "Run.h"
#include "RunOutputs.h"
#include "Studies.h"
#include "Sweep.h"
#include "TextToFloat.h"

#include <string>

#ifdef PPSPIN_RUNS_ON_TBB
#include <oneapi/tbb/global_control.h>

#include <algorithm>
#endif

namespace ppspin::python {

namespace {

// The most threads a study's jobs= may ask for (checked_jobs, _study.py).
constexpr std::size_t MostJobs = 1024;

// The fields, in the window's order, with what docstrings say of them.
py::list Catalogue() {
    py::list fields;
    for (const TInputField& input : InputCatalogue()) {
        py::dict field;
        field["name"] = PythonName(input);
        field["default"] = DefaultText(input);
        field["editable"] = input.Editable;
        field["help"] = HelpText(input);
        fields.append(field);
    }
    return fields;
}

// The editable inputs' texts from the header of the report at path (as
// os.fsencode gives it), read as ppspin-cli --inputs-from reads it: OSError
// when it cannot be read, ValueError when it is no report.
py::dict ReadReport(const py::bytes& file) {
    const std::string path = file;
    TFieldTexts texts = DefaultFieldTexts('.');
    std::string message;
    TCaseRead read = TCaseRead::Read;
    {
        const py::gil_scoped_release release;
        read = ReadReportFile(path, '.', texts, message);
    }
    switch (read) {
    case TCaseRead::Read:
        break;
    case TCaseRead::Unreadable:
        PyErr_SetObject(PyExc_OSError, MessageText("Can not read report " + path).ptr());
        throw py::error_already_set();
    case TCaseRead::Refused:
        PyErr_SetObject(PyExc_ValueError, MessageText(path + ": " + message).ptr());
        throw py::error_already_set();
    }
    py::dict out;
    for (const TInputField& input : EditableInputs())
        out[py::str(PythonName(input))] = texts[static_cast<std::size_t>(input.Field)];
    return out;
}

// The numbers of texts by Python name, read as a run reads its fields;
// the report's name, and a text that is no number, as they are.
py::dict Values(const py::dict& texts) {
    py::dict out;
    for (const auto& [name, text] : texts) {
        const TInputField* input = FindField(NameText(name));
        double value = 0;
        if (input != nullptr && input->Value != nullptr &&
            TextToFloat(text.cast<std::string>(), '.', value))
            out[name] = value;
        else
            out[name] = text;
    }
    return out;
}

} // namespace

} // namespace ppspin::python

PYBIND11_MODULE(_core, m) {
    using namespace ppspin;
    using namespace ppspin::python;
#ifdef PPSPIN_RUNS_ON_TBB
    // A study runs on jobs= threads, which may be more than oneTBB allows a
    // process by default: it would then run fewer and warn on stderr. The
    // limit is process-wide, so it is set once, here, for the life of the
    // process, and studies from several Python threads all run under it.
    static const tbb::global_control threads(
        tbb::global_control::max_allowed_parallelism,
        std::max(MostJobs,
                 tbb::global_control::active_value(tbb::global_control::max_allowed_parallelism)));
#endif
    m.attr("__version__") = PpspinVersion;
    m.attr("MAX_TRIALS") = MaxTrials;
    m.attr("MOST_TRIALS") = MostTrials;
    m.attr("MAX_SWEEP_VALUES") = MaxSweepValues;
    m.attr("MAX_GRID_POINTS") = MaxGridCells;
    py::list outputs, profile;
    for (const TOutputColumn& column : OutputColumns)
        outputs.append(column.Name);
    for (const TProfileColumn& column : ProfileColumns)
        profile.append(column.Name);
    m.attr("OUTPUT_NAMES") = py::tuple(outputs);
    m.attr("PROFILE_COLUMNS") = py::tuple(profile);
    m.def("catalogue", &Catalogue);
    m.def("read_report", &ReadReport, py::arg("report"));
    m.def("values", &Values, py::arg("texts"));
    BindRun(m);
    BindStudies(m);
    BindMeasured(m);
    BindFit(m);
}
