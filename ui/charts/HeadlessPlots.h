// The pictures of the headless runner: a run's profile and a study's
// summary, with Qt-free data in and a PNG or SVG file out, beside the
// study maps and tornado charts of StudyPlots.h.
#pragma once

#include "ProfileSnapshot.h"
#include "StudyPictures.h"
#include "XYPlot.h"

#include <string>

namespace ppspin {

// The four profile charts of a converged run.
bool RenderProfilePicture(const TProfileSnapshot& profile, const std::string& path, int width,
                          int height, std::string& error);

// A study's summary as the charts draw it.
TXYPlot XYPlotOf(const TSummaryPlot& plot);

// One chart per series against the study's x.
bool RenderSummaryPlot(const TSummaryPlot& plot, const std::string& path, int width, int height,
                       std::string& error);

} // namespace ppspin
