#include "ReportHeader.h"

namespace ppspin {

const std::array<THeaderLine, ReportHeaderLineCount>& ReportHeaderLines() {
    // "\x81\x8E" is the degree-Celsius sign in its Shift-JIS bytes.
    static const std::array<THeaderLine, ReportHeaderLineCount> lines = {{
        {"OPERATING CONDITION"},
        {"-------------------"},
        {"    Hole Diameter                        (cm) =  ", &TRunInput::D0, 6, 4},
        {"    Output                            (g/min) =  ", &TRunInput::Q, 5, 3},
        {"    Take-up Speed                     (m/min) =  ", &TRunInput::VL, 6, 1},
        {"    Polymer Melt Temperature             (\x81\x8E) =  ", &TRunInput::T0, 5, 1},
        {""},
        {"FIRST ZONE CONDITION"},
        {"--------------------"},
        {"    Zone End Position                    (cm) =  ", &TRunInput::Z1, 5, 1},
        {"    Air Temperature Eq. Parameters:"},
        {"        A1                                    =  ", &TRunInput::Zone1A1, 10, 2},
        {"        A2                                    =  ", &TRunInput::Zone1A2, 9, 4},
        {"        A3                                    =  ", &TRunInput::Zone1A3, 9, 2},
        {"    Air Velocity                       (cm/s) =  ", &TRunInput::Va1, 5, 1},
        {""},
        {"SECOND ZONE CONDITION"},
        {"---------------------"},
        {"    Zone End Position                    (cm) =  ", &TRunInput::Z2, 5, 1},
        {"    Air Temperature Eq. Parameters:"},
        {"        A1                                    =  ", &TRunInput::Zone2A1, 10, 2},
        {"        A2                                    =  ", &TRunInput::Zone2A2, 9, 4},
        {"        A3                                    =  ", &TRunInput::Zone2A3, 9, 2},
        {"    Air Velocity                       (cm/s) =  ", &TRunInput::Va2, 5, 1},
        {""},
        {"THIRD ZONE CONDITION"},
        {"--------------------"},
        {"    Zone End Position                    (cm) =  ", &TRunInput::Z3, 5, 1},
        {"    Air Velocity                       (cm/s) =  ", &TRunInput::Va3, 5, 1},
        {""},
        {"PHISICAL PROPERTY"},
        {"-----------------"},
        {"    Zero Shear Viscosity at Ref. Temp.(poise) =  ", &TRunInput::Eta0, 7, 1},
        {"    Reference Temperature                (\x81\x8E) =  ", &TRunInput::Tref, 4, 1},
        {""},
        {"CALCULATION ACCURACY"},
        {"--------------------"},
        {"    Increment                            (cm) =  ", &TRunInput::Dz, 4, 1},
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
