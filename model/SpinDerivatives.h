#pragma once

#include "RunRecords.h"

#include <array>
#include <cstdint>

namespace ppspin {

// Room for up to ten equations; the spinline uses (v, F, T).
inline constexpr int MaxEquations = 10;
using TStateVector = std::array<double, MaxEquations>;

// Right-hand sides dv/dz, dF/dz, dT/dz at state y = (v cm/s, F dyn, T degC),
// with the current point values and throughput of s. x is unused.
void SpinDerivatives(const TRunState& s, TStateVector y, double x, TStateVector& dy);

} // namespace ppspin
