#include "ReportHeader.h"

namespace ppspin {

namespace {

// The line of field index field: its label, then its value.
THeaderLine InputLine(int field) {
    const TInputField& input = InputField(field);
    return {input.HeaderLabel, &input};
}

} // namespace

const std::array<THeaderLine, ReportHeaderLineCount>& ReportHeaderLines() {
    // "\x81\x8E" is the degree-Celsius sign in its Shift-JIS bytes.
    static const std::array<THeaderLine, ReportHeaderLineCount> lines = {{
        {"OPERATING CONDITION"},
        {"-------------------"},
        InputLine(0), // D0
        InputLine(1), // Q
        InputLine(2), // VL
        InputLine(3), // T0
        {""},
        {"FIRST ZONE CONDITION"},
        {"--------------------"},
        InputLine(4), // Z1
        {"    Air Temperature Eq. Parameters:"},
        InputLine(5), // A1, A2, A3 of zone 1
        InputLine(6),
        InputLine(7),
        InputLine(8), // Va1
        {""},
        {"SECOND ZONE CONDITION"},
        {"---------------------"},
        InputLine(9), // Z2
        {"    Air Temperature Eq. Parameters:"},
        InputLine(10), // A1, A2, A3 of zone 2
        InputLine(11),
        InputLine(12),
        InputLine(13), // Va2
        {""},
        {"THIRD ZONE CONDITION"},
        {"--------------------"},
        InputLine(14), // Z3
        InputLine(15), // Va3
        {""},
        {"PHISICAL PROPERTY"},
        {"-----------------"},
        InputLine(16), // eta0
        InputLine(17), // Tref
        {""},
        {"CALCULATION ACCURACY"},
        {"--------------------"},
        InputLine(18), // dz
        {""},
        {""},
        {""},
        {"[RESULTS]"},
        {"    X       V       F      T       D      TA      H     TEN(RE) TEN(AP)"},
        {"   cm     m/min    dyn    \x81\x8E      cm     \x81\x8E     cal/cm2  G/den   G/den"},
        {"                                                .s.\x81\x8E"},
    }};
    return lines;
}

} // namespace ppspin
