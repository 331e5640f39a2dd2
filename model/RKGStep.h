#pragma once

#include "SpinDerivatives.h"

#include <cstdint>

namespace ppspin {

// One fourth-order Runge-Kutta-Gill step of n equations (0 .. MaxEquations)
// from position x over dx; y is updated in place.
void RKGStep(std::int32_t n, TStateVector& y, double x, double dx);

} // namespace ppspin
