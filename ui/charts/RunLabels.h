// Legend names for runs drawn together.
#pragma once

#include "RunRecords.h"

#include <QLocale>
#include <QStringList>

#include <vector>

namespace ppspin {

// Names each run by the inputs in which the runs differ: take-up speed,
// increment, air velocities, hole diameter, zone ends. A run alone, or runs
// that differ in none of these, are named by take-up speed; names that
// would still be equal get the run's number.
QStringList RunLabels(const std::vector<TRunInput>& runs, const QLocale& locale = QLocale());

} // namespace ppspin
