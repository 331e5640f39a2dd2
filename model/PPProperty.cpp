#include "PPProperty.h"

#include "Constants.h"

#include <cmath>

namespace ppspin {

void PPProperty(double t, double eta0, double tref, double& rho, double& cp, double& lambda) {
    rho = 0.862 - 0.00055 * t;
    cp = 0.54 + 0.0008 * t;
    const double c = 3.0 * eta0 / std::exp(4400 / (tref + 273));
    // Below 130 degC the melt follows a steeper activation law.
    if (t >= FreezeTemperature)
        lambda = c * std::exp(4400 / (t + 273));
    else
        lambda = 0.000132 * c * std::exp(8000 / (t + 273));
}

double DieSwell(double /*gammaW*/) {
    return 1.0;
}

} // namespace ppspin
