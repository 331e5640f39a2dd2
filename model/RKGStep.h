#pragma once

#include "SpinDerivatives.h"

#include <cstdint>

namespace ppspin {

// One fourth-order Runge-Kutta-Gill step of n equations (0 .. MaxEquations)
// from position x over dx; y is updated in place. rhs(y, x, dy) gives the
// derivatives at state y and position x. Each stage's values are noted for
// explicit fault checks: an overflow there may end as a NaN.
template <typename RightHandSide>
void RKGStep(std::int32_t n, TStateVector& y, double x, double dx, RightHandSide&& rhs) {
    if (n > MaxEquations)
        n = MaxEquations;
    // Only the first n entries are written and read.
    TStateVector f, k, q;

    rhs(y, x, f);
    for (int j = 0; j < n; ++j) {
        k[j] = dx * f[j];
        y[j] = y[j] + 0.5 * k[j];
        q[j] = k[j];
        NoteResults(k[j], y[j]);
    }
    rhs(y, x + dx / 2, f);
    for (int j = 0; j < n; ++j) {
        k[j] = dx * f[j];
        y[j] = y[j] + 0.29289321881 * (k[j] - q[j]);
        q[j] = 0.12132034356 * q[j] + 0.58578643763 * k[j];
        NoteResults(k[j], y[j], q[j]);
    }
    rhs(y, x + dx / 2, f);
    for (int j = 0; j < n; ++j) {
        k[j] = dx * f[j];
        y[j] = y[j] + 1.7071067812 * (k[j] - q[j]);
        q[j] = -4.1213203436 * q[j] + 3.4142135624 * k[j];
        NoteResults(k[j], y[j], q[j]);
    }
    rhs(y, x + dx, f);
    for (int j = 0; j < n; ++j) {
        k[j] = dx * f[j];
        y[j] = y[j] + k[j] / 6 - q[j] / 3;
        NoteResults(k[j], y[j]);
    }
}

} // namespace ppspin
