#include "Inputs.h"

#include "ConvertInputs.h"
#include "NumberText.h"
#include "TextToFloat.h"

#include <algorithm>
#include <array>

namespace ppspin::python {

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
    const std::string key = py::str(name);
    if (const TInputField* input = FindField(key))
        return *input;
    throw py::type_error(std::string(function) + "() got an unexpected keyword argument '" + key +
                         "'");
}

std::string FieldText(const TInputField& input, py::handle value) {
    if (PyUnicode_Check(value.ptr()))
        return value.cast<std::string>();
    // True as a take-up speed is a slip, not a number.
    const bool boolean =
        PyBool_Check(value.ptr()) || std::string(Py_TYPE(value.ptr())->tp_name) == "numpy.bool_";
    const double number = boolean ? -1.0 : PyFloat_AsDouble(value.ptr());
    if (boolean || (number == -1.0 && PyErr_Occurred())) {
        PyErr_Clear();
        throw py::type_error(PythonName(input) + ": expected a number or a field text, not " +
                             std::string(Py_TYPE(value.ptr())->tp_name));
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
        RaiseRunError(TRunOutcomeKind::Refused, refusal.Message, refusal.Field);
}

void RaiseRunError(TRunOutcomeKind kind, const std::string& message, int field) {
    const py::module_ errors = py::module_::import("ppspin._errors");
    py::object error;
    switch (kind) {
    case TRunOutcomeKind::Refused:
        error = errors.attr("InputRefused")(
            field >= 0 ? py::object(py::str(PythonName(InputField(field)))) : py::none(), message);
        break;
    case TRunOutcomeKind::FloatingPointFault:
        error = errors.attr("FloatingPointFault")(message);
        break;
    case TRunOutcomeKind::NotConverged:
        error = errors.attr("NotConverged")(message);
        break;
    default:
        error = errors.attr("RunError")(message);
        break;
    }
    PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(error.ptr())), error.ptr());
    throw py::error_already_set();
}

} // namespace ppspin::python
