// The report's number formats.
#pragma once

#include <string>

namespace ppspin {

// Fixed-point text of x with precision p (2 .. 18 significant digits) and d
// decimals, with the given decimal separator; scientific form when the
// integer part needs more than p digits.
std::string Fixed(double x, int p, int d, char separator);

// Fixed(x, w, d) filled on the left with spaces to w characters; a longer
// text is left as it is (the column widens).
std::string FormatColumn(int w, int d, double x, char separator);

} // namespace ppspin
