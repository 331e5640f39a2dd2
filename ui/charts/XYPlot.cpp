#include "XYPlot.h"

#include "ChartAxes.h"
#include "ChartStack.h"
#include "ProfileCharts.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ppspin {

namespace {

// Room beyond the data, as a fraction of its span, for whole point markers.
constexpr double MarkerPad = 0.03;

QColor SeriesColour(int index) {
    return index == 0 ? NewestRunColour() : KeptRunColour(index - 1);
}

// Runs of consecutive present values, each drawn as one line.
std::vector<QList<QPointF>> Segments(const std::vector<double>& x,
                                     const std::vector<std::optional<double>>& y) {
    std::vector<QList<QPointF>> segments;
    bool open = false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const bool present =
            i < y.size() && y[i].has_value() && std::isfinite(*y[i]) && std::isfinite(x[i]);
        if (!present) {
            open = false;
            continue;
        }
        if (!open)
            segments.emplace_back();
        segments.back().append(QPointF(x[i], *y[i]));
        open = true;
    }
    return segments;
}

} // namespace

bool RenderXYPlot(const TXYPlot& plot, const QString& path, QSize size, QString* error) {
    const int count = std::max<int>(1, static_cast<int>(plot.Series.size()));
    const int columns = count > 4 ? 2 : 1;

    QWidget page;
    auto* stack = new TChartStack(count, columns);
    PlaceOnPage(page, plot.Title, stack);

    double xLo = std::numeric_limits<double>::infinity();
    double xHi = -xLo;
    for (const double x : plot.X) {
        if (std::isfinite(x)) {
            xLo = std::min(xLo, x);
            xHi = std::max(xHi, x);
        }
    }

    for (int i = 0; i < count; ++i) {
        QChart& chart = stack->Chart(i);
        chart.legend()->hide();
        auto* xAxis = new QValueAxis;
        auto* yAxis = new QValueAxis;
        chart.addAxis(xAxis, Qt::AlignBottom);
        chart.addAxis(yAxis, Qt::AlignLeft);
        SetNiceRange(*xAxis, xLo, xHi, 8, MarkerPad);
        // The x axis is numbered under the last chart of each column only.
        if (i + columns < count) {
            xAxis->setLabelsVisible(false);
            xAxis->setTitleVisible(false);
        } else {
            xAxis->setTitleText(plot.XLabel);
        }
        if (i >= static_cast<int>(plot.Series.size())) {
            SetNiceRange(*yAxis, 0, 1);
            continue;
        }

        const TXYSeries& s = plot.Series[static_cast<std::size_t>(i)];
        yAxis->setTitleText(s.Name);
        double yLo = std::numeric_limits<double>::infinity();
        double yHi = -yLo;
        for (const QList<QPointF>& segment : Segments(plot.X, s.Y)) {
            auto* line = new QLineSeries;
            line->replace(segment);
            chart.addSeries(line);
            line->attachAxis(xAxis);
            line->attachAxis(yAxis);
            line->setPen(QPen(SeriesColour(i), 2));
            line->setPointsVisible(true);
            for (const QPointF& p : segment) {
                yLo = std::min(yLo, p.y());
                yHi = std::max(yHi, p.y());
            }
        }
        SetNiceRange(*yAxis, yLo, yHi, 5, MarkerPad);
    }
    return SaveChartImage(page, path, size, error);
}

} // namespace ppspin
