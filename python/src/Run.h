// One run from Python: its texts, its converged profile and what is read
// from it.
#pragma once

#include "FieldTexts.h"
#include "ProfileSnapshot.h"

#include <pybind11/pybind11.h>

namespace ppspin::python {

namespace py = pybind11;

// A converged run and the texts it was made from: ppspin.Run's core.
struct TConvergedRun {
    TFieldTexts Texts;
    TProfileSnapshot Profile;
};

// Runs texts in memory, without the GIL; raises the run's error when it
// does not converge.
TConvergedRun RunTexts(TFieldTexts texts, int maxTrials);

void BindRun(py::module_& m);

} // namespace ppspin::python
