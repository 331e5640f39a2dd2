// The result report: number formatting and the two writers of the file.
#pragma once

#include <string>

namespace ppspin {

// Decimal separator of the report and of the input fields: the first
// character of the user's locale decimal symbol, set once at start-up.
extern char DecimalSeparator;

// Fixed-point text of x with precision p (2 .. 18 significant digits) and d
// decimals; scientific form when the integer part needs more than p digits.
std::string Fixed(double x, int p, int d);

// Fixed(x, w, d) filled on the left with spaces to w characters; a longer
// text is left as it is (the column widens).
std::string FormatColumn(int w, int d, double x);

// Tension f (dyn) in grams-force per denier of a filament spun at output
// q (g/min) and running at speed vm (m/min).
double Tenacity(double f, double q, double vm);

// Creates or empties the file named RunInput.FileName and writes the 45
// header lines. Returns false, having written nothing, when the file cannot
// be created; throws RunError when a write fails after the file was created.
bool WriteReportHeader();

// The report row of point k; stores VM(k) on the way.
std::string ResultRow(int k);

// Shown by the caller when WriteResultRows cannot reopen the report.
inline constexpr const char* CanNotWriteResultMessage = "Can not write result to file";

// Appends one row per grid point and two empty lines to the existing report,
// storing VM on the way. Returns false, having written nothing, when the file
// cannot be reopened; throws RunError when a write fails.
bool WriteResultRows();

} // namespace ppspin
