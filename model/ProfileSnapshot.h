// A copy of a converged run in report units, for exports, charts and studies.
#pragma once

#include "RunRecords.h"

#include <optional>
#include <vector>

namespace ppspin {

struct TProfilePoint {
    double Z;     // cm
    double VM;    // m/min
    double F;     // dyn
    double T;     // degC
    double D;     // cm
    double DUm;   // the same diameter in um
    double TA;    // degC
    double H;     // cal/(cm2 s degC)
    double TenRe; // g/den at the local speed
    double TenAp; // g/den at the take-up speed
};

struct TProfileSnapshot {
    TRunInput Input;
    int Trials = 0;
    double F0 = 0;                     // converged spinneret tension, dyn
    std::vector<TProfilePoint> Points; // points 1 .. N3
    // Where the filament first cools below the freeze temperature, linear
    // between the grid points around it; none while it stays molten.
    std::optional<double> ZFreeze; // cm
};

// Point k of the run's profile in report units.
TProfilePoint ProfilePoint(const TRun& run, int k);

// Stores VM of every grid point, the velocity in the report's unit, then
// copies points 1 .. N3 of the run's converged profile.
TProfileSnapshot TakeProfileSnapshot(TRun& run);

// Position where the temperature of points first falls below freezeT,
// interpolated linearly between the grid points around it.
std::optional<double> FreezePosition(const std::vector<TProfilePoint>& points, double freezeT);

} // namespace ppspin
