// The results of runs shown together, at a glance: one row per run, numbered
// as the legend names them, with the inputs in which the runs differ and
// what each run arrived at, and how far it is from measured points.
#pragma once

#include "MeasuredData.h"
#include "ProfileSnapshot.h"

#include <QList>
#include <QLocale>
#include <QStringList>

#include <vector>

namespace ppspin {

struct TRunTableTexts {
    QStringList Headings; // a quantity, its unit on a second line
    QList<QStringList> Rows;
};

// The legend's name of the run at index (from 0): "#1", "#2", ...
QString RunNumber(int index);

// Columns: the run's number; the editable inputs in which the runs differ
// (the take-up speed when none does); trials, spinneret tension, velocity
// at the last point against the take-up speed, end diameter, end
// temperature, freeze position (empty when the filament stays molten) and
// end TEN(AP); with measured points, the RMS of measured minus model for
// each measured quantity, in its column's unit to 3 significant digits, empty
// for a run whose spinline ends before a point. Numbers in locale's
// notation, inputs to the decimals the report prints them with at most.
TRunTableTexts RunTableTexts(const std::vector<const TProfileSnapshot*>& runs,
                             const QLocale& locale = QLocale(),
                             const TMeasuredData* measured = nullptr);

} // namespace ppspin
