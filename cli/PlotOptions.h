// The options that name and size the runner's pictures.
#pragma once

#include <string>

namespace ppspin::cli {

struct TPlotSize {
    int Width = 1600, Height = 1200; // pixels
};

// Reads WxH, both between 100 and 10000 pixels.
bool ParsePlotSize(const std::string& text, TPlotSize& size);

// Why a picture cannot be written under path, or empty when it can: its
// file name must end in .png or .svg (any case) after a name of its own, as
// the picture writer takes it (".png" alone is a hidden file without one).
std::string PlotFileNameRefusal(const std::string& path);

} // namespace ppspin::cli
