// Converged profiles as CSV: UTF-8, "." decimals, shortest round-trip
// digits, LF line ends.
#pragma once

#include "ProfileSnapshot.h"

#include <string>
#include <vector>

namespace ppspin {

// The CSV header row and the rows of the profile.
std::string ProfileCsv(const TProfileSnapshot& profile);

// Several runs in one table: a column "run" numbering them from 1 in the
// given order, then every editable input of the run, then the columns of
// ProfileCsv; one row per point.
std::string ProfilesCsv(const std::vector<const TProfileSnapshot*>& runs);

} // namespace ppspin
