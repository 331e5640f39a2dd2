#include "ConvertInputs.h"

#include "InputCatalogue.h"
#include "TextToFloat.h"

namespace ppspin {

TRefusal ConvertInputs(const TFieldTexts& texts, char separator, TRunInput& in) {
    // In field order; the file name is taken as it is.
    for (const TInputField& input : InputCatalogue()) {
        const std::string& text = texts[static_cast<std::size_t>(input.Field)];
        if (input.Value == nullptr)
            in.FileName = text;
        else if (!TextToFloat(text, separator, in.*input.Value))
            return {InputNotCorrectMessage, input.Field};
    }
    return CheckInputs(in);
}

} // namespace ppspin
