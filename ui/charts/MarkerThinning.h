// Scatter markers no denser than a picture shows them. Each marker is an
// item of its own to lay out and a shape of its own in an SVG: a hundred
// thousand measured points took a minute and a 165 MB file to draw markers
// that mostly hid one another.
#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

class QScatterSeries;

namespace ppspin {

// Series of up to this many points are drawn whole, and more are thinned
// to no more marks than this.
inline constexpr qsizetype MostMarkers = 2000;

// The points, in their order, that leave one marker in each cell of a grid
// over a plot area of size pixels spanning range (x and y as the axes run):
// the first point to fall in each. A cell is a marker's size across, or
// larger where more than MostMarkers would be left so. Points beyond range,
// which the plot area does not show, are left out.
QList<QPointF> ThinMarkers(const QList<QPointF>& points, const QRectF& range, const QSizeF& size,
                           double markerSize);

// Gives series, attached to its chart and axes, its points: all of them up
// to MostMarkers, more thinned to what the plot area shows,
// again whenever the plot area or an axis's range changes.
void SetMarkerPoints(QScatterSeries& series, const QList<QPointF>& points);

} // namespace ppspin
