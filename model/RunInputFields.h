// The operator's editable numeric inputs: which field holds each, where it
// lands in TRunInput, and how exports and tables name it.
#pragma once

#include "RunRecords.h"

namespace ppspin {

struct TRunInputField {
    int Edit;                  // EditN of the main window
    double TRunInput::*Value;  // where the converted text lands
    const char* Column;        // CSV column: ASCII, the unit after an underscore
    const char* Symbol;        // table heading, e.g. "VL"
    const char* Unit;          // e.g. "m/min"
};

// In the window's reading order.
inline constexpr TRunInputField EditableInputs[] = {
    {1, &TRunInput::D0, "D0_cm", "D0", "cm"},
    {3, &TRunInput::VL, "VL_m_min", "VL", "m/min"},
    {5, &TRunInput::Z1, "Z1_cm", "Z1", "cm"},
    {6, &TRunInput::Zone1A1, "zone1_A1_C_cm", "Zone 1 A1", "\u2103\u00b7cm"},
    {7, &TRunInput::Zone1A2, "zone1_A2_cm", "Zone 1 A2", "cm"},
    {8, &TRunInput::Zone1A3, "zone1_A3_C", "Zone 1 A3", "\u2103"},
    {9, &TRunInput::Va1, "Va1_cm_s", "Va1", "cm/s"},
    {10, &TRunInput::Z2, "Z2_cm", "Z2", "cm"},
    {11, &TRunInput::Zone2A1, "zone2_A1_C_cm", "Zone 2 A1", "\u2103\u00b7cm"},
    {12, &TRunInput::Zone2A2, "zone2_A2_cm", "Zone 2 A2", "cm"},
    {13, &TRunInput::Zone2A3, "zone2_A3_C", "Zone 2 A3", "\u2103"},
    {14, &TRunInput::Va2, "Va2_cm_s", "Va2", "cm/s"},
    {15, &TRunInput::Z3, "Z3_cm", "Z3", "cm"},
    {16, &TRunInput::Va3, "Va3_cm_s", "Va3", "cm/s"},
    {19, &TRunInput::Dz, "dz_cm", "\u0394z", "cm"},
};

} // namespace ppspin
