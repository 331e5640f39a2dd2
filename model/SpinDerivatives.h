#pragma once

#include "Constants.h"
#include "Power.h"
#include <array>
#include <cstdint>

namespace ppspin {

// Room for up to ten equations; the spinline uses (v, F, T).
inline constexpr int MaxEquations = 10;
using TStateVector = std::array<double, MaxEquations>;

// The material and air values of a step's start point, held through the
// step: the properties are not re-evaluated at the intermediate states.
struct TPointValues {
    double Rho;    // density, g/cm3
    double Lambda; // elongational viscosity, poise
    double H;      // heat-transfer coefficient, cal/(cm2 s degC)
    double Cp;     // specific heat, cal/(g degC)
    double Ta;     // air temperature, degC
};

// Right-hand sides dv/dz, dF/dz, dT/dz at state y = (v cm/s, F dyn, T degC),
// with the point values of the step's start and the throughput w (g/s). x
// is unused. Inline: the march evaluates it four times a step, and a call
// costs as much as the arithmetic around the powers.
inline void SpinDerivatives(const TPointValues& point, double w, const TStateVector& y,
                            double /*x*/, TStateVector& dy) {
    const double v = y[0], f = y[1], t = y[2];
    const double rho = point.Rho, lambda = point.Lambda, h = point.H, cp = point.Cp, ta = point.Ta;

    // The powers first: each is a call that clobbers every floating-point
    // register, so the fewer values live across them the better.
    const double drag = Power(Quotient(w, rho), 0.195), inertia = Power(v, 1.195);
    // The square root is the local filament diameter.
    const double diameter = Power(Quotient(4 * w, Pi * v * rho), 0.5);

    const double dvdz = Quotient(rho * v * f, lambda * w);
    // Tension grows with air drag and inertia, and as the filament is
    // drawn, less gravity.
    const double dragAndInertia = 0.000284 * drag * inertia;
    const double drawLessGravity = (dvdz - Quotient(Gravity, v)) * w;
    const double dfdz = dragAndInertia + drawLessGravity;
    const double dtdz = Quotient(Pi * diameter * h * (ta - t), w * cp);
    NoteResults(dragAndInertia, drawLessGravity, dvdz, dfdz, dtdz);
    dy[0] = dvdz;
    dy[1] = dfdz;
    dy[2] = dtdz;
}

} // namespace ppspin
