#pragma once

#include "Constants.h"
#include "Power.h"
#include "RunRecords.h"

#include <array>
#include <cstdint>

namespace ppspin {

// Room for up to ten equations; the spinline uses (v, F, T).
inline constexpr int MaxEquations = 10;
using TStateVector = std::array<double, MaxEquations>;

// Right-hand sides dv/dz, dF/dz, dT/dz at state y = (v cm/s, F dyn, T degC),
// with the current point values and throughput of s. x is unused. Inline:
// the march evaluates it four times a step, and a call costs as much as
// the arithmetic around the powers.
inline void SpinDerivatives(const TRunState& s, const TStateVector& y, double /*x*/,
                            TStateVector& dy) {
    const double v = y[0], f = y[1], t = y[2];
    const double rho = s.Rho, lambda = s.Lambda, h = s.H, cp = s.Cp, ta = s.Ta, w = s.W;

    // The powers first: each is a call that clobbers every floating-point
    // register, so the fewer values live across them the better.
    const double drag = Power(w / rho, 0.195), inertia = Power(v, 1.195);
    // The square root is the local filament diameter.
    const double diameter = Power(4 * w / (Pi * v * rho), 0.5);

    const double dvdz = rho * v * f / (lambda * w);
    // Tension grows with air drag and inertia, less gravity.
    const double dfdz = 0.000284 * drag * inertia + (dvdz - Gravity / v) * w;
    const double dtdz = Pi * diameter * h * (ta - t) / (w * cp);
    dy[0] = dvdz;
    dy[1] = dfdz;
    dy[2] = dtdz;
}

} // namespace ppspin
