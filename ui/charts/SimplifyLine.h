// Fewer points for a polyline that looks the same: a line drawn through
// a thousand points a pixel apart costs a chart far more to lay out and
// stroke than the few dozen its shape needs.
#pragma once

#include <QList>
#include <QPointF>

namespace ppspin {

// The points of the polyline points that keep its shape (Ramer-Douglas-
// Peucker): no point left out lies farther than tolerance from the line
// through the points kept, distances measured in x / xScale and y / yScale.
// The first and the last points are always kept; a non-positive scale
// counts that coordinate as equal everywhere.
QList<QPointF> SimplifyLine(const QList<QPointF>& points, double xScale, double yScale,
                            double tolerance = 1.0);

} // namespace ppspin
