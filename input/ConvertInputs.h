#pragma once

#include "CheckInputs.h"
#include "FieldTexts.h"
#include "RunRecords.h"

namespace ppspin {

// Converts the texts into in, reading numbers with separator, and checks
// them; touches no file. Returns the first refusal, or an empty one.
TRefusal ConvertInputs(const TFieldTexts& texts, char separator, TRunInput& in);

} // namespace ppspin
