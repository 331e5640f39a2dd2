// The pictures of the headless runner: a run's profile, its residuals from
// measured points and a study's summary, with Qt-free data in and a PNG or
// SVG file out, beside the study maps and tornado charts of StudyPlots.h.
#pragma once

#include "MeasuredPictures.h"
#include "StudyPictures.h"
#include "XYPlot.h"

#include <string>

namespace ppspin {

// The four profile charts of a converged run, measured points marked.
bool RenderProfilePicture(const TProfilePicture& picture, const std::string& path, int width,
                          int height, std::string& error);

// Measured minus model against z, a chart per quantity.
bool RenderResidualPicture(const TResidualPlot& plot, const std::string& path, int width,
                           int height, std::string& error);

// A study's summary as the charts draw it.
TXYPlot XYPlotOf(const TSummaryPlot& plot);

// One chart per series against the study's x.
bool RenderSummaryPlot(const TSummaryPlot& plot, const std::string& path, int width, int height,
                       std::string& error);

} // namespace ppspin
