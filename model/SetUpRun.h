#pragma once

#include "RunRecords.h"

namespace ppspin {

// Refusals of a grid that does not fit the point tables, or has no step.
inline constexpr const char* IncrementTooSmallMessage =
    "Value of Increment is too small for 3rd Zone End Position";
inline constexpr const char* ZoneEndTooSmallMessage =
    "Value of 3rd Zone End Position is too small for Increment";

// Derives the run state, the zone grid, the spinneret point and the
// shooting's start values from the run's inputs. Throws RunError for a grid
// that does not fit the tables or has no step, and for a floating-point fault.
void SetUpRun(TRun& run);

// Index of the grid point nearest to position z for increment dz:
// round-half-even((z + 0.0001) / dz) + 1, as a real (not yet range-checked).
double GridPoint(double z, double dz);

// Apparent wall shear rate (1/s) in a hole of diameter d0 (cm) for a mass
// throughput w (g/s) of density rho (g/cm3): 4 (w / rho) / (pi R^3).
double WallShearRate(double w, double rho, double d0);

} // namespace ppspin
