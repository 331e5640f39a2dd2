// The drawing of ppspin-cli's pictures lives in a module that the runner
// loads only when a picture is asked for: a run without one loads no Qt.
// Both sides are built together, so C++ types cross the boundary; the
// version guards against a module from another build.
#pragma once

#include "HeadlessPlots.h"
#include "StudyPlots.h"

namespace ppspin {

inline constexpr int PlotModuleVersion = 1;

struct TPlotModule {
    int Version;
    decltype(&RenderProfilePicture) Profile;
    decltype(&RenderSummaryPlot) Summary;
    decltype(&RenderGridMaps) GridMaps;
    decltype(&RenderTornado) Tornado;
    // Ends the Qt application the pictures made; call before unloading.
    void (*Release)();
};

// The module's one exported name.
inline constexpr const char* PlotModuleEntry = "ppspin_plot_module";

} // namespace ppspin

extern "C" const ppspin::TPlotModule* ppspin_plot_module();
