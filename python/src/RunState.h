// A converged run as a picklable state, so that a run travels to and from
// a Dask worker (or through copy.deepcopy) as it is, without running again.
#pragma once

#include "Run.h"

namespace ppspin::python {

// (texts, input values, trials, spinneret tension, freeze position or
// None, the profile's points as the doubles' bytes).
py::tuple RunState(const TConvergedRun& run);

// The run of such a state; ValueError for one of another shape.
TConvergedRun RunOfState(const py::tuple& state);

// Whether two runs hold the same texts and the same numbers, bit for bit.
bool SameRun(const TConvergedRun& a, const TConvergedRun& b);

} // namespace ppspin::python
