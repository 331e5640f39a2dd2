#include "ConvertInputs.h"

#include "TextToFloat.h"

namespace ppspin {

TRefusal ConvertInputs(const TFieldTexts& texts, char separator, TRunInput& in) {
    double* const numbers[FileNameField] = {&in.D0,      &in.Q,       &in.VL,      &in.T0,  &in.Z1,
                                            &in.Zone1A1, &in.Zone1A2, &in.Zone1A3, &in.Va1, &in.Z2,
                                            &in.Zone2A1, &in.Zone2A2, &in.Zone2A3, &in.Va2, &in.Z3,
                                            &in.Va3,     &in.Eta0,    &in.Tref,    &in.Dz};
    for (int f = 0; f < FileNameField; ++f)
        if (!TextToFloat(texts[static_cast<std::size_t>(f)], separator, *numbers[f]))
            return {InputNotCorrectMessage, f};
    in.FileName = texts[FileNameField];
    return CheckInputs(in);
}

} // namespace ppspin
