#include "ProfileSnapshot.h"

#include "Constants.h"
#include "Tenacity.h"

#include <algorithm>

namespace ppspin {

TProfilePoint ProfilePoint(const TRun& run, int k) {
    const TRunInput& in = run.RunInput;
    const TSpinProfile& p = run.SpinProfile;
    const double vm = p.V[k] * 60 / 100;
    return {p.Z[k],
            vm,
            p.F[k],
            p.T[k],
            p.D[k],
            p.D[k] * 1e4,
            p.TA[k],
            p.H[k],
            Tenacity(p.F[k], in.Q, vm),
            Tenacity(p.F[k], in.Q, in.VL)};
}

TProfileSnapshot TakeProfileSnapshot(TRun& run) {
    const TRunState& s = run.RunState;
    TSpinProfile& p = run.SpinProfile;
    for (int k = 1; k <= s.N3 && k <= MaxPoints; ++k)
        p.VM[k] = p.V[k] * 60 / 100; // m/min
    TProfileSnapshot snap;
    snap.Input = run.RunInput;
    snap.Trials = s.TrialCount;
    snap.F0 = s.F0;
    snap.Points.reserve(static_cast<std::size_t>(std::max(0, s.N3)));
    for (int k = 1; k <= s.N3 && k <= MaxPoints; ++k)
        snap.Points.push_back(ProfilePoint(run, k));
    snap.ZFreeze = FreezePosition(snap.Points, FreezeTemperature);
    return snap;
}

std::optional<double> FreezePosition(const std::vector<TProfilePoint>& points, double freezeT) {
    for (std::size_t k = 1; k < points.size(); ++k) {
        if (points[k].T < freezeT && points[k - 1].T >= freezeT) {
            const double share = (points[k - 1].T - freezeT) / (points[k - 1].T - points[k].T);
            return points[k - 1].Z + share * (points[k].Z - points[k - 1].Z);
        }
    }
    return std::nullopt;
}

} // namespace ppspin
