// The drawing of ppspin-cli's pictures lives in a module that the runner
// loads only when a picture is asked for: a run without one loads no Qt.
// This is the module's interface. Only C types cross it, the picture's data
// as bytes (PictureBytes.h), and no exception does: the two sides share no
// C++ object. The version is part of every name the module exports, so a
// module of another build has none of the names this one looks up.
#pragma once

#include <stddef.h>

#define PPSPIN_PLOT_MODULE_VERSION 4

#define PPSPIN_PLOT_JOIN(name, version) name##_v##version
#define PPSPIN_PLOT_VERSIONED(name, version) PPSPIN_PLOT_JOIN(name, version)
// name with this build's version: ppspin_plot_draw_v4.
#define PPSPIN_PLOT_NAME(name) PPSPIN_PLOT_VERSIONED(name, PPSPIN_PLOT_MODULE_VERSION)
#define PPSPIN_PLOT_QUOTE(name) #name
#define PPSPIN_PLOT_TEXT(name) PPSPIN_PLOT_QUOTE(name)

extern "C" {

// Draws the picture that bytes encode into path (PNG or SVG by its ending)
// at width x height pixels and returns 1; returns 0, having written nothing,
// with the reason in error, NUL-terminated and cut to errorSize bytes.
int PPSPIN_PLOT_NAME(ppspin_plot_draw)(const unsigned char* bytes, size_t size, const char* path,
                                       int width, int height, char* error, size_t errorSize);

// Ends the Qt application the pictures made; call before unloading.
void PPSPIN_PLOT_NAME(ppspin_plot_release)(void);

// Removes the temporary files of pictures being written, and holds any
// further writing: for a process about to end on a signal.
void PPSPIN_PLOT_NAME(ppspin_plot_remove_temporaries)(void);
}

namespace ppspin {

inline constexpr int PlotModuleVersion = PPSPIN_PLOT_MODULE_VERSION;

// The names to look up.
inline constexpr const char* PlotDrawEntry = PPSPIN_PLOT_TEXT(PPSPIN_PLOT_NAME(ppspin_plot_draw));
inline constexpr const char* PlotReleaseEntry =
    PPSPIN_PLOT_TEXT(PPSPIN_PLOT_NAME(ppspin_plot_release));
inline constexpr const char* PlotRemoveTemporariesEntry =
    PPSPIN_PLOT_TEXT(PPSPIN_PLOT_NAME(ppspin_plot_remove_temporaries));

using TPlotDraw = decltype(&PPSPIN_PLOT_NAME(ppspin_plot_draw));
using TPlotRelease = decltype(&PPSPIN_PLOT_NAME(ppspin_plot_release));
using TPlotRemoveTemporaries = decltype(&PPSPIN_PLOT_NAME(ppspin_plot_remove_temporaries));

// Room for an error: a message naming the longest path the system takes.
inline constexpr size_t PlotErrorSize = 8192;

} // namespace ppspin
