// The twenty fields of a run, each described once: where its text lands in
// TRunInput, its check and message, how the report's header prints it, and
// how the window, ppspin-cli, studies, exports and tables name it. Its
// default is TRunInput's. Everything that lists the inputs is derived from
// here.
#pragma once

#include "RunRecords.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ppspin {

// Where an input's check lets it go.
enum class TInputDomain {
    Positive,    // > 0
    NonNegative, // >= 0 (air velocities)
    Free,        // any value (air-law coefficients)
    Text,        // a text that must not be empty (the report's name)
};

// The unit is held once, as the window shows it; each text with a unit
// is made of a name below and the unit spelled as its reader needs (see
// WindowLabel and the others after the catalogue).
struct TInputField {
    int Field;                          // index of its text among the field texts (Edit1 is 0)
    const char* Component;              // the window's field, "Edit1"
    double TRunInput::*Value = nullptr; // where the converted text lands; none for the file name
    const char* Name;                   // ppspin-cli's option name without "--"; Python's with "_"
    bool Editable = true;               // the others are shown disabled
    TInputDomain Domain = TInputDomain::Positive;
    int CheckOrder = 0;                // its place among the checks, 1 first
    const char* Refusal = nullptr;     // shown when its check fails; none for an unchecked input
    const char* Title;                 // as the window's messages name it, "Take-up Speed"
    const char* Unit = "";             // "m/min" (UTF-8)
    const char* Symbol;                // table heading, "VL"
    const char* HelpName;              // for --help, ASCII: "Take-up speed VL"
    const char* ChartName;             // short, for axes and charts (UTF-8)
    const char* ColumnName;            // CSV column, ASCII: "VL"
    const char* CaptionName = nullptr; // the window's label beside the field, where not the Title
    const char* HeaderName = nullptr;  // the report header's, where not the Title
    int P = 0, D = 0;                  // the header prints the value Fixed(value, P, D)
};

inline constexpr int CatalogueSize = 20;

// Edit1 .. Edit20, in order.
std::span<const TInputField, CatalogueSize> InputCatalogue();

// The entry of field index field (Edit1 is 0).
const TInputField& InputField(int field);

// The fields the operator can change, in the window's order.
const std::vector<std::reference_wrapper<const TInputField>>& EditableInputs();

// The editable input of that option name, or nullptr.
const TInputField* FindEditableInput(std::string_view name);

// Its place among EditableInputs(), or -1 when it is not editable.
int EditableIndex(const TInputField& input);

// The field's opening text, with "." as separator: TRunInput's default in
// the fewest decimals, at least one, that read back as it ("3500.0").
std::string DefaultText(const TInputField& input);

// How a text spells the unit's signs.
enum class TUnitSpelling {
    Window,   // as held: "℃·cm"
    Chart,    // "°C·cm"
    Ascii,    // "degC cm", for --help
    Column,   // "C_cm", for CSV columns
    ShiftJis, // the report's bytes
};
std::string UnitText(const TInputField& input, TUnitSpelling spelling);

// The texts that carry the unit, in parentheses or, for a column, after an
// underscore; without a unit, the name alone.
std::string WindowLabel(const TInputField& input);   // "Take-up Speed (m/min)"
std::string WindowCaption(const TInputField& input); // "Zone End Positon (cm)"
std::string HelpText(const TInputField& input);      // "Take-up speed VL (m/min)"
std::string ChartLabel(const TInputField& input);    // "Melt temperature T0 (°C)"
std::string CsvColumn(const TInputField& input);     // "VL_m_min"

// Whether value passes the input's check, or a check of that domain.
bool InDomain(const TInputField& input, double value);
bool InDomain(TInputDomain domain, double value);

} // namespace ppspin
