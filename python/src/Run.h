// One run from Python: its texts, its converged profile and what is read
// from it.
#pragma once

#include "FieldTexts.h"
#include "ProfileSnapshot.h"

#include <pybind11/pybind11.h>

#include <string>

namespace ppspin::python {

namespace py = pybind11;

struct TConvergedRun {
    TFieldTexts Texts;
    TProfileSnapshot Profile;
};

// Runs the keywords' texts in memory, without the GIL; raises the run's
// error when it does not converge.
TConvergedRun RunInputs(const py::dict& inputs, int maxTrials);

// The summary's seven outputs by column name; None where there is none.
py::dict OutputsDict(const TProfileSnapshot& profile);

// The profile's columns as NumPy arrays, named as the CSV names them.
py::dict ProfileArrays(const TProfileSnapshot& profile);

// Writes the report whole or not at all; OSError when it cannot.
void WriteReport(const TProfileSnapshot& profile, const std::string& path);

void BindRun(py::module_& m);

} // namespace ppspin::python
