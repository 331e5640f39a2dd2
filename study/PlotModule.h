// The drawing of ppspin-cli's pictures lives in a module that the runner
// loads only when a picture is asked for: a run without one loads no Qt.
// This is the module's interface, Qt-free: both sides are built together,
// so C++ types cross the boundary; the version guards against a module from
// another build.
#pragma once

#include "MeasuredPictures.h"
#include "StudyPictures.h"

#include <string>

namespace ppspin {

inline constexpr int PlotModuleVersion = 2;

// Draws data into path (PNG or SVG by its ending) at width x height pixels;
// false with the reason in error, having written nothing, when it cannot.
template <typename Data>
using TRenderer = bool (*)(const Data& data, const std::string& path, int width, int height,
                           std::string& error);

struct TPlotModule {
    int Version;
    TRenderer<TProfilePicture> Profile; // a run's profile, measured points marked
    TRenderer<TSummaryPlot> Summary;
    TRenderer<TGridMaps> GridMaps;
    TRenderer<TTornado> Tornado;
    TRenderer<TResidualPlot> Residuals;
    // Ends the Qt application the pictures made; call before unloading.
    void (*Release)();
};

// The module's one exported name.
inline constexpr const char* PlotModuleEntry = "ppspin_plot_module";

} // namespace ppspin

extern "C" const ppspin::TPlotModule* ppspin_plot_module();
