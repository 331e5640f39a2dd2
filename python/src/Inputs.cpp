#include "Inputs.h"

#include "ConvertInputs.h"
#include "NumberText.h"
#include "SetUpRun.h"
#include "TextToFloat.h"

#include <algorithm>
#include <array>

namespace ppspin::python {

py::str MessageText(std::string_view message) {
    PyObject* text = PyUnicode_DecodeUTF8(message.data(), static_cast<py::ssize_t>(message.size()),
                                          "backslashreplace");
    if (text == nullptr)
        throw py::error_already_set();
    return py::reinterpret_steal<py::str>(text);
}

std::string NameText(py::handle name) {
    const py::str text(name);
    PyObject* bytes = PyUnicode_AsEncodedString(text.ptr(), "utf-8", "backslashreplace");
    if (bytes == nullptr)
        throw py::error_already_set();
    return py::reinterpret_steal<py::bytes>(bytes);
}

py::object PackageError(const char* name) {
    return py::module_::import("ppspin._errors").attr(name);
}

void Raise(const py::object& error) {
    PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(error.ptr())), error.ptr());
    throw py::error_already_set();
}

const std::string& PythonName(const TInputField& input) {
    static const auto names = [] {
        std::array<std::string, CatalogueSize> all;
        for (const TInputField& field : InputCatalogue()) {
            std::string name = field.Name;
            std::replace(name.begin(), name.end(), '-', '_');
            all[static_cast<std::size_t>(field.Field)] = name;
        }
        return all;
    }();
    return names[static_cast<std::size_t>(input.Field)];
}

const TInputField* FindField(const std::string& name) {
    for (const TInputField& input : InputCatalogue())
        if (PythonName(input) == name)
            return &input;
    return nullptr;
}

const TInputField& KeywordField(py::handle name, const char* function) {
    const std::string key = NameText(name);
    if (const TInputField* input = FindField(key))
        return *input;
    throw py::type_error(std::string(function) + "() got an unexpected keyword argument '" + key +
                         "'");
}

std::string FieldText(const TInputField& input, py::handle value) {
    const py::str field(PythonName(input));
    if (PyUnicode_Check(value.ptr())) {
        py::ssize_t size = 0;
        const char* text = PyUnicode_AsUTF8AndSize(value.ptr(), &size);
        if (text == nullptr) {
            PyErr_Clear();
            Raise(PackageError("InputRefused")(
                field, "the text holds a lone surrogate, which is no character; give the value "
                       "as a number or as its text"));
        }
        return {text, static_cast<std::size_t>(size)};
    }
    // True as a take-up speed is a slip, not a number.
    const bool boolean =
        PyBool_Check(value.ptr()) || std::string(Py_TYPE(value.ptr())->tp_name) == "numpy.bool_";
    const double number = boolean ? -1.0 : PyFloat_AsDouble(value.ptr());
    if (!boolean && number == -1.0 && PyErr_ExceptionMatches(PyExc_OverflowError)) {
        PyErr_Clear();
        Raise(PackageError("InputRefused")(
            field, "the number is too large for a double (at most about 1.8e308); give a "
                   "smaller value"));
    }
    if (boolean || (number == -1.0 && PyErr_Occurred())) {
        PyErr_Clear();
        Raise(
            PackageError("InputTypeError")(field, "expected a number or a field text, not " +
                                                      std::string(Py_TYPE(value.ptr())->tp_name)));
    }
    return NumberText(number, '.');
}

void CheckFixed(const TInputField& input, const std::string& text) {
    if (input.Editable)
        return;
    double value = 0;
    if (TextToFloat(text, '.', value) && value == TRunInput{}.*input.Value)
        return;
    RaiseRunError(TRunOutcomeKind::Refused,
                  std::string(input.Title) + " is fixed in this program at " + DefaultText(input) +
                      " " + input.Unit,
                  input.Field);
}

TFieldTexts TextsOf(const py::dict& inputs, const char* function) {
    TFieldTexts texts = DefaultFieldTexts('.');
    for (const auto& [name, value] : inputs) {
        const TInputField& input = KeywordField(name, function);
        std::string text = FieldText(input, value);
        CheckFixed(input, text);
        texts[static_cast<std::size_t>(input.Field)] = std::move(text);
    }
    return texts;
}

py::dict TextsDict(const TFieldTexts& texts) {
    py::dict out;
    for (const TInputField& input : InputCatalogue())
        out[py::str(PythonName(input))] = texts[static_cast<std::size_t>(input.Field)];
    return out;
}

void CheckTexts(const TFieldTexts& texts) {
    TRunInput in;
    if (const TRefusal refusal = ConvertInputs(texts, '.', in))
        RaiseRunError(TRunOutcomeKind::Refused, refusal.Message, refusal.Field, &texts);
}

namespace {

// What a field's check lets through.
std::string RangeText(const TInputField& input) {
    switch (input.Domain) {
    case TInputDomain::Positive:
        return " > 0";
    case TInputDomain::NonNegative:
        return " >= 0";
    default:
        return "";
    }
}

// The window's refusal followed by what to give instead: the window names
// the field by its place on screen, or not at all.
std::string RefusalText(const std::string& message, int field, const TFieldTexts* texts) {
    if (field < 0)
        return message;
    const TInputField& input = InputField(field);
    const std::string& name = PythonName(input);
    const std::string given =
        texts != nullptr ? " \"" + (*texts)[static_cast<std::size_t>(field)] + "\"" : "";
    if (message == InputNotCorrectMessage)
        return message + " " + name + given + " is not a finite number; give a number" +
               RangeText(input);
    if (message == IncrementTooSmallMessage)
        return message + ": the grid holds at most " + std::to_string(MaxPoints) +
               " points, so increment must be at least about zone3_end / " +
               std::to_string(MaxPoints - 1);
    if (message == ZoneEndTooSmallMessage)
        return message + ": the grid needs two points, so zone3_end must be at least about "
                         "increment / 2";
    if (input.Refusal == nullptr || message != input.Refusal)
        return message;
    if (input.Domain == TInputDomain::Text)
        return message + ": output must be 1 to 259 bytes long";
    return message + ": " + name + given + " must be" + RangeText(input);
}

} // namespace

void RaiseRunError(TRunOutcomeKind kind, const std::string& message, int field,
                   const TFieldTexts* texts, int maxTrials) {
    switch (kind) {
    case TRunOutcomeKind::Refused:
        Raise(PackageError("InputRefused")(
            field >= 0 ? py::object(py::str(PythonName(InputField(field)))) : py::none(),
            MessageText(RefusalText(message, field, texts))));
    case TRunOutcomeKind::FloatingPointFault:
        Raise(PackageError("FloatingPointFault")(MessageText(message)));
    case TRunOutcomeKind::NotConverged:
        Raise(PackageError("NotConverged")(MessageText(
            maxTrials > 0 ? message + " within max_trials=" + std::to_string(maxTrials) +
                                " trials; a larger max_trials, at most " +
                                std::to_string(MostTrials) + ", may let it converge"
                          : message)));
    default:
        Raise(PackageError("RunError")(MessageText(message)));
    }
}

} // namespace ppspin::python
