#include "ChartAxes.h"

#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace ppspin {

double NiceStep(double span, int intervals) {
    if (!(span > 0) || !std::isfinite(span) || intervals < 1)
        return 1.0;
    const double raw = span / intervals;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * magnitude >= raw * 0.999)
            return m * magnitude;
    }
    return 10.0 * magnitude;
}

void SetNiceRange(QValueAxis& axis, double lo, double hi, int intervals, double pad) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi) {
        lo = 0.0;
        hi = 1.0;
    }
    if (hi - lo <= std::max(std::abs(lo), std::abs(hi)) * 1e-9) {
        // A flat line sits in the middle of a visible band.
        const double band = lo == 0.0 ? 1.0 : std::abs(lo) * 0.1;
        lo -= band;
        hi += band;
    }
    const double step = NiceStep(hi - lo, intervals);
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    if (pad > 0) {
        const double margin = (hi - lo) * pad;
        SetSteppedRange(axis, lo - margin, hi + margin, step, decimals);
        axis.setTickAnchor(std::ceil((lo - margin) / step) * step);
        return;
    }
    // Tolerate rounding so that a value just above a whole step adds no step.
    const double first = std::floor(lo / step + 1e-9) * step;
    const double last = std::ceil(hi / step - 1e-9) * step;
    SetSteppedRange(axis, first, last, step, decimals);
}

void SetSteppedRange(QValueAxis& axis, double lo, double hi, double step, int decimals) {
    // Range and step change one at a time, and each change lays the ticks
    // out: a wide range with the old small step would make thousands.
    axis.setTickType(QValueAxis::TicksFixed);
    axis.setRange(lo, hi);
    axis.setTickAnchor(lo);
    axis.setTickInterval(step);
    axis.setTickType(QValueAxis::TicksDynamic);
    axis.setLabelFormat(QStringLiteral("%.") + QString::number(decimals) + QStringLiteral("f"));
}

} // namespace ppspin
