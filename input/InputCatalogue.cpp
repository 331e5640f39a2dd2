#include "InputCatalogue.h"

#include "NumberText.h"

#include <algorithm>
#include <array>

namespace ppspin {

namespace {

using D = TInputDomain;

constexpr const char* Celsius = "\u2103";
constexpr const char* CelsiusCm = "\u2103\u00b7cm";

constexpr std::array<TInputField, CatalogueSize> Catalogue = {{
    {.Field = 0,
     .Component = "Edit1",
     .Value = &TRunInput::D0,
     .Name = "hole-diameter",
     .CheckOrder = 1,
     .Refusal = "Value of Hole Diameter is not correct",
     .Title = "Hole Diameter",
     .Unit = "cm",
     .Symbol = "D0",
     .HelpName = "Spinneret hole diameter D0",
     .ChartName = "Hole diameter D0",
     .ColumnName = "D0",
     .P = 6,
     .D = 4},
    {.Field = 1,
     .Component = "Edit2",
     .Value = &TRunInput::Q,
     .Name = "throughput",
     .Editable = false,
     .CheckOrder = 2,
     .Refusal = "Value of Output is not correct",
     .Title = "Output",
     .Unit = "g/min",
     .Symbol = "Q",
     .HelpName = "Polymer output, the mass throughput Q",
     .ChartName = "Output Q",
     .ColumnName = "Q",
     .P = 5,
     .D = 3},
    {.Field = 2,
     .Component = "Edit3",
     .Value = &TRunInput::VL,
     .Name = "take-up-speed",
     .CheckOrder = 3,
     .Refusal = "Value of Take-up Speed is not correct",
     .Title = "Take-up Speed",
     .Unit = "m/min",
     .Symbol = "VL",
     .HelpName = "Take-up speed VL",
     .ChartName = "Take-up speed VL",
     .ColumnName = "VL",
     .P = 6,
     .D = 1},
    {.Field = 3,
     .Component = "Edit4",
     .Value = &TRunInput::T0,
     .Name = "melt-temperature",
     .Editable = false,
     .CheckOrder = 4,
     .Refusal = "Value of Polymer Melt Temperature is not correct",
     .Title = "Polymer Melt Temperature",
     .Unit = Celsius,
     .Symbol = "T0",
     .HelpName = "Polymer melt temperature T0",
     .ChartName = "Melt temperature T0",
     .ColumnName = "T0",
     .P = 5,
     .D = 1},
    {.Field = 4,
     .Component = "Edit5",
     .Value = &TRunInput::Z1,
     .Name = "zone1-end",
     .CheckOrder = 5,
     .Refusal = "Value of 1st Zone End Position is not correct",
     .Title = "1st Zone End Position",
     .Unit = "cm",
     .Symbol = "Z1",
     .HelpName = "End position of zone 1",
     .ChartName = "Zone 1 end Z1",
     .ColumnName = "Z1",
     .CaptionName = "Zone End Positon",
     .HeaderName = "Zone End Position",
     .P = 5,
     .D = 1},
    {.Field = 5,
     .Component = "Edit6",
     .Value = &TRunInput::Zone1A1,
     .Name = "zone1-a1",
     .Domain = D::Free,
     .Title = "1st Zone A1",
     .Unit = CelsiusCm,
     .Symbol = "Zone 1 A1",
     .HelpName = "Zone-1 air temperature A1 in Tair = A1/(Z + A2) + A3",
     .ChartName = "Zone 1 air law A1",
     .ColumnName = "zone1_A1",
     .HeaderName = "A1",
     .P = 10,
     .D = 2},
    {.Field = 6,
     .Component = "Edit7",
     .Value = &TRunInput::Zone1A2,
     .Name = "zone1-a2",
     .Domain = D::Free,
     .Title = "1st Zone A2",
     .Unit = "cm",
     .Symbol = "Zone 1 A2",
     .HelpName = "Zone-1 air temperature A2",
     .ChartName = "Zone 1 air law A2",
     .ColumnName = "zone1_A2",
     .HeaderName = "A2",
     .P = 9,
     .D = 4},
    {.Field = 7,
     .Component = "Edit8",
     .Value = &TRunInput::Zone1A3,
     .Name = "zone1-a3",
     .Domain = D::Free,
     .Title = "1st Zone A3",
     .Unit = Celsius,
     .Symbol = "Zone 1 A3",
     .HelpName = "Zone-1 air temperature A3",
     .ChartName = "Zone 1 air law A3",
     .ColumnName = "zone1_A3",
     .HeaderName = "A3",
     .P = 9,
     .D = 2},
    {.Field = 8,
     .Component = "Edit9",
     .Value = &TRunInput::Va1,
     .Name = "zone1-air-velocity",
     .Domain = D::NonNegative,
     .CheckOrder = 8,
     .Refusal = "Value of 1st Zone Air Velocity is not correct",
     .Title = "1st Zone Air Velocity",
     .Unit = "cm/s",
     .Symbol = "Va1",
     .HelpName = "Zone-1 cross-air velocity",
     .ChartName = "Zone 1 air velocity",
     .ColumnName = "Va1",
     .CaptionName = "Air Velocity",
     .HeaderName = "Air Velocity",
     .P = 5,
     .D = 1},
    {.Field = 9,
     .Component = "Edit10",
     .Value = &TRunInput::Z2,
     .Name = "zone2-end",
     .CheckOrder = 6,
     .Refusal = "Value of 2nd Zone End Position is not correct",
     .Title = "2nd Zone End Position",
     .Unit = "cm",
     .Symbol = "Z2",
     .HelpName = "End position of zone 2",
     .ChartName = "Zone 2 end Z2",
     .ColumnName = "Z2",
     .CaptionName = "Zone End Positon",
     .HeaderName = "Zone End Position",
     .P = 5,
     .D = 1},
    {.Field = 10,
     .Component = "Edit11",
     .Value = &TRunInput::Zone2A1,
     .Name = "zone2-a1",
     .Domain = D::Free,
     .Title = "2nd Zone A1",
     .Unit = CelsiusCm,
     .Symbol = "Zone 2 A1",
     .HelpName = "Zone-2 air temperature A1, zone 3 uses it too",
     .ChartName = "Zone 2 air law A1",
     .ColumnName = "zone2_A1",
     .HeaderName = "A1",
     .P = 10,
     .D = 2},
    {.Field = 11,
     .Component = "Edit12",
     .Value = &TRunInput::Zone2A2,
     .Name = "zone2-a2",
     .Domain = D::Free,
     .Title = "2nd Zone A2",
     .Unit = "cm",
     .Symbol = "Zone 2 A2",
     .HelpName = "Zone-2 air temperature A2",
     .ChartName = "Zone 2 air law A2",
     .ColumnName = "zone2_A2",
     .HeaderName = "A2",
     .P = 9,
     .D = 4},
    {.Field = 12,
     .Component = "Edit13",
     .Value = &TRunInput::Zone2A3,
     .Name = "zone2-a3",
     .Domain = D::Free,
     .Title = "2nd Zone A3",
     .Unit = Celsius,
     .Symbol = "Zone 2 A3",
     .HelpName = "Zone-2 air temperature A3",
     .ChartName = "Zone 2 air law A3",
     .ColumnName = "zone2_A3",
     .HeaderName = "A3",
     .P = 9,
     .D = 2},
    {.Field = 13,
     .Component = "Edit14",
     .Value = &TRunInput::Va2,
     .Name = "zone2-air-velocity",
     .Domain = D::NonNegative,
     .CheckOrder = 9,
     .Refusal = "Value of 2nd Zone Air Velocity is not correct",
     .Title = "2nd Zone Air Velocity",
     .Unit = "cm/s",
     .Symbol = "Va2",
     .HelpName = "Zone-2 cross-air velocity",
     .ChartName = "Zone 2 air velocity",
     .ColumnName = "Va2",
     .CaptionName = "Air Velocity",
     .HeaderName = "Air Velocity",
     .P = 5,
     .D = 1},
    {.Field = 14,
     .Component = "Edit15",
     .Value = &TRunInput::Z3,
     .Name = "zone3-end",
     .CheckOrder = 7,
     .Refusal = "Value of 3rd Zone End Position is not correct",
     .Title = "3rd Zone End Position",
     .Unit = "cm",
     .Symbol = "Z3",
     .HelpName = "End position of zone 3, the end of the spinline",
     .ChartName = "Zone 3 end Z3",
     .ColumnName = "Z3",
     .CaptionName = "Zone End Positon",
     .HeaderName = "Zone End Position",
     .P = 5,
     .D = 1},
    {.Field = 15,
     .Component = "Edit16",
     .Value = &TRunInput::Va3,
     .Name = "zone3-air-velocity",
     .Domain = D::NonNegative,
     .CheckOrder = 10,
     .Refusal = "Value of 3rd Zone Air Velocity is not correct",
     .Title = "3rd Zone Air Velocity",
     .Unit = "cm/s",
     .Symbol = "Va3",
     .HelpName = "Zone-3 cross-air velocity",
     .ChartName = "Zone 3 air velocity",
     .ColumnName = "Va3",
     .CaptionName = "Air Velocity",
     .HeaderName = "Air Velocity",
     .P = 5,
     .D = 1},
    {.Field = 16,
     .Component = "Edit17",
     .Value = &TRunInput::Eta0,
     .Name = "zero-shear-viscosity",
     .Editable = false,
     .CheckOrder = 11,
     .Refusal = "Value of Zero Shear Viscosity at Ref. Temp. is not correct",
     .Title = "Zero Shear Viscosity at Ref. Temp.",
     .Unit = "poise",
     .Symbol = "\u03b70",
     .HelpName = "Zero-shear viscosity eta0 at the reference temperature",
     .ChartName = "Zero-shear viscosity \u03b70",
     .ColumnName = "eta0",
     .P = 7,
     .D = 1},
    {.Field = 17,
     .Component = "Edit18",
     .Value = &TRunInput::Tref,
     .Name = "reference-temperature",
     .Editable = false,
     .CheckOrder = 12,
     .Refusal = "Value of Reference Temperature is not correct",
     .Title = "Reference Temperature",
     .Unit = Celsius,
     .Symbol = "Tref",
     .HelpName = "Reference temperature Tref",
     .ChartName = "Reference temperature Tref",
     .ColumnName = "Tref",
     .P = 4,
     .D = 1},
    {.Field = 18,
     .Component = "Edit19",
     .Value = &TRunInput::Dz,
     .Name = "increment",
     .CheckOrder = 13,
     .Refusal = "Value of Increment is not correct",
     .Title = "Increment",
     .Unit = "cm",
     .Symbol = "\u0394z",
     .HelpName = "Integration increment",
     .ChartName = "Increment \u0394z",
     .ColumnName = "dz",
     .P = 4,
     .D = 1},
    {.Field = 19,
     .Component = "Edit20",
     .Name = "output",
     .Domain = D::Text,
     .CheckOrder = 14,
     .Refusal = "Save File Name is not correct",
     .Title = "Save File Name",
     .Symbol = "File",
     .HelpName = "Result report file",
     .ChartName = "Save file name",
     .ColumnName = "file_name"},
}};

// How each spelling writes the signs of the units; the rest is ASCII.
// "\x81\x8E" is the degree-Celsius sign in the Shift-JIS bytes the report
// is written in.
struct TSigns {
    std::string_view Celsius, Dot, Slash;
};

TSigns SignsOf(TUnitSpelling spelling) {
    switch (spelling) {
    case TUnitSpelling::Window:
        break;
    case TUnitSpelling::Chart:
        return {"\u00b0C", "\u00b7", "/"};
    case TUnitSpelling::Ascii:
        return {"degC", " ", "/"};
    case TUnitSpelling::Column:
        return {"C", "_", "_"};
    case TUnitSpelling::ShiftJis:
        return {"\x81\x8E", "\x81\x45", "/"};
    }
    return {"\u2103", "\u00b7", "/"}; // as the catalogue holds them
}

// name (unit), or name alone for an input without a unit.
std::string WithUnit(const char* name, const TInputField& input, TUnitSpelling spelling) {
    std::string text = name;
    if (*input.Unit != '\0')
        ((text += " (") += UnitText(input, spelling)) += ')';
    return text;
}

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

std::string DefaultText(const TInputField& input) {
    const TRunInput defaults;
    if (input.Value == nullptr)
        return defaults.FileName;
    const double value = defaults.*input.Value;
    std::string text;
    // 340 places hold 17 significant digits of any double but the tiniest.
    for (int decimals = 1; decimals <= 340; ++decimals) {
        text = DecimalText(value, decimals);
        double back = 0;
        if (ReadDouble(text, back) == TNumberRead::Ok && back == value)
            break;
    }
    return text;
}

std::string UnitText(const TInputField& input, TUnitSpelling spelling) {
    const TSigns held = SignsOf(TUnitSpelling::Window), signs = SignsOf(spelling);
    std::string text;
    for (std::string_view unit = input.Unit; !unit.empty();) {
        if (unit.starts_with(held.Celsius)) {
            text += signs.Celsius;
            unit.remove_prefix(held.Celsius.size());
        } else if (unit.starts_with(held.Dot)) {
            text += signs.Dot;
            unit.remove_prefix(held.Dot.size());
        } else {
            text += unit.front() == '/' ? signs.Slash : unit.substr(0, 1);
            unit.remove_prefix(1);
        }
    }
    return text;
}

std::string WindowLabel(const TInputField& input) {
    return WithUnit(input.Title, input, TUnitSpelling::Window);
}

std::string WindowCaption(const TInputField& input) {
    return WithUnit(input.CaptionName != nullptr ? input.CaptionName : input.Title, input,
                    TUnitSpelling::Window);
}

std::string HelpText(const TInputField& input) {
    return WithUnit(input.HelpName, input, TUnitSpelling::Ascii);
}

std::string ChartLabel(const TInputField& input) {
    return WithUnit(input.ChartName, input, TUnitSpelling::Chart);
}

std::string CsvColumn(const TInputField& input) {
    std::string column = input.ColumnName;
    if (*input.Unit != '\0')
        (column += '_') += UnitText(input, TUnitSpelling::Column);
    return column;
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
