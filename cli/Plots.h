// Pictures for the headless runner. The drawing needs Qt, so it lives in a
// module loaded on the first picture: runs without pictures load no Qt.
#pragma once

#include "MeasuredPictures.h"
#include "PlotOptions.h"
#include "StudyPictures.h"

#include <string>
#include <vector>

namespace ppspin::cli {

// Loads the drawing module from beside the executable, once. False with a
// message naming where it looked when it is not there or does not fit.
bool LoadPlots(std::string& error);

// The four profile charts of a converged run, measured points marked, as
// PNG or SVG by the file's ending.
bool PlotProfile(const TProfilePicture& picture, const std::string& path, TPlotSize size,
                 std::string& error);

// A run's residuals from measured points against z.
bool PlotResiduals(const TResidualPlot& plot, const std::string& path, TPlotSize size,
                   std::string& error);

// A study's series against the swept value.
bool PlotSummary(const TSummaryPlot& plot, const std::string& path, TPlotSize size,
                 std::string& error);

// Heat maps of a grid study, and tornado charts of sensitivities.
bool PlotGridMaps(const TGridMaps& maps, const std::string& path, TPlotSize size,
                  std::string& error);
bool PlotTornado(const TTornado& tornado, const std::string& path, TPlotSize size,
                 std::string& error);

// Removes the temporary files of the pictures being written, if any, and
// holds any further writing of pictures: for a process about to end. Safe
// from any thread.
void RemovePlotTemporaries();

// Ends what the pictures started (Qt's application), once they are done.
void ReleasePlots();

} // namespace ppspin::cli
