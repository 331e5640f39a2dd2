#include "CloseBracket.h"

#include <boost/math/tools/toms748_solve.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ppspin {

TClosedBracket CloseBracket(const std::function<double(double)>& f, double lo, double hi,
                            double fLo, double fHi, double relativeTolerance, int maxSteps) {
    // Never finer than the smallest normal number: about zero, a tolerance
    // relative to the ends alone would ask for ends that are equal.
    const double floor = std::numeric_limits<double>::min() / relativeTolerance;
    const auto close = [&](double a, double b) {
        return std::fabs(b - a) <=
               relativeTolerance * std::max({std::fabs(a), std::fabs(b), floor});
    };
    const auto limit = static_cast<std::uintmax_t>(maxSteps);
    std::uintmax_t steps = limit;
    const auto [a, b] = boost::math::tools::toms748_solve(f, lo, hi, fLo, fHi, close, steps);
    // The solver says how many evaluations it made, not why it stopped: all
    // of them with the ends still apart is running out. A zero found makes
    // the ends one.
    return {a, b, steps < limit || close(a, b)};
}

} // namespace ppspin
