// Axis ranges on round numbers, with labels carrying just enough decimals.
#pragma once

class QValueAxis;

namespace ppspin {

// A step of 1, 2 or 5 times a power of ten that divides span into about
// `intervals` parts.
double NiceStep(double span, int intervals);

// Sets the range [lo, hi] with a tick every step from lo, labelled with
// decimals places.
void SetSteppedRange(QValueAxis& axis, double lo, double hi, double step, int decimals);

// Ticks at round steps over [lo, hi], labelled with the decimals the step
// needs. Without padding the range widens to whole steps; with it, the
// range reaches pad times the span beyond the data, so that point markers
// at the ends are drawn whole. An empty or flat range still gets a span.
void SetNiceRange(QValueAxis& axis, double lo, double hi, int intervals = 5, double pad = 0);

} // namespace ppspin
