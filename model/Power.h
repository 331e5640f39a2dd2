#pragma once

#include "FloatingPoint.h"

namespace ppspin {

// b^e for a non-integer exponent, taken through the logarithm so that a
// non-positive base raises a floating-point fault instead of passing.
inline double Power(double base, double exponent) {
    return Exp(exponent * Log(base));
}

} // namespace ppspin
