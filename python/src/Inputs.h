// Python's values for the fields: keyword names, texts from numbers, and
// the refusals Python raises.
#pragma once

#include "FieldTexts.h"
#include "InputCatalogue.h"
#include "RunCalculation.h"

#include <pybind11/pybind11.h>

#include <string>
#include <string_view>

namespace ppspin::python {

namespace py = pybind11;

// The most trials max_trials may allow a run, as ppspin-cli --max-trials.
inline constexpr int MostTrials = 1'000'000;

// A message as Python text: UTF-8, with any byte that is no UTF-8 (from a
// file's line it quotes, say) as its \xNN escape, so that raising a refusal
// never fails on what it quotes.
py::str MessageText(std::string_view message);

// A name (a keyword, an input or output to solve for) as UTF-8, a character
// that has none (a lone surrogate) as its \uNNNN escape: such a name is
// then refused as no name of this program, by what it looks like.
std::string NameText(py::handle name);

// The class of that name in ppspin._errors.
py::object PackageError(const char* name);

// Raises error, an instance of a ppspin error.
[[noreturn]] void Raise(const py::object& error);

// The catalogue's option name with "_" for "-": "take_up_speed".
const std::string& PythonName(const TInputField& input);

// The field of that Python name, or nullptr.
const TInputField* FindField(const std::string& name);

// The field of a keyword; a TypeError naming it, as Python's own is worded,
// when there is none.
const TInputField& KeywordField(py::handle name, const char* function);

// The field text of a value: a str as it is, any other real number as its
// shortest round-trip text with ".". InputRefused for a str that is no
// UTF-8 (a lone surrogate) or a number beyond a double's range;
// InputTypeError (an InputRefused and a TypeError) for anything else.
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
// name), FloatingPointFault, NotConverged, or RunError. A refusal of one
// field says what that field takes (quoting its text from texts, when
// given), and NotConverged names max_trials when maxTrials is given.
[[noreturn]] void RaiseRunError(TRunOutcomeKind kind, const std::string& message, int field,
                                const TFieldTexts* texts = nullptr, int maxTrials = 0);

} // namespace ppspin::python
