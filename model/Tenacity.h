#pragma once

namespace ppspin {

// Tension f (dyn) in grams-force per denier of a filament spun at output
// q (g/min) and running at speed vm (m/min): denier is grams per 9000 m.
inline double Tenacity(double f, double q, double vm) {
    return 0.00101972 * f / (q * 9000 / vm);
}

} // namespace ppspin
