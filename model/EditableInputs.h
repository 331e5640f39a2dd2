// The inputs an operator can change: the window's editable numeric fields,
// where each lands in TRunInput, and how ppspin-cli's options, studies,
// goal seeking, exports and tables name it.
#pragma once

#include "RunRecords.h"

#include <string_view>

namespace ppspin {

// Where an input's checks let it go.
enum class TInputDomain {
    Positive,    // > 0
    NonNegative, // >= 0 (air velocities)
    Free,        // any value (air-law coefficients)
};

struct TEditableInput {
    const char* Name;         // ppspin-cli's option name without the leading "--"
    int Field;                // index of its text among the field texts (Edit1 is 0)
    double TRunInput::*Value; // where the converted text lands
    const char* Help;         // quantity and unit
    const char* Label;        // short, for axes and charts (UTF-8)
    const char* Column;       // CSV column: ASCII, the unit after an underscore
    const char* Symbol;       // table heading, e.g. "VL"
    const char* Unit;         // e.g. "m/min"
    TInputDomain Domain;
};

// In the window's order.
inline constexpr TEditableInput EditableInputs[] = {
    {"hole-diameter", 0, &TRunInput::D0, "Spinneret hole diameter D0 (cm)", "Hole diameter D0 (cm)",
     "D0_cm", "D0", "cm", TInputDomain::Positive},
    {"take-up-speed", 2, &TRunInput::VL, "Take-up speed VL (m/min)", "Take-up speed VL (m/min)",
     "VL_m_min", "VL", "m/min", TInputDomain::Positive},
    {"zone1-end", 4, &TRunInput::Z1, "End position of zone 1 (cm)", "Zone 1 end Z1 (cm)", "Z1_cm",
     "Z1", "cm", TInputDomain::Positive},
    {"zone1-a1", 5, &TRunInput::Zone1A1,
     "Zone-1 air temperature A1 in Tair = A1/(Z + A2) + A3 (degC cm)",
     "Zone 1 air law A1 (\u00b0C\u00b7cm)", "zone1_A1_C_cm", "Zone 1 A1", "\u2103\u00b7cm",
     TInputDomain::Free},
    {"zone1-a2", 6, &TRunInput::Zone1A2, "Zone-1 air temperature A2 (cm)", "Zone 1 air law A2 (cm)",
     "zone1_A2_cm", "Zone 1 A2", "cm", TInputDomain::Free},
    {"zone1-a3", 7, &TRunInput::Zone1A3, "Zone-1 air temperature A3 (degC)",
     "Zone 1 air law A3 (\u00b0C)", "zone1_A3_C", "Zone 1 A3", "\u2103", TInputDomain::Free},
    {"zone1-air-velocity", 8, &TRunInput::Va1, "Zone-1 cross-air velocity (cm/s)",
     "Zone 1 air velocity (cm/s)", "Va1_cm_s", "Va1", "cm/s", TInputDomain::NonNegative},
    {"zone2-end", 9, &TRunInput::Z2, "End position of zone 2 (cm)", "Zone 2 end Z2 (cm)", "Z2_cm",
     "Z2", "cm", TInputDomain::Positive},
    {"zone2-a1", 10, &TRunInput::Zone2A1, "Zone-2 air temperature A1, zone 3 uses it too (degC cm)",
     "Zone 2 air law A1 (\u00b0C\u00b7cm)", "zone2_A1_C_cm", "Zone 2 A1", "\u2103\u00b7cm",
     TInputDomain::Free},
    {"zone2-a2", 11, &TRunInput::Zone2A2, "Zone-2 air temperature A2 (cm)",
     "Zone 2 air law A2 (cm)", "zone2_A2_cm", "Zone 2 A2", "cm", TInputDomain::Free},
    {"zone2-a3", 12, &TRunInput::Zone2A3, "Zone-2 air temperature A3 (degC)",
     "Zone 2 air law A3 (\u00b0C)", "zone2_A3_C", "Zone 2 A3", "\u2103", TInputDomain::Free},
    {"zone2-air-velocity", 13, &TRunInput::Va2, "Zone-2 cross-air velocity (cm/s)",
     "Zone 2 air velocity (cm/s)", "Va2_cm_s", "Va2", "cm/s", TInputDomain::NonNegative},
    {"zone3-end", 14, &TRunInput::Z3, "End position of zone 3, the end of the spinline (cm)",
     "Zone 3 end Z3 (cm)", "Z3_cm", "Z3", "cm", TInputDomain::Positive},
    {"zone3-air-velocity", 15, &TRunInput::Va3, "Zone-3 cross-air velocity (cm/s)",
     "Zone 3 air velocity (cm/s)", "Va3_cm_s", "Va3", "cm/s", TInputDomain::NonNegative},
    {"increment", 18, &TRunInput::Dz, "Integration increment (cm)", "Increment \u0394z (cm)",
     "dz_cm", "\u0394z", "cm", TInputDomain::Positive},
};

// The input of that name, or nullptr.
inline const TEditableInput* FindEditableInput(std::string_view name) {
    for (const TEditableInput& input : EditableInputs)
        if (name == input.Name)
            return &input;
    return nullptr;
}

} // namespace ppspin
