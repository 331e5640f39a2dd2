// One run from Python: its texts, its converged profile and what is read
// from it.
#pragma once

#include <pybind11/pybind11.h>

namespace ppspin::python {

namespace py = pybind11;

void BindRun(py::module_& m);

} // namespace ppspin::python
