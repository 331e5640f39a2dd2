#include "AdjustTension.h"

#include "AirCondition.h"
#include "Constants.h"
#include "FloatingPoint.h"
#include "MarchSpinline.h"
#include "RunError.h"

#include <cmath>

namespace ppspin {

void AdjustTension(TRun& run) {
    TRunState& s = run.RunState;
    TSpinProfile& p = run.SpinProfile;

    const double e = s.Vend - s.VLc; // cm/s
    if (std::fabs(Quotient(e, s.VLc)) < 0.001) {
        s.Converged = true;
        // The march leaves the last point without air values. They take the
        // area of point N3 - 1, where the last step started, as the march
        // formed it, not the area of point N3 itself.
        const int last = s.N3 - 1;
        const double a = AreaFactor * p.D[last] * p.D[last]; // cm2
        double ta = 0, h = 0;
        AirCondition(run.RunInput, s, s.N3, a, p.Z[s.N3], p.V[s.N3], ta, h);
        p.H[s.N3] = h;
        p.TA[s.N3] = ta;
        NoteResults(h, ta);
    } else {
        double fNew;
        if (e > 0) {
            s.Ehi = e;
            s.Fhi = s.F0;
            fNew = s.F0 - s.DF;
        } else {
            s.Elo = e;
            s.Flo = s.F0;
            fNew = s.F0 + s.DF;
        }
        // Once trials on both sides exist, the secant through them replaces
        // the step. The errors' product may overflow, a fault as any other.
        const double sides = s.Elo * s.Ehi;
        NoteResults(sides);
        if (sides < 0) {
            const double slope = Quotient(s.Ehi - s.Elo, s.Fhi - s.Flo);
            const double b = s.Ehi - slope * s.Fhi;
            fNew = Quotient(-b, slope);
        }
        s.F0 = fNew;
        s.TrialCount = s.TrialCount + 1;
        NoteResults(fNew);
    }
    CheckFloatingPointFaults();
}

void RunTrials(TRun& run, int maxTrials, const std::atomic<bool>* cancel) {
    for (int trial = 1; trial <= maxTrials; ++trial) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed))
            throw RunError(TRunErrorKind::Cancelled, "Calculation was cancelled");
        MarchSpinline(run);
        AdjustTension(run);
        if (run.RunState.Converged)
            return;
    }
    throw RunError(TRunErrorKind::NotConverged, "Calculation did not converge");
}

} // namespace ppspin
