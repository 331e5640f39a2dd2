// The pictures' data of studies and sensitivities, from their rows.
#pragma once

#include "Sensitivity.h"
#include "StudyPictures.h"
#include "Sweep.h"

#include <string_view>
#include <vector>

namespace ppspin {

// The maps of a grid study from its rows, in the points' order: one map per
// output over the two inputs, failed and refused runs marked.
TGridMaps GridMapsOf(const TStudy& study, const std::vector<TSweepRow>& rows);

// The summary's trials and numeric columns against the swept value, titled
// xLabel; a refused or failed value leaves a gap in every line.
TSummaryPlot SummaryPlotOf(std::string_view xLabel, const std::vector<TSweepRow>& rows);

// The tornado charts of the end diameter and the freeze position.
TTornado TornadoOf(const TSensitivities& sensitivities);

} // namespace ppspin
