// Charts drawn offscreen for the headless runner.
#pragma once

#include "ProfileSnapshot.h"
#include "Sweep.h"

#include <string>
#include <vector>

namespace ppspin::cli {

struct TPlotSize {
    int Width = 1600, Height = 1200; // pixels
};

// Reads WxH, both between 100 and 10000 pixels.
bool ParsePlotSize(const std::string& text, TPlotSize& size);

// True for names ending in .png or .svg (any case).
bool IsPlotFileName(const std::string& path);

// The four profile charts of a converged run, as PNG or SVG by the file's ending.
bool PlotProfile(const TProfileSnapshot& profile, const std::string& path, TPlotSize size,
                 std::string& error);

// The summary's numeric columns against the swept value, titled xLabel.
bool PlotSummary(std::string_view xLabel, const std::vector<TSweepRow>& rows,
                 const std::string& path, TPlotSize size, std::string& error);

} // namespace ppspin::cli
