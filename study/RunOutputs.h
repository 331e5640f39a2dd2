// The numbers of a converged run that studies, maps, goal seeking and
// sensitivities work with, each with its summary column's name.
#pragma once

#include "ProfileSnapshot.h"

#include <optional>
#include <string_view>

namespace ppspin {

struct TRunOutputs {
    int Trials = 0;
    double F0 = 0;                 // converged spinneret tension, dyn
    double FEnd = 0;               // tension at the last point, dyn
    double VEnd = 0;               // velocity at the last point, m/min
    double DEnd = 0;               // final diameter, um
    double TEnd = 0;               // temperature at the last point, degC
    std::optional<double> ZFreeze; // where the filament first cools below 130 degC, cm
    double TenApEnd = 0;           // TEN(AP) at the last point, g/den
};

TRunOutputs OutputsOf(const TProfileSnapshot& profile);

struct TOutputColumn {
    const char* Name;  // the summary's column, e.g. "D_end_um"
    const char* Title; // with its unit, for pictures
    std::optional<double> (*Of)(const TRunOutputs&);
};

// The numeric outputs in the summary's order (trials aside).
inline constexpr TOutputColumn OutputColumns[] = {
    {"F0_dyn", "Spinneret tension F0 (dyn)",
     [](const TRunOutputs& o) -> std::optional<double> { return o.F0; }},
    {"F_end_dyn", "End tension (dyn)",
     [](const TRunOutputs& o) -> std::optional<double> { return o.FEnd; }},
    {"v_end_m_min", "End velocity (m/min)",
     [](const TRunOutputs& o) -> std::optional<double> { return o.VEnd; }},
    {"D_end_um", "End diameter (\u00b5m)",
     [](const TRunOutputs& o) -> std::optional<double> { return o.DEnd; }},
    {"T_end_C", "End temperature (\u00b0C)",
     [](const TRunOutputs& o) -> std::optional<double> { return o.TEnd; }},
    {"z_freeze_cm", "Freeze position (cm)",
     [](const TRunOutputs& o) -> std::optional<double> { return o.ZFreeze; }},
    {"ten_ap_end_g_den", "End TEN(AP) (g/den)",
     [](const TRunOutputs& o) -> std::optional<double> { return o.TenApEnd; }},
};

// The column of that name, or nullptr.
const TOutputColumn* FindOutputColumn(std::string_view name);

} // namespace ppspin
