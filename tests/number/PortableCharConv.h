// The number module's primitives as a build without the standard library's
// floating-point to_chars and from_chars has them (number/CharConvPortable.cpp).
#pragma once

#include <string>
#include <string_view>

namespace ppspin::portable {

std::string Shortest(double x);
std::string Decimal(double x, int decimals);
std::string Scientific(double x, int decimals);
std::string General(double x, int digits);
int Read(std::string_view text, double& value); // as TNumberRead

} // namespace ppspin::portable
