// The window's editable fields as command-line options.
#pragma once

#include <string_view>

namespace ppspin::cli {

struct TFieldOption {
    const char* Name; // option name without the leading "--"
    int Field;        // index into TFieldTexts (Edit1 is 0)
    const char* Help; // quantity and unit
};

// Editable numeric fields, in the window's order.
inline constexpr TFieldOption FieldOptions[] = {
    {"hole-diameter", 0, "Spinneret hole diameter D0 (cm)"},
    {"take-up-speed", 2, "Take-up speed VL (m/min)"},
    {"zone1-end", 4, "End position of zone 1 (cm)"},
    {"zone1-a1", 5, "Zone-1 air temperature A1 in Tair = A1/(Z + A2) + A3 (degC cm)"},
    {"zone1-a2", 6, "Zone-1 air temperature A2 (cm)"},
    {"zone1-a3", 7, "Zone-1 air temperature A3 (degC)"},
    {"zone1-air-velocity", 8, "Zone-1 cross-air velocity (cm/s)"},
    {"zone2-end", 9, "End position of zone 2 (cm)"},
    {"zone2-a1", 10, "Zone-2 air temperature A1, zone 3 uses it too (degC cm)"},
    {"zone2-a2", 11, "Zone-2 air temperature A2 (cm)"},
    {"zone2-a3", 12, "Zone-2 air temperature A3 (degC)"},
    {"zone2-air-velocity", 13, "Zone-2 cross-air velocity (cm/s)"},
    {"zone3-end", 14, "End position of zone 3, the end of the spinline (cm)"},
    {"zone3-air-velocity", 15, "Zone-3 cross-air velocity (cm/s)"},
    {"increment", 18, "Integration increment (cm)"},
};

// The option of that name, or nullptr.
inline const TFieldOption* FindFieldOption(std::string_view name) {
    for (const TFieldOption& o : FieldOptions)
        if (name == o.Name)
            return &o;
    return nullptr;
}

} // namespace ppspin::cli
