#include "ReportHeader.h"

#include <algorithm>

namespace ppspin {

namespace {

// The label an input's value follows: the name indented, the unit in the
// report's bytes, and "=" in one column on every line.
THeaderLine Labelled(int field, int indent, bool unit) {
    constexpr std::size_t Width = 49; // up to the value
    const TInputField& input = InputField(field);
    std::string left = std::string(static_cast<std::size_t>(indent), ' ') +
                       (input.HeaderName != nullptr ? input.HeaderName : input.Title);
    std::string right = " =  ";
    if (unit)
        right = "(" + UnitText(input, TUnitSpelling::ShiftJis) + ")" + right;
    left.resize(std::max(left.size(), Width - right.size()), ' ');
    return {left + right, &input};
}

// "    Hole Diameter                        (cm) =  "
THeaderLine InputLine(int field) {
    return Labelled(field, 4, true);
}

// "        A1                                    =  ": a coefficient of the
// air law named on the line above, deeper and without its unit.
THeaderLine CoefficientLine(int field) {
    return Labelled(field, 8, false);
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
        CoefficientLine(5), // A1, A2, A3 of zone 1
        CoefficientLine(6),
        CoefficientLine(7),
        InputLine(8), // Va1
        {""},
        {"SECOND ZONE CONDITION"},
        {"---------------------"},
        InputLine(9), // Z2
        {"    Air Temperature Eq. Parameters:"},
        CoefficientLine(10), // A1, A2, A3 of zone 2
        CoefficientLine(11),
        CoefficientLine(12),
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
