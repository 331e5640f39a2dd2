#pragma once

#include "Power.h"
#include "RunRecords.h"

#include <cstdint>

namespace ppspin {

// Air temperature ta (degC) and heat-transfer coefficient h (cal/(cm2 s degC))
// at grid point i (1-based) of area a (cm2), position z (cm), velocity v
// (cm/s), with the zone laws of in and the zone ends N1, N2 of s. Inline:
// the march evaluates it every step.
inline void AirCondition(const TRunInput& in, const TRunState& s, std::int32_t i, double a,
                         double z, double v, double& ta, double& h) {
    // Zone selection goes by point index, not position: point N1 already
    // belongs to zone 2 and point N2 to zone 3, which reuses zone 2's law.
    double a1, a2, a3, va;
    if (i < s.N1) {
        a1 = in.Zone1A1, a2 = in.Zone1A2, a3 = in.Zone1A3, va = in.Va1;
    } else if (i < s.N2) {
        a1 = in.Zone2A1, a2 = in.Zone2A2, a3 = in.Zone2A3, va = in.Va2;
    } else {
        a1 = in.Zone2A1, a2 = in.Zone2A2, a3 = in.Zone2A3, va = in.Va3;
    }
    ta = Quotient(a1, z + a2) + a3;
    const double cross = Quotient(8 * va, v);
    h = 0.000137 * Power(Quotient(v, a), 0.259);
    // Without cross-air the second factor is exactly 1 (exp(0.167 ln 1)):
    // multiplying by it changes nothing, and computing it raises no fault.
    if (cross != 0)
        h = h * Power(1 + cross * cross, 0.167);
}

} // namespace ppspin
