// The contour lines of a map, drawn over its cells with their levels' labels.
#pragma once

#include "GridMap.h"

#include <QRectF>

#include <functional>

class QPainter;

namespace ppspin::gridmaps {

// Contour lines, each level labelled once where a label fits: on one of its
// longest lines, inside the plot, clear of other labels and of cells without
// a value (free tells).
void DrawContours(QPainter& p, const TMap& map, const QRectF& plot, const TScale& sx,
                  const TScale& sy, const std::function<bool(const QRectF&)>& free);

} // namespace ppspin::gridmaps
