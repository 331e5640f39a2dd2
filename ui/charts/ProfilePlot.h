// The profile charts drawn offscreen into a PNG or SVG file.
#pragma once

#include "ImageExport.h"
#include "MeasuredPictures.h"
#include "ProfileSnapshot.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

namespace ppspin {

// Draws the four profile charts of the kept runs and, when given, the newest
// into path (PNG or SVG by its ending), size pixels, the runs named in the
// legend by names (kept ones first), or by what they differ in when names
// is empty, with measured markers over them. Needs a QApplication; the
// offscreen platform will do. On failure returns false with the reason in
// *error.
bool RenderProfilePlot(const std::vector<TProfileSnapshot>& kept, const TProfileSnapshot* newest,
                       const QString& path, QSize size = DefaultPlotSize, QString* error = nullptr,
                       const QStringList& names = {}, std::vector<TMeasuredMarkers> markers = {});

} // namespace ppspin
