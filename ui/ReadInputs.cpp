#include "ReadInputs.h"

#include "Report.h"
#include "SetUpRun.h"

#include <locale>
#include <stdexcept>

namespace ppspin {

TFieldTexts DefaultFieldTexts(char separator) {
    TFieldTexts texts = {"0.025",   "0.7", "3500.0", "190.0", "10.0",   "245700.0",  "130.0",
                         "-1710.0", "0.0", "35.0",   "34.1",  "-8.636", "20.0",      "50.0",
                         "100.0",   "0.0", "2000.0", "190.0", "1.0",    "result.txt"};
    for (int f = 0; f < FieldCount - 1; ++f)
        for (char& c : texts[static_cast<std::size_t>(f)])
            if (c == '.')
                c = separator;
    return texts;
}

char UserDecimalSeparator() {
    try {
        const std::locale user("");
        const char c = std::use_facet<std::numpunct<char>>(user).decimal_point();
        return c != '\0' ? c : '.';
    } catch (const std::runtime_error&) {
        return '.'; // the environment names a locale this system lacks
    }
}

const char* CheckInputs(const TRunInput& in) {
    if (!(in.D0 > 0))
        return "Value of Hole Diameter is not correct";
    if (!(in.Q > 0))
        return "Value of Output is not correct";
    if (!(in.VL > 0))
        return "Value of Take-up Speed is not correct";
    if (!(in.T0 > 0))
        return "Value of Polymer Melt Temperature is not correct";
    if (!(in.Z1 > 0))
        return "Value of 1st Zone End Position is not correct";
    if (!(in.Z2 > 0))
        return "Value of 2nd Zone End Position is not correct";
    if (!(in.Z3 > 0))
        return "Value of 3rd Zone End Position is not correct";
    if (!(in.Va1 >= 0))
        return "Value of 1st Zone Air Velocity is not correct";
    if (!(in.Va2 >= 0))
        return "Value of 2nd Zone Air Velocity is not correct";
    if (!(in.Va3 >= 0))
        return "Value of 3rd Zone Air Velocity is not correct";
    if (!(in.Eta0 > 0))
        return "Value of Zero Shear Viscosity at Ref. Temp. is not correct";
    if (!(in.Tref > 0))
        return "Value of Reference Temperature is not correct";
    if (!(in.Dz > 0))
        return "Value of Increment is not correct";
    if (in.FileName.empty())
        return "Save File Name is not correct";
    // The grid must fit the point tables and hold one step at least.
    const double n3 = GridPoint(in.Z3, in.Dz);
    if (!(n3 <= MaxPoints))
        return IncrementTooSmallMessage;
    if (n3 < 2)
        return ZoneEndTooSmallMessage;
    if (in.FileName.size() > 259)
        return "Save File Name is not correct";
    return nullptr;
}

bool ConvertInputs(const TFieldTexts& texts, std::string& message) {
    TRunInput& in = RunInput;
    double* const numbers[FieldCount - 1] = {&in.D0,      &in.Q,       &in.VL,      &in.T0,  &in.Z1,
                                             &in.Zone1A1, &in.Zone1A2, &in.Zone1A3, &in.Va1, &in.Z2,
                                             &in.Zone2A1, &in.Zone2A2, &in.Zone2A3, &in.Va2, &in.Z3,
                                             &in.Va3,     &in.Eta0,    &in.Tref,    &in.Dz};
    for (int f = 0; f < FieldCount - 1; ++f) {
        if (!TextToFloat(texts[static_cast<std::size_t>(f)], DecimalSeparator, *numbers[f])) {
            message = InputNotCorrectMessage;
            return false;
        }
    }
    in.FileName = texts[FieldCount - 1];
    if (const char* failed = CheckInputs(in)) {
        message = failed;
        return false;
    }
    return true;
}

bool ReadInputs(const TFieldTexts& texts, std::string& message) {
    if (!ConvertInputs(texts, message))
        return false;
    if (!WriteReportHeader()) {
        message = FileCanNotOpenMessage;
        return false;
    }
    return true;
}

} // namespace ppspin
