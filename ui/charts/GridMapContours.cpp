// The contour lines of a map, drawn over its cells with their levels' labels.
#include "GridMapContours.h"
#include "ColourBar.h"
#include "StudyCanvas.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace ppspin::gridmaps {

namespace {

using namespace study;

// The part of segment a-b inside rect, as parameters along it (Liang-Barsky).
std::optional<std::pair<double, double>> Inside(QPointF a, QPointF b, const QRectF& rect) {
    const QPointF d = b - a;
    double t0 = 0, t1 = 1;
    const std::array<std::pair<double, double>, 4> sides = {{{-d.x(), a.x() - rect.left()},
                                                             {d.x(), rect.right() - a.x()},
                                                             {-d.y(), a.y() - rect.top()},
                                                             {d.y(), rect.bottom() - a.y()}}};
    for (const auto& [pk, qk] : sides) {
        if (pk == 0) {
            if (qk < 0)
                return std::nullopt;
            continue;
        }
        const double r = qk / pk;
        if (pk < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 >= t1)
            return std::nullopt;
    }
    return std::pair(t0, t1);
}

// Adds a polyline to path, leaving out what lies under the labels. Cut
// here rather than by clipping, which SVG output would ignore.
void AddCut(QPainterPath& path, const std::vector<QPointF>& line,
            const std::vector<QRectF>& holes) {
    bool drawing = false; // the path's current point is the segment's start
    for (std::size_t k = 1; k < line.size(); ++k) {
        const QPointF a = line[k - 1], b = line[k];
        std::vector<std::pair<double, double>> cuts;
        for (const QRectF& hole : holes) {
            if (const auto cut = Inside(a, b, hole))
                cuts.push_back(*cut);
        }
        std::sort(cuts.begin(), cuts.end());
        double t = 0;
        auto piece = [&](double from, double to) {
            if (!drawing || from > 0)
                path.moveTo(a + (b - a) * from);
            path.lineTo(a + (b - a) * to);
            drawing = to >= 1;
        };
        drawing = drawing && (cuts.empty() || cuts.front().first > 0);
        for (const auto& [from, to] : cuts) {
            if (from > t)
                piece(t, from);
            t = std::max(t, to);
        }
        if (t < 1)
            piece(t, 1);
        else
            drawing = false;
    }
}

double Length(const std::vector<QPointF>& line) {
    double total = 0;
    for (std::size_t k = 1; k < line.size(); ++k)
        total += QLineF(line[k - 1], line[k]).length();
    return total;
}

// The point at a fraction of a polyline's length.
QPointF PointAlong(const std::vector<QPointF>& line, double fraction) {
    double left = Length(line) * fraction;
    for (std::size_t k = 1; k < line.size(); ++k) {
        const double piece = QLineF(line[k - 1], line[k]).length();
        if (left <= piece && piece > 0)
            return line[k - 1] + (line[k] - line[k - 1]) * (left / piece);
        left -= piece;
    }
    return line.back();
}

} // namespace

void DrawContours(QPainter& p, const TMap& map, const QRectF& plot, const TScale& sx,
                  const TScale& sy, const std::function<bool(const QRectF&)>& free) {
    const QFont font = Font(LevelSize);
    const QFontMetricsF metrics(font);
    std::vector<std::vector<std::vector<QPointF>>> levels;
    std::vector<QRectF> labels(map.Levels.size());

    for (std::size_t l = 0; l < map.Levels.size(); ++l) {
        std::vector<std::vector<QPointF>> lines;
        for (const auto& line : map.Lines[l]) {
            std::vector<QPointF> points;
            points.reserve(line.size());
            for (const TContourPoint& q : line)
                points.emplace_back(sx(q.X), sy(q.Y));
            lines.push_back(std::move(points));
        }
        std::vector<std::size_t> longest(lines.size());
        for (std::size_t k = 0; k < longest.size(); ++k)
            longest[k] = k;
        std::sort(longest.begin(), longest.end(), [&](std::size_t a, std::size_t b) {
            return Length(lines[a]) > Length(lines[b]);
        });
        const QSizeF size(metrics.horizontalAdvance(StepNumber(map.Levels[l], map.LevelStep)) + 4,
                          metrics.height());
        bool placed = false;
        for (std::size_t k = 0; k < std::min<std::size_t>(longest.size(), 3) && !placed; ++k) {
            const auto& line = lines[longest[k]];
            if (Length(line) < size.width() * 3)
                break;
            for (const double at : {0.5, 0.3, 0.7, 0.15, 0.85}) {
                const QRectF rect(
                    PointAlong(line, at) - QPointF(size.width() / 2, size.height() / 2), size);
                const bool clash =
                    std::any_of(labels.begin(), labels.end(), [&](const QRectF& other) {
                        return !other.isNull() && rect.intersects(other.adjusted(-3, -3, 3, 3));
                    });
                if (clash || !plot.adjusted(2, 2, -2, -2).contains(rect) || !free(rect))
                    continue;
                labels[l] = rect;
                placed = true;
                break;
            }
        }
        levels.push_back(std::move(lines));
    }

    std::vector<QRectF> holes;
    for (const QRectF& rect : labels) {
        if (!rect.isNull())
            holes.push_back(rect);
    }
    p.setFont(font);
    p.setBrush(Qt::NoBrush);
    for (std::size_t l = 0; l < levels.size(); ++l) {
        const QColor colour = LineColour(ViridisAt(map.Fraction(map.Levels[l])));
        QPainterPath path;
        for (const auto& line : levels[l])
            AddCut(path, line, holes);
        p.setPen(QPen(colour, 0.9));
        p.drawPath(path);
        if (!labels[l].isNull()) {
            p.setPen(QColor(colour.red(), colour.green(), colour.blue()));
            p.drawText(labels[l], Qt::AlignCenter, StepNumber(map.Levels[l], map.LevelStep));
        }
    }
}

} // namespace ppspin::gridmaps
