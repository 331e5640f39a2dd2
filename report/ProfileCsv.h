// Converged profiles as CSV: UTF-8, "." decimals, shortest round-trip
// digits, LF line ends.
#pragma once

#include "ProfileSnapshot.h"

#include <string>
#include <vector>

namespace ppspin {

// The profile's columns in the CSV's order: the header's name and the
// point's value under it.
struct TProfileColumn {
    const char* Name;
    double TProfilePoint::*Value;
};
inline constexpr TProfileColumn ProfileColumns[] = {
    {"z_cm", &TProfilePoint::Z},
    {"v_m_min", &TProfilePoint::VM},
    {"F_dyn", &TProfilePoint::F},
    {"T_C", &TProfilePoint::T},
    {"D_cm", &TProfilePoint::D},
    {"Ta_C", &TProfilePoint::TA},
    {"h_cal_cm2_s_C", &TProfilePoint::H},
    {"ten_re_g_den", &TProfilePoint::TenRe},
    {"ten_ap_g_den", &TProfilePoint::TenAp},
};

// The CSV header row and the rows of the profile.
std::string ProfileCsv(const TProfileSnapshot& profile);

// Several runs in one table: a column "run" numbering them from 1 in the
// given order, then every editable input of the run, then the columns of
// ProfileCsv; one row per point.
std::string ProfilesCsv(const std::vector<const TProfileSnapshot*>& runs);

} // namespace ppspin
