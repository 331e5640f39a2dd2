// The colours of the maps' values, and the colour bar that reads them back.
#pragma once

#include "GridMap.h"

#include <QColor>
#include <QRectF>

#include <vector>

class QPainter;

namespace ppspin::gridmaps {

// The colour at t in [0, 1] of the range; the middle one for a non-finite t.
QColor ViridisAt(double t);

// Contour lines show dark on the light part of the map, light on the dark.
QColor LineColour(const QColor& under);

// The room right of a plot that the colour bar and its labels need: the
// widest labels of any map's bar beside a plot plotHeight high.
double BarRoom(const std::vector<TMap>& maps, double plotHeight);

// map's colour bar beside plot, its labels ending at right.
void DrawColourBar(QPainter& p, const TMap& map, const QRectF& plot, double right);

} // namespace ppspin::gridmaps
