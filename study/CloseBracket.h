// Closing a bracket: where a function changes sign between two values, the
// two nearest values about it that a tolerance tells apart, by TOMS 748.
#pragma once

#include <functional>

namespace ppspin {

struct TClosedBracket {
    double Lo = 0, Hi = 0; // the last bracket, Lo <= Hi; equal where f is zero
    // False when the steps ran out first: the bracket may still be wide.
    bool Closed = false;
};

// Narrows [lo, hi], about which f changes sign (fLo and fHi its values at
// the ends), until the ends are within relativeTolerance of each other or f
// is zero at one, in at most maxSteps evaluations of f. What f throws
// passes through.
TClosedBracket CloseBracket(const std::function<double(double)>& f, double lo, double hi,
                            double fLo, double fHi, double relativeTolerance, int maxSteps);

} // namespace ppspin
