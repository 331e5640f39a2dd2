// Built-in material correlations for polypropylene.
#pragma once

#include "Constants.h"
#include "FloatingPoint.h"

namespace ppspin {

// The scale of the viscosity law, C = 3 eta0 / exp(4400 / (tref + 273))
// (poise), for a zero-shear viscosity eta0 (poise) at the reference
// temperature tref (degC). A constant of the run.
inline double ViscosityScale(double eta0, double tref) {
    return Quotient(3.0 * eta0, Exp(Quotient(4400, tref + 273)));
}

// Density (g/cm3) and specific heat (cal/(g degC)) at temperature t (degC).
inline double PolymerDensity(double t) {
    return 0.862 - 0.00055 * t;
}
inline double PolymerHeat(double t) {
    return 0.54 + 0.0008 * t;
}

// Elongational viscosity (poise) at temperature t (degC) for the law's
// scale c.
inline double PolymerViscosity(double t, double c) {
    // Below 130 degC the melt follows a steeper activation law.
    if (t >= FreezeTemperature)
        return c * Exp(Quotient(4400, t + 273));
    return 0.000132 * c * Exp(Quotient(8000, t + 273));
}

// Density rho (g/cm3), specific heat cp (cal/(g degC)) and elongational
// viscosity lambda (poise) at temperature t (degC), for a zero-shear
// viscosity eta0 (poise) at the reference temperature tref (degC).
inline void PPProperty(double t, double eta0, double tref, double& rho, double& cp,
                       double& lambda) {
    rho = PolymerDensity(t);
    cp = PolymerHeat(t);
    lambda = PolymerViscosity(t, ViscosityScale(eta0, tref));
}

// Die-swell ratio at the apparent wall shear rate gammaW (1/s).
inline double DieSwell(double /*gammaW*/) {
    return 1.0;
}

} // namespace ppspin
