// Measured points from Python: a file's or a frame's CSV text read as
// ppspin-cli reads --measured, and a run's comparison with them.
#pragma once

#include "FieldTexts.h"
#include "Measured.h"

#include <pybind11/pybind11.h>

#include <string>
#include <string_view>

namespace ppspin::python {

namespace py = pybind11;

// Reads the CSV text of source (a path as os.fsencode gives it, or
// "DataFrame") and checks that its
// points lie on the spinline of texts; MeasuredRefused, its message naming
// source and line, when they cannot be read or do not.
TMeasuredData ReadMeasuredFor(const TFieldTexts& texts, std::string_view text,
                              const std::string& source);

// A comparison's columns, a row per measured point (quantity, line, z_cm,
// measured, model, residual), and its rms by quantity.
py::dict ComparisonDict(const TComparison& comparison);

void BindMeasured(py::module_& m);

} // namespace ppspin::python
