// Converged profiles as CSV: UTF-8, "." decimals, shortest round-trip
// digits, LF line ends.
#pragma once

#include "ProfileSnapshot.h"

#include <array>
#include <string>
#include <vector>

namespace ppspin {

// The profile's columns, as the CSV's header names them, and a point's
// values in that order.
inline constexpr std::array<const char*, 9> ProfileColumnNames = {
    "z_cm", "v_m_min",       "F_dyn",        "T_C",         "D_cm",
    "Ta_C", "h_cal_cm2_s_C", "ten_re_g_den", "ten_ap_g_den"};
std::array<double, ProfileColumnNames.size()> ProfileValues(const TProfilePoint& point);

// The CSV header row and the rows of the profile.
std::string ProfileCsv(const TProfileSnapshot& profile);

// Several runs in one table: a column "run" numbering them from 1 in the
// given order, then every editable input of the run, then the columns of
// ProfileCsv; one row per point.
std::string ProfilesCsv(const std::vector<const TProfileSnapshot*>& runs);

} // namespace ppspin
