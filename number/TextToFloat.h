#pragma once

#include <string_view>

namespace ppspin {

// Converts a field text: leading spaces, sign, digits, separator, digits,
// exponent, trailing spaces. Returns false when the text does not convert;
// value is then left as it was.
bool TextToFloat(std::string_view text, char separator, double& value);

} // namespace ppspin
