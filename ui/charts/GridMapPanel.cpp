// One map's panel: its title, the cells with failed and refused runs marked,
// the contour lines, the axes and the colour bar.
#include "GridMapPanel.h"
#include "ColourBar.h"
#include "GridMapContours.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace ppspin::gridmaps {

namespace {

using namespace study;

// Cells smaller than this (logical pixels) are filled with the marker colour
// instead of carrying a cross.
constexpr double CrossCellSize = 7;

double Unmap(const TScale& s, double page) {
    return s.Lo + (page - s.From) / (s.To - s.From) * (s.Hi - s.Lo);
}

// The cells as an image of the plot's device pixels: each pixel takes the
// cell its centre lies in, so uneven grids and huge ones draw alike. A failed
// or refused cell is filled with its marker colour when too small for a
// cross, and paled otherwise; the cells to cross are returned.
QImage CellImage(const TFrame& frame, const TMap& map, QSize pixels,
                 std::vector<std::pair<QRectF, TGridRunStatus>>& crosses, const QRectF& plot) {
    const TGridMaps& maps = frame.Maps;
    const std::size_t nx = maps.X.size(), ny = maps.Y.size();
    const std::vector<double>& ex = frame.EdgesX;
    const std::vector<double>& ey = frame.EdgesY;
    const int w = pixels.width(), h = pixels.height();

    // Cell edges in pixels, y from the top.
    std::vector<double> px(nx + 1), py(ny + 1);
    for (std::size_t i = 0; i <= nx; ++i)
        px[i] = (ex[i] - ex[0]) / (ex[nx] - ex[0]) * w;
    for (std::size_t j = 0; j <= ny; ++j)
        py[j] = (ey[ny] - ey[j]) / (ey[ny] - ey[0]) * h;
    auto cellOf = [](const std::vector<double>& edges, double centre, bool descending) {
        const auto it = descending
                            ? std::upper_bound(edges.begin(), edges.end(), centre, std::greater<>())
                            : std::upper_bound(edges.begin(), edges.end(), centre);
        const auto k = std::distance(edges.begin(), it) - 1;
        return static_cast<std::size_t>(
            std::clamp<std::ptrdiff_t>(k, 0, static_cast<std::ptrdiff_t>(edges.size()) - 2));
    };
    std::vector<std::size_t> column(static_cast<std::size_t>(w)), row(static_cast<std::size_t>(h));
    for (int c = 0; c < w; ++c)
        column[static_cast<std::size_t>(c)] = cellOf(px, c + 0.5, false);
    for (int r = 0; r < h; ++r)
        row[static_cast<std::size_t>(r)] = cellOf(py, r + 0.5, true);

    std::vector<QRgb> colours(nx * ny);
    for (std::size_t i = 0; i < nx; ++i) {
        for (std::size_t j = 0; j < ny; ++j) {
            const auto& v = map.Values[i][j];
            // A point not run yet stays as blank as the ground.
            colours[i * ny + j] =
                (v                                                 ? ViridisAt(map.Fraction(*v))
                 : StatusAt(maps, i, j) == TGridRunStatus::Pending ? QColor(Qt::white)
                                                                   : MissingColour)
                    .rgb();
        }
    }

    QImage image(pixels, QImage::Format_RGB32);
    for (int r = 0; r < h; ++r) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(r));
        const std::size_t j = row[static_cast<std::size_t>(r)];
        for (int c = 0; c < w; ++c)
            line[c] = colours[column[static_cast<std::size_t>(c)] * ny + j];
    }

    // Pixel spans of a cell, at least one pixel wide so that no failure is lost.
    auto span = [](double a, double b, int size) {
        int first = static_cast<int>(std::ceil(a - 0.5));
        int last = static_cast<int>(std::ceil(b - 0.5)) - 1;
        if (last < first)
            first = last = static_cast<int>(std::floor((a + b) / 2));
        return std::pair(std::clamp(first, 0, size - 1), std::clamp(last, 0, size - 1));
    };
    const double crossPixels = CrossCellSize * frame.Scale;
    for (std::size_t i = 0; i < nx; ++i) {
        for (std::size_t j = 0; j < ny; ++j) {
            const TGridRunStatus status = StatusAt(maps, i, j);
            if (status == TGridRunStatus::Ok || status == TGridRunStatus::Pending)
                continue;
            const QColor marker = status == TGridRunStatus::Failed ? FailedColour : RefusedColour;
            const auto [c0, c1] = span(px[i], px[i + 1], w);
            const auto [r0, r1] = span(py[j + 1], py[j], h);
            const bool cross = px[i + 1] - px[i] >= crossPixels && py[j] - py[j + 1] >= crossPixels;
            const QRgb fill = (cross ? Blend(marker, 0.22) : marker).rgb();
            for (int r = r0; r <= r1; ++r) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(r));
                std::fill(line + c0, line + c1 + 1, fill);
            }
            if (cross) {
                const double sx = plot.width() / w, sy = plot.height() / h;
                crosses.emplace_back(QRectF(plot.left() + px[i] * sx, plot.top() + py[j + 1] * sy,
                                            (px[i + 1] - px[i]) * sx, (py[j] - py[j + 1]) * sy),
                                     status);
            }
        }
    }
    return image;
}

} // namespace

QColor Blend(const QColor& colour, double amount) {
    auto mix = [&](int c) { return static_cast<int>(std::lround(255 + amount * (c - 255))); };
    return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()));
}

void CrossCell(QPainter& p, const QRectF& cell, const QColor& colour) {
    DrawCross(p, cell.center(), std::min({cell.width(), cell.height(), 24.0}) * 0.28, colour);
}

QRect PlotPixels(const TFrame& frame, const QRectF& panel, const TPanelLayout& layout) {
    // On whole device pixels, where the cells' image goes one to one.
    const QRectF room(panel.left() + layout.Left, panel.top() + layout.Top,
                      panel.width() - layout.Left - layout.Right, layout.Bottom - layout.Top);
    return QRect(QPoint(static_cast<int>(std::lround(room.left() * frame.Scale)),
                        static_cast<int>(std::lround(room.top() * frame.Scale))),
                 QPoint(static_cast<int>(std::lround(room.right() * frame.Scale)) - 1,
                        static_cast<int>(std::lround(room.bottom() * frame.Scale)) - 1));
}

QRectF PlotRect(const TFrame& frame, const QRect& pixels) {
    return QRectF(pixels.left() / frame.Scale, pixels.top() / frame.Scale,
                  pixels.width() / frame.Scale, pixels.height() / frame.Scale);
}

void DrawPanel(QPainter& p, const TFrame& frame, const TMap& map, const QRectF& panel,
               const TPanelLayout& layout) {
    const TGridMaps& maps = frame.Maps;
    const QRect device = PlotPixels(frame, panel, layout);
    const QRectF plot = PlotRect(frame, device);
    if (device.width() < 4 || device.height() < 4)
        return;
    const TScale sx{frame.EdgesX.front(), frame.EdgesX.back(), plot.left(), plot.right()};
    const TScale sy{frame.EdgesY.front(), frame.EdgesY.back(), plot.bottom(), plot.top()};

    const QFont titleFont = Font(PanelTitleSize, true);
    p.setFont(titleFont);
    p.setPen(TextColour);
    // Centred over the plot, as wide as the panel allows.
    const double half =
        std::min(plot.center().x() - panel.left(), panel.right() - plot.center().x());
    p.drawText(QRectF(plot.center().x() - half, panel.top(), 2 * half, layout.Top - 4),
               Qt::AlignHCenter | Qt::AlignBottom, Elided(map.Name, titleFont, 2 * half));

    std::vector<std::pair<QRectF, TGridRunStatus>> crosses;
    p.drawImage(plot, CellImage(frame, map, device.size(), crosses, plot));

    // A rect is free of cells without a value (failed, refused or missing).
    auto free = [&](const QRectF& rect) {
        auto cells = [](const std::vector<double>& edges, double a, double b) {
            const auto first = std::upper_bound(edges.begin(), edges.end(), std::min(a, b));
            const auto last = std::lower_bound(edges.begin(), edges.end(), std::max(a, b));
            return std::pair<std::size_t, std::size_t>(
                static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, first - edges.begin() - 1)),
                static_cast<std::size_t>(std::min<std::ptrdiff_t>(
                    static_cast<std::ptrdiff_t>(edges.size()) - 1, last - edges.begin())));
        };
        const auto [i0, i1] = cells(frame.EdgesX, Unmap(sx, rect.left()), Unmap(sx, rect.right()));
        const auto [j0, j1] = cells(frame.EdgesY, Unmap(sy, rect.bottom()), Unmap(sy, rect.top()));
        for (std::size_t i = i0; i < i1; ++i) {
            for (std::size_t j = j0; j < j1; ++j) {
                if (!map.Values[i][j])
                    return false;
            }
        }
        return true;
    };
    DrawContours(p, map, plot, sx, sy, free);
    for (const auto& [cell, status] : crosses)
        CrossCell(p, cell, status == TGridRunStatus::Failed ? FailedColour : RefusedColour);

    p.setPen(QPen(FrameColour, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);

    // Axes: ticks outward, numbers on round steps.
    const QFont tickFont = Font(TickSize);
    const QFontMetricsF tickMetrics(tickFont);
    p.setFont(tickFont);
    for (const double v : layout.TicksX.Values) {
        const double x = sx(v);
        p.setPen(QPen(FrameColour, 1));
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + TickLength));
        p.setPen(TextColour);
        p.drawText(QRectF(x - 60, plot.bottom() + TickLength + 1, 120, tickMetrics.height()),
                   Qt::AlignHCenter | Qt::AlignTop, StepNumber(v, layout.TicksX.Step));
    }
    for (const double v : layout.TicksY.Values) {
        const double y = sy(v);
        p.setPen(QPen(FrameColour, 1));
        p.drawLine(QPointF(plot.left() - TickLength, y), QPointF(plot.left(), y));
        p.setPen(TextColour);
        p.drawText(QRectF(panel.left(), y - tickMetrics.height() / 2,
                          plot.left() - TickLength - 3 - panel.left(), tickMetrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter, StepNumber(v, layout.TicksY.Step));
    }
    const QFont axisFont = Font(AxisSize);
    const QFontMetricsF axisMetrics(axisFont);
    p.setFont(axisFont);
    p.drawText(QRectF(plot.left(), plot.bottom() + TickLength + tickMetrics.height() + 2,
                      plot.width(), axisMetrics.height()),
               Qt::AlignHCenter | Qt::AlignTop, Elided(Text(maps.XName), axisFont, plot.width()));
    p.save();
    p.translate(panel.left(), plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), axisMetrics.height()), Qt::AlignCenter,
               Elided(Text(maps.YName), axisFont, plot.height()));
    p.restore();

    DrawColourBar(p, map, plot, panel.right());
}

} // namespace ppspin::gridmaps
