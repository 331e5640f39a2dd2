// The options that name and size the runner's pictures.
#pragma once

#include <string>

namespace ppspin::cli {

struct TPlotSize {
    int Width = 1600, Height = 1200; // pixels
};

// Reads WxH, both between 100 and 10000 pixels.
bool ParsePlotSize(const std::string& text, TPlotSize& size);

// True for names ending in .png or .svg (any case).
bool IsPlotFileName(const std::string& path);

} // namespace ppspin::cli
