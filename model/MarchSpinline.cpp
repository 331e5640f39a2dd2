#include "MarchSpinline.h"

#include "AirCondition.h"
#include "Constants.h"
#include "FloatingPoint.h"
#include "PPProperty.h"
#include "RKGStep.h"

#include <algorithm>
#include <cmath>

namespace ppspin {

void MarchSpinline(TRun& run) {
    const TRunInput& in = run.RunInput;
    TRunState& s = run.RunState;
    TSpinProfile& p = run.SpinProfile;
    TPointValues point{};
    const double w = s.W;
    const auto spinline = [&point, w](const TStateVector& y, double x, TStateVector& dy) {
        SpinDerivatives(point, w, y, x, dy);
    };
    // The viscosity law's scale depends on the run's inputs only.
    const double c = ViscosityScale(in.Eta0, in.Tref);

    p.F[1] = s.F0;
    // Never write beyond the tables, whatever NStep holds.
    const int steps = std::min(s.NStep, MaxPoints - 1);
    const double runaway = 1.2 * s.VLc;
    int last = 1;
    for (int i = 1; i <= steps; ++i) {
        const double a = AreaFactor * p.D[i] * p.D[i]; // cm2
        double ta = 0, h = 0;
        AirCondition(in, s, i, a, p.Z[i], p.V[i], ta, h);
        p.H[i] = h;
        p.TA[i] = ta;
        // Properties and air are those of the step's start point.
        point = {p.RHO[i], p.ETA[i], p.H[i], p.CP[i], ta};

        TStateVector y; // the first three entries are the state
        y[0] = p.V[i];
        y[1] = p.F[i];
        y[2] = p.T[i];
        RKGStep(3, y, p.Z[i], in.Dz, spinline);

        p.Z[i + 1] = p.Z[i] + in.Dz;
        p.V[i + 1] = y[0];
        p.F[i + 1] = y[1];
        p.T[i + 1] = y[2];
        // The properties at the new temperature. The diameter comes before
        // the viscosity's exponential: the next step's air values wait for
        // it, and a call holds back what follows it.
        p.RHO[i + 1] = PolymerDensity(p.T[i + 1]);
        p.CP[i + 1] = PolymerHeat(p.T[i + 1]);
        p.D[i + 1] = Sqrt(Quotient(4 * s.W, Pi * p.RHO[i + 1] * p.V[i + 1]));
        p.ETA[i + 1] = PolymerViscosity(p.T[i + 1], c);
        last = i + 1;
        CheckFloatingPointFaults(h, ta, p.V[i + 1], p.F[i + 1], p.T[i + 1], p.RHO[i + 1],
                                 p.CP[i + 1], p.D[i + 1], p.ETA[i + 1]);
        if (p.V[i + 1] > runaway)
            break;
    }
    s.Vend = p.V[last];
}

} // namespace ppspin
