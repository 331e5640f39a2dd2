#pragma once

#include "CheckInputs.h"
#include "FieldTexts.h"
#include "RunRecords.h"

namespace ppspin {

// The input each numeric field holds: Edit1 .. Edit19 in order.
inline constexpr double TRunInput::*NumericFields[FileNameField] = {
    &TRunInput::D0,      &TRunInput::Q,       &TRunInput::VL,      &TRunInput::T0,  &TRunInput::Z1,
    &TRunInput::Zone1A1, &TRunInput::Zone1A2, &TRunInput::Zone1A3, &TRunInput::Va1, &TRunInput::Z2,
    &TRunInput::Zone2A1, &TRunInput::Zone2A2, &TRunInput::Zone2A3, &TRunInput::Va2, &TRunInput::Z3,
    &TRunInput::Va3,     &TRunInput::Eta0,    &TRunInput::Tref,    &TRunInput::Dz};

// Converts the texts into in, reading numbers with separator, and checks
// them; touches no file. Returns the first refusal, or an empty one.
TRefusal ConvertInputs(const TFieldTexts& texts, char separator, TRunInput& in);

} // namespace ppspin
