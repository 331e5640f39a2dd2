#include "ConvertInputs.h"

#include "TextToFloat.h"

namespace ppspin {

TRefusal ConvertInputs(const TFieldTexts& texts, char separator, TRunInput& in) {
    for (int f = 0; f < FileNameField; ++f)
        if (!TextToFloat(texts[static_cast<std::size_t>(f)], separator, in.*NumericFields[f]))
            return {InputNotCorrectMessage, f};
    in.FileName = texts[FileNameField];
    return CheckInputs(in);
}

} // namespace ppspin
