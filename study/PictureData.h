// The pictures' data of studies and sensitivities, from their rows.
#pragma once

#include "Sensitivity.h"
#include "StudyPictures.h"
#include "Sweep.h"

#include <vector>

namespace ppspin {

// The maps of a grid study from its rows, in the points' order: one map per
// output over the two inputs, failed and refused runs marked. The rows may
// be the first ones only, while the study runs: the points not done yet are
// pending.
TGridMaps GridMapsOf(const TStudy& study, const std::vector<TSweepRow>& rows);

// The summary's trials and numeric columns against the swept value; a
// refused or failed value, or one not done yet, leaves a gap in every line.
TSummaryPlot SummaryPlotOf(const TStudy& study, const std::vector<TSweepRow>& rows);

// The tornado charts of the end diameter and the freeze position.
TTornado TornadoOf(const TSensitivities& sensitivities);

} // namespace ppspin
