#pragma once

#include <cstdint>

namespace ppspin {

// Air temperature ta (degC) and heat-transfer coefficient h (cal/(cm2 s degC))
// at grid point i (1-based) of area a (cm2), position z (cm), velocity v (cm/s).
void AirCondition(std::int32_t i, double a, double z, double v, double& ta, double& h);

} // namespace ppspin
