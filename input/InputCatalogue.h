// The twenty fields of a run, each described once: where its text lands in
// TRunInput, its default, its check and message, how the report's header
// prints it, and how the window, ppspin-cli, studies, exports and tables
// name it. Everything that lists the inputs is derived from here.
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

struct TInputField {
    int Field;                // index of its text among the field texts (Edit1 is 0)
    const char* Component;    // the window's field, "Edit1"
    double TRunInput::*Value; // where the converted text lands; none for the file name
    const char* DefaultText;  // the field's opening text, with "." as separator
    bool Editable;            // the operator may change it; the others are shown disabled
    TInputDomain Domain;
    int CheckOrder;      // its place among the checks, 1 first
    const char* Refusal; // shown when its check fails; none for an unchecked input
    // The report header's line: the label the value follows, printed
    // Fixed(value, P, D); none for the file name.
    const char* HeaderLabel;
    int P, D;
    const char* Name;    // ppspin-cli's option name without "--"; Python's with "_"
    const char* Help;    // quantity and unit, ASCII, for --help
    const char* Title;   // as the window's messages name it, e.g. "Take-up Speed"
    const char* Caption; // the window's label beside the field; none in the air-law row
    const char* Label;   // short, with its unit, for axes and charts (UTF-8)
    const char* Column;  // CSV column: ASCII, the unit after an underscore
    const char* Symbol;  // table heading, e.g. "VL"
    const char* Unit;    // e.g. "m/min" (UTF-8)
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

// The window's name of an input with its unit, "Take-up Speed (m/min)".
std::string WindowLabel(const TInputField& input);

// Whether value passes the input's check, or a check of that domain.
bool InDomain(const TInputField& input, double value);
bool InDomain(TInputDomain domain, double value);

} // namespace ppspin
