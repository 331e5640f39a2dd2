// Built-in material correlations for polypropylene.
#pragma once

namespace ppspin {

// Density rho (g/cm3), specific heat cp (cal/(g degC)) and elongational
// viscosity lambda (poise) at temperature t (degC), for a zero-shear
// viscosity eta0 (poise) at the reference temperature tref (degC).
void PPProperty(double t, double eta0, double tref, double& rho, double& cp, double& lambda);

// Die-swell ratio at the apparent wall shear rate gammaW (1/s).
double DieSwell(double gammaW);

} // namespace ppspin
