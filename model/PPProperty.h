// Built-in material correlations for polypropylene.
#pragma once

#include "Constants.h"

#include <cmath>

namespace ppspin {

// The scale of the viscosity law, C = 3 eta0 / exp(4400 / (tref + 273))
// (poise), for a zero-shear viscosity eta0 (poise) at the reference
// temperature tref (degC). A constant of the run.
inline double ViscosityScale(double eta0, double tref) {
    return 3.0 * eta0 / std::exp(4400 / (tref + 273));
}

// PPProperty for a scale c already known: what the march evaluates after
// every step.
inline void PPPropertyScaled(double t, double c, double& rho, double& cp, double& lambda) {
    rho = 0.862 - 0.00055 * t;
    cp = 0.54 + 0.0008 * t;
    // Below 130 degC the melt follows a steeper activation law.
    if (t >= FreezeTemperature)
        lambda = c * std::exp(4400 / (t + 273));
    else
        lambda = 0.000132 * c * std::exp(8000 / (t + 273));
}

// Density rho (g/cm3), specific heat cp (cal/(g degC)) and elongational
// viscosity lambda (poise) at temperature t (degC), for a zero-shear
// viscosity eta0 (poise) at the reference temperature tref (degC).
inline void PPProperty(double t, double eta0, double tref, double& rho, double& cp,
                       double& lambda) {
    PPPropertyScaled(t, ViscosityScale(eta0, tref), rho, cp, lambda);
}

// Die-swell ratio at the apparent wall shear rate gammaW (1/s).
inline double DieSwell(double /*gammaW*/) {
    return 1.0;
}

} // namespace ppspin
