#include "MeasuredPoints.h"

#include "Inputs.h"
#include "OffThread.h"
#include "OpenForReading.h"
#include "Run.h"

#include <pybind11/numpy.h>

#include <atomic>

#include <cstdint>
#include <vector>

namespace ppspin::python {

namespace {

[[noreturn]] void RaiseMeasuredRefused(const std::string& message) {
    Raise(PackageError("MeasuredRefused")("measured", MessageText(message)));
}

// The text of the measured file at path (as os.fsencode gives it), read
// as ppspin-cli --measured reads it, one byte beyond the reader's bound at
// most; OSError with its message when it cannot be read.
py::bytes ReadMeasuredText(const py::bytes& file) {
    const std::string path = file;
    std::string text;
    bool read = false;
    {
        const py::gil_scoped_release release;
        read = ReadFileHead(path, MaxMeasuredFileHead, text);
    }
    if (!read) {
        PyErr_SetObject(PyExc_OSError, MessageText(MeasuredUnreadable(path)).ptr());
        throw py::error_already_set();
    }
    return py::bytes(text);
}

template <typename T> py::array_t<T> Array(const std::vector<T>& values) {
    return py::array_t<T>(static_cast<py::ssize_t>(values.size()), values.data());
}

// A run of texts and its comparison with the measured text's points.
py::tuple CompareInputs(const py::dict& inputs, const py::bytes& measured,
                        const py::bytes& source, int maxTrials) {
    TFieldTexts texts = TextsOf(inputs, "compare");
    const TMeasuredData data = ReadMeasuredFor(texts, std::string_view(measured), source);
    TConvergedRun run = RunTexts(std::move(texts), maxTrials);
    const py::dict comparison = ComparisonDict(Compare(run.Profile, data));
    return py::make_tuple(std::move(run), comparison);
}

} // namespace

TMeasuredData ReadMeasuredFor(const TFieldTexts& texts, std::string_view text,
                              const std::string& source) {
    TMeasuredData data;
    std::string message;
    // Off the Python thread: 100,000 rows take a while, and Ctrl+C must
    // still be heard.
    std::atomic<bool> cancel = false;
    RunOffThread(
        [&] {
            if (ReadMeasured(text, data, message))
                message = MeasuredRangeRefusal(data, texts, '.');
        },
        cancel);
    if (!message.empty())
        RaiseMeasuredRefused(source + ": " + message);
    return data;
}

py::dict ComparisonDict(const TComparison& comparison) {
    py::list quantity;
    std::vector<std::int64_t> line;
    std::vector<double> z, measured, model, residual;
    py::dict rms;
    for (const TQuantityComparison& q : comparison) {
        const py::str name(q.Series->Column->Name);
        for (std::size_t k = 0; k < q.Residual.size(); ++k) {
            // A table of 100,000 points takes a while to build: Ctrl+C
            // is heard meanwhile.
            if (k % 16384 == 16383 && PyErr_CheckSignals() != 0)
                throw py::error_already_set();
            const TMeasuredPoint& point = q.Series->Points[k];
            quantity.append(name);
            line.push_back(point.Line);
            z.push_back(point.Z);
            measured.push_back(point.Value);
            model.push_back(q.Model[k]);
            residual.push_back(q.Residual[k]);
        }
        rms[name] = q.Rms;
    }
    py::dict out;
    out["quantity"] = quantity;
    out["line"] = Array(line);
    out["z_cm"] = Array(z);
    out["measured"] = Array(measured);
    out["model"] = Array(model);
    out["residual"] = Array(residual);
    out["rms"] = rms;
    return out;
}

void BindMeasured(py::module_& m) {
    m.attr("MAX_MEASURED_ROWS") = MaxMeasuredRows;
    m.def("read_measured", &ReadMeasuredText, py::arg("path"));
    m.def("compare", &CompareInputs, py::arg("inputs"), py::arg("measured"), py::arg("source"),
          py::arg("max_trials"));
}

} // namespace ppspin::python
