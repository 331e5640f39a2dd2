#include "AirCondition.h"

#include "Power.h"

namespace ppspin {

void AirCondition(const TRunInput& in, const TRunState& s, std::int32_t i, double a, double z,
                  double v, double& ta, double& h) {
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
    ta = a1 / (z + a2) + a3;
    const double cross = 8 * va / v;
    h = 0.000137 * Power(v / a, 0.259) * Power(1 + cross * cross, 0.167);
}

} // namespace ppspin
