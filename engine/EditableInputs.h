// The inputs an operator can change: the window's editable numeric fields,
// as ppspin-cli's options and the inputs of studies and goal seeking.
#pragma once

#include <string_view>

namespace ppspin {

// Where an input's checks let it go.
enum class TInputDomain {
    Positive,    // > 0
    NonNegative, // >= 0 (air velocities)
    Free,        // any value (air-law coefficients)
};

struct TEditableInput {
    const char* Name;  // ppspin-cli's option name without the leading "--"
    int Field;         // index into TFieldTexts (Edit1 is 0)
    const char* Help;  // quantity and unit
    const char* Label; // short, for axes and charts (UTF-8)
    TInputDomain Domain;
};

// In the window's order.
inline constexpr TEditableInput EditableInputs[] = {
    {"hole-diameter", 0, "Spinneret hole diameter D0 (cm)", "Hole diameter D0 (cm)",
     TInputDomain::Positive},
    {"take-up-speed", 2, "Take-up speed VL (m/min)", "Take-up speed VL (m/min)",
     TInputDomain::Positive},
    {"zone1-end", 4, "End position of zone 1 (cm)", "Zone 1 end Z1 (cm)", TInputDomain::Positive},
    {"zone1-a1", 5, "Zone-1 air temperature A1 in Tair = A1/(Z + A2) + A3 (degC cm)",
     "Zone 1 air law A1 (\u00b0C\u00b7cm)", TInputDomain::Free},
    {"zone1-a2", 6, "Zone-1 air temperature A2 (cm)", "Zone 1 air law A2 (cm)", TInputDomain::Free},
    {"zone1-a3", 7, "Zone-1 air temperature A3 (degC)", "Zone 1 air law A3 (\u00b0C)",
     TInputDomain::Free},
    {"zone1-air-velocity", 8, "Zone-1 cross-air velocity (cm/s)", "Zone 1 air velocity (cm/s)",
     TInputDomain::NonNegative},
    {"zone2-end", 9, "End position of zone 2 (cm)", "Zone 2 end Z2 (cm)", TInputDomain::Positive},
    {"zone2-a1", 10, "Zone-2 air temperature A1, zone 3 uses it too (degC cm)",
     "Zone 2 air law A1 (\u00b0C\u00b7cm)", TInputDomain::Free},
    {"zone2-a2", 11, "Zone-2 air temperature A2 (cm)", "Zone 2 air law A2 (cm)",
     TInputDomain::Free},
    {"zone2-a3", 12, "Zone-2 air temperature A3 (degC)", "Zone 2 air law A3 (\u00b0C)",
     TInputDomain::Free},
    {"zone2-air-velocity", 13, "Zone-2 cross-air velocity (cm/s)", "Zone 2 air velocity (cm/s)",
     TInputDomain::NonNegative},
    {"zone3-end", 14, "End position of zone 3, the end of the spinline (cm)", "Zone 3 end Z3 (cm)",
     TInputDomain::Positive},
    {"zone3-air-velocity", 15, "Zone-3 cross-air velocity (cm/s)", "Zone 3 air velocity (cm/s)",
     TInputDomain::NonNegative},
    {"increment", 18, "Integration increment (cm)", "Increment \u0394z (cm)",
     TInputDomain::Positive},
};

// The input of that name, or nullptr.
inline const TEditableInput* FindEditableInput(std::string_view name) {
    for (const TEditableInput& input : EditableInputs)
        if (name == input.Name)
            return &input;
    return nullptr;
}

} // namespace ppspin
