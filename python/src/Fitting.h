// Fitting inputs to measured points from Python, off the Python thread so
// that Ctrl+C cancels the fit.
#pragma once

#include <pybind11/pybind11.h>

namespace ppspin::python {

namespace py = pybind11;

void BindFit(py::module_& m);

} // namespace ppspin::python
