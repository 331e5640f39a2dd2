// Constants the model uses wherever they occur, as written.
#pragma once

namespace ppspin {

inline constexpr double Pi = 3.1415926;
// Pi / 4, for a cross-section from a diameter.
inline constexpr double AreaFactor = 0.78539815;
inline constexpr double Gravity = 980.0; // cm/s2
// Below this temperature (degC) the melt follows the steeper viscosity law;
// the first point below it is where the filament freezes.
inline constexpr double FreezeTemperature = 130.0;

} // namespace ppspin
