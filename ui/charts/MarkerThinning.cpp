#include "MarkerThinning.h"

#include <QChart>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ppspin {

namespace {

// Cells of cell pixels along a side of pixels, and the cell of a value on
// it; the far edge falls in the last.
struct TCells {
    qsizetype Count;
    double Low, Span;
    TCells(double low, double high, double pixels, double cell)
        : Count(CellCount(pixels, cell)), Low(low), Span(high - low) {}
    static qsizetype CellCount(double pixels, double cell) {
        return std::max<qsizetype>(1, static_cast<qsizetype>(std::ceil(pixels / cell)));
    }
    qsizetype Of(double v) const {
        if (!(Span > 0))
            return 0;
        const auto at = static_cast<qsizetype>((v - Low) / Span * static_cast<double>(Count));
        return std::clamp<qsizetype>(at, 0, Count - 1);
    }
};

// The first point in each cell of cell pixels.
QList<QPointF> OnePerCell(const QList<QPointF>& points, const QRectF& range, const QSizeF& size,
                          double cell) {
    const TCells columns(range.left(), range.right(), size.width(), cell);
    const TCells rows(range.top(), range.bottom(), size.height(), cell);
    std::vector<bool> taken(static_cast<std::size_t>(columns.Count * rows.Count), false);
    QList<QPointF> kept;
    for (const QPointF& p : points) {
        if (!(p.x() >= range.left() && p.x() <= range.right() && p.y() >= range.top() &&
              p.y() <= range.bottom()))
            continue;
        const auto at = static_cast<std::size_t>(columns.Of(p.x()) * rows.Count + rows.Of(p.y()));
        if (!taken[at]) {
            taken[at] = true;
            kept.append(p);
        }
    }
    return kept;
}

QValueAxis* AxisOf(QScatterSeries& series, Qt::Orientation orientation) {
    for (QAbstractAxis* axis : series.attachedAxes())
        if (axis->orientation() == orientation)
            return qobject_cast<QValueAxis*>(axis);
    return nullptr;
}

} // namespace

QList<QPointF> ThinMarkers(const QList<QPointF>& points, const QRectF& range, const QSizeF& size,
                           double markerSize) {
    double cell = std::max(markerSize, 1.0);
    QList<QPointF> kept = OnePerCell(points, range, size, cell);
    // Points that cover the area: larger cells, by the share of marks too
    // many (each cell holding one, their count falls with the cell's area).
    while (kept.size() > MostMarkers) {
        cell *= std::max(1.05, std::sqrt(static_cast<double>(kept.size()) / MostMarkers));
        kept = OnePerCell(points, range, size, cell);
    }
    return kept;
}

void SetMarkerPoints(QScatterSeries& series, const QList<QPointF>& points) {
    QChart* chart = series.chart();
    QValueAxis* x = AxisOf(series, Qt::Horizontal);
    QValueAxis* y = AxisOf(series, Qt::Vertical);
    if (points.size() <= MostMarkers || chart == nullptr || x == nullptr || y == nullptr) {
        series.replace(points);
        return;
    }
    const auto thin = [&series, chart, x, y, points] {
        const QRectF range(QPointF(x->min(), y->min()), QPointF(x->max(), y->max()));
        series.replace(ThinMarkers(points, range, chart->plotArea().size(), series.markerSize()));
    };
    QObject::connect(chart, &QChart::plotAreaChanged, &series, thin);
    QObject::connect(x, &QValueAxis::rangeChanged, &series, thin);
    QObject::connect(y, &QValueAxis::rangeChanged, &series, thin);
    thin();
}

} // namespace ppspin
