// Numbers as text: every conversion between a number and its decimal text
// in ppspin goes through this module, so that no locale ever reaches the
// digits (the window's toolkit sets the C library's locale from the
// environment) and a platform without the standard library's floating-point
// to_chars and from_chars replaces one file, CharConv.cpp. The report's
// own format is in Fixed.h, the field reader in TextToFloat.h.
#pragma once

#include <string>
#include <string_view>

namespace ppspin {

// Writing, with "." unless a separator is given; the binary value is
// rounded to nearest, a tie to even.

// Appends the shortest text that reads back as x.
void AppendShortest(std::string& out, double x);
// The shortest text that reads back as value, with separator.
std::string NumberText(double value, char separator);
// x rounded to decimals places, never with an exponent: "2639.6407".
std::string DecimalText(double x, int decimals);
// x as d.ddd…e±xx with decimals digits after the point.
std::string ScientificText(double x, int decimals);
// x rounded to digits significant digits, with an exponent only where it is
// shorter ("1e+06"), trailing zeros dropped.
std::string GeneralText(double x, int digits, char separator);
// x to so many significant digits (1 .. 17), in plain decimals with
// separator and without trailing zeros: 2639.6354 to 6 digits is "2639.64",
// to 3 digits "2640"; never "-0".
std::string SignificantText(double x, int digits, char separator);
// x rounded to digits significant digits.
double RoundToSignificant(double x, int digits);

// Reading

enum class TNumberRead { Ok, OutOfRange, NotANumber };

// Reads the whole of text as a number in the C form: an optional "-",
// digits with "." and an exponent, or inf and nan; no "+", no spaces.
// value is set only when Ok.
TNumberRead ReadDouble(std::string_view text, double& value);
// Reads the whole of text as decimal digits, "-" first for a signed value;
// false, value unset, when it is not one or out of range.
bool ReadInteger(std::string_view text, int& value);
bool ReadInteger(std::string_view text, unsigned long& value);

} // namespace ppspin
