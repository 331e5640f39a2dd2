// Python's values for the fields: keyword names, texts from numbers, and
// the refusals Python raises.
#pragma once

#include "FieldTexts.h"
#include "InputCatalogue.h"
#include "RunCalculation.h"

#include <pybind11/pybind11.h>

#include <string>

namespace ppspin::python {

namespace py = pybind11;

// The catalogue's option name with "_" for "-": "take_up_speed".
const std::string& PythonName(const TInputField& input);

// The field of that Python name, or nullptr.
const TInputField* FindField(const std::string& name);

// The field of a keyword; a TypeError naming it, as Python's own is worded,
// when there is none.
const TInputField& KeywordField(py::handle name, const char* function);

// The field text of a value: a str as it is, any other real number as its
// shortest round-trip text with ".". A TypeError for anything else.
std::string FieldText(const TInputField& input, py::handle value);

// Raises InputRefused when the text of a field the window shows disabled
// does not hold this program's value: the polymer's properties are fixed.
void CheckFixed(const TInputField& input, const std::string& text);

// The default texts with the keywords' values in their fields.
TFieldTexts TextsOf(const py::dict& inputs, const char* function);

// The texts by Python name.
py::dict TextsDict(const TFieldTexts& texts);

// Raises InputRefused for the first text the window would refuse, before
// a search that would only say the inputs are not correct.
void CheckTexts(const TFieldTexts& texts);

// Raises the Python error of a run's end: InputRefused (with the field's
// name), FloatingPointFault, NotConverged, or RunError.
[[noreturn]] void RaiseRunError(TRunOutcomeKind kind, const std::string& message, int field);

} // namespace ppspin::python
