#include "SimplifyLine.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace ppspin {

QList<QPointF> SimplifyLine(const QList<QPointF>& points, double xScale, double yScale,
                            double tolerance) {
    const qsizetype n = points.size();
    if (n <= 2)
        return points;
    const double sx = xScale > 0 ? 1 / xScale : 0, sy = yScale > 0 ? 1 / yScale : 0;
    const auto scaled = [&](qsizetype i) {
        return QPointF(points[i].x() * sx, points[i].y() * sy);
    };
    std::vector<bool> keep(static_cast<std::size_t>(n), false);
    keep.front() = keep.back() = true;
    // Spans still to split, on a stack of their own: a recursion as deep
    // as the points are many would not do.
    std::vector<std::pair<qsizetype, qsizetype>> spans{{0, n - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        const QPointF a = scaled(first), b = scaled(last);
        const QPointF d = b - a;
        const double length2 = QPointF::dotProduct(d, d);
        double farthest = -1;
        qsizetype at = -1;
        for (qsizetype i = first + 1; i < last; ++i) {
            const QPointF p = scaled(i) - a;
            // From the chord itself, not its line: a point beyond an end is
            // as far as from that end.
            const double t =
                length2 > 0 ? std::clamp(QPointF::dotProduct(p, d) / length2, 0.0, 1.0) : 0.0;
            const QPointF off = p - t * d;
            const double distance = QPointF::dotProduct(off, off); // squared
            if (distance > farthest) {
                farthest = distance;
                at = i;
            }
        }
        if (at < 0 || farthest <= tolerance * tolerance)
            continue;
        keep[static_cast<std::size_t>(at)] = true;
        spans.emplace_back(first, at);
        spans.emplace_back(at, last);
    }
    QList<QPointF> kept;
    for (qsizetype i = 0; i < n; ++i)
        if (keep[static_cast<std::size_t>(i)])
            kept.append(points[i]);
    return kept;
}

} // namespace ppspin
