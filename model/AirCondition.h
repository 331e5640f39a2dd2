#pragma once

#include "RunRecords.h"

#include <cstdint>

namespace ppspin {

// Air temperature ta (degC) and heat-transfer coefficient h (cal/(cm2 s degC))
// at grid point i (1-based) of area a (cm2), position z (cm), velocity v
// (cm/s), with the zone laws of in and the zone ends N1, N2 of s.
void AirCondition(const TRunInput& in, const TRunState& s, std::int32_t i, double a, double z,
                  double v, double& ta, double& h);

} // namespace ppspin
