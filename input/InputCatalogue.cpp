#include "InputCatalogue.h"

#include <algorithm>
#include <array>

namespace ppspin {

namespace {

using D = TInputDomain;

// "\x81\x8E" is the degree-Celsius sign in the Shift-JIS bytes the report
// is written in; the other texts are UTF-8.
constexpr std::array<TInputField, CatalogueSize> Catalogue = {{
    {0, "Edit1", &TRunInput::D0, "0.025", true, D::Positive, 1,
     "Value of Hole Diameter is not correct", "    Hole Diameter                        (cm) =  ",
     6, 4, "hole-diameter", "Spinneret hole diameter D0 (cm)", "Hole Diameter",
     "Hole Diameter (cm)", "Hole diameter D0 (cm)", "D0_cm", "D0", "cm"},
    {1, "Edit2", &TRunInput::Q, "0.7", false, D::Positive, 2, "Value of Output is not correct",
     "    Output                            (g/min) =  ", 5, 3, "throughput",
     "Polymer output, the mass throughput Q (g/min)", "Output", "Output (g/min)",
     "Output Q (g/min)", "Q_g_min", "Q", "g/min"},
    {2, "Edit3", &TRunInput::VL, "3500.0", true, D::Positive, 3,
     "Value of Take-up Speed is not correct", "    Take-up Speed                     (m/min) =  ",
     6, 1, "take-up-speed", "Take-up speed VL (m/min)", "Take-up Speed", "Take-up Speed (m/min)",
     "Take-up speed VL (m/min)", "VL_m_min", "VL", "m/min"},
    {3, "Edit4", &TRunInput::T0, "190.0", false, D::Positive, 4,
     "Value of Polymer Melt Temperature is not correct",
     "    Polymer Melt Temperature             (\x81\x8E) =  ", 5, 1, "melt-temperature",
     "Polymer melt temperature T0 (degC)", "Polymer Melt Temperature",
     "Polymer Melt Temperature (\u2103)", "Melt temperature T0 (\u00b0C)", "T0_C", "T0", "\u2103"},
    {4, "Edit5", &TRunInput::Z1, "10.0", true, D::Positive, 5,
     "Value of 1st Zone End Position is not correct",
     "    Zone End Position                    (cm) =  ", 5, 1, "zone1-end",
     "End position of zone 1 (cm)", "1st Zone End Position", "Zone End Positon (cm)",
     "Zone 1 end Z1 (cm)", "Z1_cm", "Z1", "cm"},
    {5, "Edit6", &TRunInput::Zone1A1, "245700.0", true, D::Free, 0, nullptr,
     "        A1                                    =  ", 10, 2, "zone1-a1",
     "Zone-1 air temperature A1 in Tair = A1/(Z + A2) + A3 (degC cm)", "1st Zone A1", nullptr,
     "Zone 1 air law A1 (\u00b0C\u00b7cm)", "zone1_A1_C_cm", "Zone 1 A1", "\u2103\u00b7cm"},
    {6, "Edit7", &TRunInput::Zone1A2, "130.0", true, D::Free, 0, nullptr,
     "        A2                                    =  ", 9, 4, "zone1-a2",
     "Zone-1 air temperature A2 (cm)", "1st Zone A2", nullptr, "Zone 1 air law A2 (cm)",
     "zone1_A2_cm", "Zone 1 A2", "cm"},
    {7, "Edit8", &TRunInput::Zone1A3, "-1710.0", true, D::Free, 0, nullptr,
     "        A3                                    =  ", 9, 2, "zone1-a3",
     "Zone-1 air temperature A3 (degC)", "1st Zone A3", nullptr, "Zone 1 air law A3 (\u00b0C)",
     "zone1_A3_C", "Zone 1 A3", "\u2103"},
    {8, "Edit9", &TRunInput::Va1, "0.0", true, D::NonNegative, 8,
     "Value of 1st Zone Air Velocity is not correct",
     "    Air Velocity                       (cm/s) =  ", 5, 1, "zone1-air-velocity",
     "Zone-1 cross-air velocity (cm/s)", "1st Zone Air Velocity", "Air Velocity (cm/s)",
     "Zone 1 air velocity (cm/s)", "Va1_cm_s", "Va1", "cm/s"},
    {9, "Edit10", &TRunInput::Z2, "35.0", true, D::Positive, 6,
     "Value of 2nd Zone End Position is not correct",
     "    Zone End Position                    (cm) =  ", 5, 1, "zone2-end",
     "End position of zone 2 (cm)", "2nd Zone End Position", "Zone End Positon (cm)",
     "Zone 2 end Z2 (cm)", "Z2_cm", "Z2", "cm"},
    {10, "Edit11", &TRunInput::Zone2A1, "34.1", true, D::Free, 0, nullptr,
     "        A1                                    =  ", 10, 2, "zone2-a1",
     "Zone-2 air temperature A1, zone 3 uses it too (degC cm)", "2nd Zone A1", nullptr,
     "Zone 2 air law A1 (\u00b0C\u00b7cm)", "zone2_A1_C_cm", "Zone 2 A1", "\u2103\u00b7cm"},
    {11, "Edit12", &TRunInput::Zone2A2, "-8.636", true, D::Free, 0, nullptr,
     "        A2                                    =  ", 9, 4, "zone2-a2",
     "Zone-2 air temperature A2 (cm)", "2nd Zone A2", nullptr, "Zone 2 air law A2 (cm)",
     "zone2_A2_cm", "Zone 2 A2", "cm"},
    {12, "Edit13", &TRunInput::Zone2A3, "20.0", true, D::Free, 0, nullptr,
     "        A3                                    =  ", 9, 2, "zone2-a3",
     "Zone-2 air temperature A3 (degC)", "2nd Zone A3", nullptr, "Zone 2 air law A3 (\u00b0C)",
     "zone2_A3_C", "Zone 2 A3", "\u2103"},
    {13, "Edit14", &TRunInput::Va2, "50.0", true, D::NonNegative, 9,
     "Value of 2nd Zone Air Velocity is not correct",
     "    Air Velocity                       (cm/s) =  ", 5, 1, "zone2-air-velocity",
     "Zone-2 cross-air velocity (cm/s)", "2nd Zone Air Velocity", "Air Velocity (cm/s)",
     "Zone 2 air velocity (cm/s)", "Va2_cm_s", "Va2", "cm/s"},
    {14, "Edit15", &TRunInput::Z3, "100.0", true, D::Positive, 7,
     "Value of 3rd Zone End Position is not correct",
     "    Zone End Position                    (cm) =  ", 5, 1, "zone3-end",
     "End position of zone 3, the end of the spinline (cm)", "3rd Zone End Position",
     "Zone End Positon (cm)", "Zone 3 end Z3 (cm)", "Z3_cm", "Z3", "cm"},
    {15, "Edit16", &TRunInput::Va3, "0.0", true, D::NonNegative, 10,
     "Value of 3rd Zone Air Velocity is not correct",
     "    Air Velocity                       (cm/s) =  ", 5, 1, "zone3-air-velocity",
     "Zone-3 cross-air velocity (cm/s)", "3rd Zone Air Velocity", "Air Velocity (cm/s)",
     "Zone 3 air velocity (cm/s)", "Va3_cm_s", "Va3", "cm/s"},
    {16, "Edit17", &TRunInput::Eta0, "2000.0", false, D::Positive, 11,
     "Value of Zero Shear Viscosity at Ref. Temp. is not correct",
     "    Zero Shear Viscosity at Ref. Temp.(poise) =  ", 7, 1, "zero-shear-viscosity",
     "Zero-shear viscosity eta0 at the reference temperature (poise)",
     "Zero Shear Viscosity at Ref. Temp.", "Zero Shear Viscosity at Ref. Temp. (poise)",
     "Zero-shear viscosity \u03b70 (poise)", "eta0_poise", "\u03b70", "poise"},
    {17, "Edit18", &TRunInput::Tref, "190.0", false, D::Positive, 12,
     "Value of Reference Temperature is not correct",
     "    Reference Temperature                (\x81\x8E) =  ", 4, 1, "reference-temperature",
     "Reference temperature Tref (degC)", "Reference Temperature", "Reference Temperature (\u2103)",
     "Reference temperature Tref (\u00b0C)", "Tref_C", "Tref", "\u2103"},
    {18, "Edit19", &TRunInput::Dz, "1.0", true, D::Positive, 13,
     "Value of Increment is not correct", "    Increment                            (cm) =  ", 4, 1,
     "increment", "Integration increment (cm)", "Increment", "Increment (cm)",
     "Increment \u0394z (cm)", "dz_cm", "\u0394z", "cm"},
    {19, "Edit20", nullptr, "result.txt", true, D::Text, 14, "Save File Name is not correct",
     nullptr, 0, 0, "output", "Result report file", "Save File Name", nullptr, "Save file name",
     "file_name", "File", ""},
}};

} // namespace

std::span<const TInputField, CatalogueSize> InputCatalogue() {
    return Catalogue;
}

const TInputField& InputField(int field) {
    return Catalogue.at(static_cast<std::size_t>(field));
}

const std::vector<std::reference_wrapper<const TInputField>>& EditableInputs() {
    static const auto editable = [] {
        std::vector<std::reference_wrapper<const TInputField>> inputs;
        for (const TInputField& input : Catalogue)
            if (input.Editable && input.Value != nullptr)
                inputs.emplace_back(input);
        return inputs;
    }();
    return editable;
}

const TInputField* FindEditableInput(std::string_view name) {
    for (const TInputField& input : EditableInputs())
        if (name == input.Name)
            return &input;
    return nullptr;
}

int EditableIndex(const TInputField& input) {
    const auto& editable = EditableInputs();
    const auto at = std::find_if(editable.begin(), editable.end(),
                                 [&](const TInputField& e) { return &e == &input; });
    return at == editable.end() ? -1 : static_cast<int>(at - editable.begin());
}

std::string WindowLabel(const TInputField& input) {
    std::string label = input.Title;
    if (*input.Unit != '\0')
        (label += " (") += std::string(input.Unit) + ")";
    return label;
}

bool InDomain(const TInputField& input, double value) {
    return InDomain(input.Domain, value);
}

bool InDomain(TInputDomain domain, double value) {
    switch (domain) {
    case TInputDomain::Positive:
        return value > 0;
    case TInputDomain::NonNegative:
        return value >= 0;
    case TInputDomain::Free:
    case TInputDomain::Text:
        break;
    }
    return true;
}

} // namespace ppspin
