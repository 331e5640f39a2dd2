// The studies from Python: input sets (sweeps, grids and frames), goal
// seeking and sensitivities, each run off the Python thread so that Ctrl+C
// stops it.
#pragma once

#include <pybind11/pybind11.h>

namespace ppspin::python {

namespace py = pybind11;

void BindStudies(py::module_& m);

} // namespace ppspin::python
