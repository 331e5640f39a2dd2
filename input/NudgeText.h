#pragma once

#include "InputCatalogue.h"

#include <optional>
#include <string>
#include <string_view>

namespace ppspin {

// Steps a number text by steps units of its mantissa's last digit, keeping
// how it is written: "3500.0" +1 gives "3500.1", "9.9" +1 "10.0", "0.0" -1
// "-0.1", "1e-2" +1 "2e-2"; the decimals, the separator, an exponent and
// surrounding spaces stay as typed. Nothing when the text, or what stepping
// makes of it, does not convert as TextToFloat reads it, or when steps is 0
// or beyond MaxNudgeSteps either way.
//
// A text within domain stays within it: a step that would cross zero, or
// reach it where zero is refused, stops at the last digit's smallest value
// the domain takes ("0.004" -10 gives "0.001" for a positive input, "0.0"
// for a non-negative one), and nothing when the text is there already.
inline constexpr int MaxNudgeSteps = 1000000;
std::optional<std::string> NudgeText(std::string_view text, char separator, int steps,
                                     TInputDomain domain = TInputDomain::Free);

} // namespace ppspin
