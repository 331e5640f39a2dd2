#include "SetUpRun.h"

#include "Constants.h"
#include "FloatingPoint.h"
#include "PPProperty.h"
#include "RunError.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace ppspin {

namespace {

// Zone boundaries only take part in comparisons with point indices, so an
// index beyond the int range means the same as the largest int.
std::int32_t ZoneIndex(double n) {
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    if (std::isnan(n))
        throw RunError(TRunErrorKind::FloatingPoint, "Invalid floating point operation");
    return static_cast<std::int32_t>(n > hi ? hi : (n < lo ? lo : n));
}

} // namespace

double GridPoint(double z, double dz) {
    // nearbyint under round-to-nearest takes a tie to the even integer.
    return std::nearbyint(Quotient(z + 0.0001, dz)) + 1;
}

double WallShearRate(double w, double rho, double d0) {
    const double r = d0 / 2;
    return Quotient(Quotient(4 * w, rho), r * Pi * r * r);
}

void SetUpRun(TRun& run) {
    ClearFloatingPointFaults();
    const TRunInput& in = run.RunInput;
    TRunState& s = run.RunState;
    TSpinProfile& p = run.SpinProfile;

    s.VLc = in.VL * 100 / 60;
    s.W = in.Q / 60;
    const double n1 = GridPoint(in.Z1, in.Dz);
    const double n2 = GridPoint(in.Z2, in.Dz);
    const double n3 = GridPoint(in.Z3, in.Dz);
    CheckFloatingPointFaults(s.VLc, s.W, n1, n2, n3);
    // The tables hold MaxPoints points, and a spinline needs one step at least.
    if (!(n3 <= MaxPoints))
        throw RunError(TRunErrorKind::Refused, IncrementTooSmallMessage);
    if (n3 < 2)
        throw RunError(TRunErrorKind::Refused, ZoneEndTooSmallMessage);
    s.N1 = ZoneIndex(n1);
    s.N2 = ZoneIndex(n2);
    s.N3 = static_cast<std::int32_t>(n3);
    s.NStep = s.N3 - 1;

    p.T[1] = in.T0;
    double rho = 0, cp = 0, lambda = 0;
    PPProperty(p.T[1], in.Eta0, in.Tref, rho, cp, lambda);
    const double swell = DieSwell(WallShearRate(s.W, rho, in.D0));
    p.D[1] = swell * in.D0;
    p.RHO[1] = rho;
    p.CP[1] = cp;
    p.ETA[1] = lambda;
    const double a = AreaFactor * p.D[1] * p.D[1]; // cm2
    p.V[1] = Quotient(Quotient(s.W, p.RHO[1]), a);
    p.Z[1] = 0;

    s.TrialCount = 1;
    s.Ehi = -1.0;
    s.Elo = +1.0;
    s.F0 = 25.0;
    s.DF = s.F0 / 10;
    s.Converged = false;
    CheckFloatingPointFaults(p.D[1], p.RHO[1], p.CP[1], p.ETA[1], p.V[1]);
}

} // namespace ppspin
