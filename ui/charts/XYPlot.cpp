#include "XYPlot.h"

#include "ChartAxes.h"
#include "ChartStack.h"
#include "ChartView.h"
#include "ImageExport.h"
#include "ProfileCharts.h"

#include <QChart>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPen>
#include <QVBoxLayout>
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

TXYPlotPage::TXYPlotPage(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
    Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 4, 0, 0);
}

void TXYPlotPage::MakeCharts(int count, int columns) {
    delete Charts;
    Charts = new TChartStack(count, columns, this);
    Layout->addWidget(Charts, 1);
    for (int i = 0; i < count; ++i) {
        QChart& chart = Charts->Chart(i);
        chart.legend()->hide();
        chart.addAxis(new QValueAxis, Qt::AlignBottom);
        chart.addAxis(new QValueAxis, Qt::AlignLeft);
        Charts->View(i).viewport()->installEventFilter(this);
    }
}

void TXYPlotPage::SetPlot(const TXYPlot& plot) {
    Shown = plot;
    setWindowTitle(plot.Title);
    if (Title == nullptr && !plot.Title.isEmpty()) {
        Title = PageTitle(QString(), this);
        Layout->insertWidget(0, Title);
    }
    if (Title != nullptr) {
        Title->setText(plot.Title);
        Title->setVisible(!plot.Title.isEmpty());
    }
    const int count = std::max<int>(1, static_cast<int>(plot.Series.size()));
    const int columns = count > 4 ? 2 : 1;
    if (Charts == nullptr || Charts->Count() != count)
        MakeCharts(count, columns);

    double xLo = std::numeric_limits<double>::infinity();
    double xHi = -xLo;
    for (const double x : plot.X) {
        if (std::isfinite(x)) {
            xLo = std::min(xLo, x);
            xHi = std::max(xHi, x);
        }
    }

    for (int i = 0; i < count; ++i) {
        QChart& chart = Charts->Chart(i);
        auto* xAxis = static_cast<QValueAxis*>(chart.axes(Qt::Horizontal).front());
        auto* yAxis = static_cast<QValueAxis*>(chart.axes(Qt::Vertical).front());
        SetNiceRange(*xAxis, xLo, xHi, 8, MarkerPad);
        // The x axis is numbered under the last chart of each column only.
        if (i + columns < count) {
            xAxis->setLabelsVisible(false);
            xAxis->setTitleVisible(false);
        } else {
            xAxis->setTitleText(plot.XLabel);
        }
        if (i >= static_cast<int>(plot.Series.size())) {
            chart.removeAllSeries();
            SetNiceRange(*yAxis, 0, 1);
            continue;
        }

        const TXYSeries& s = plot.Series[static_cast<std::size_t>(i)];
        yAxis->setTitleText(s.Name);
        double yLo = std::numeric_limits<double>::infinity();
        double yHi = -yLo;
        // The lines drawn are given their new points where there are as many:
        // a study's lines grow as its rows arrive, and new lines cost more.
        const std::vector<QList<QPointF>> segments = Segments(plot.X, s.Y);
        if (chart.series().size() != static_cast<qsizetype>(segments.size()))
            chart.removeAllSeries();
        for (std::size_t k = 0; k < segments.size(); ++k) {
            const QList<QPointF>& segment = segments[k];
            if (chart.series().size() == static_cast<qsizetype>(segments.size())) {
                static_cast<QLineSeries*>(chart.series()[static_cast<qsizetype>(k)])
                    ->replace(segment);
            } else {
                auto* line = new QLineSeries;
                line->replace(segment);
                chart.addSeries(line);
                line->attachAxis(xAxis);
                line->attachAxis(yAxis);
                line->setPen(QPen(SeriesColour(i), 2));
                line->setPointsVisible(true);
            }
            for (const QPointF& p : segment) {
                yLo = std::min(yLo, p.y());
                yHi = std::max(yHi, p.y());
            }
        }
        SetNiceRange(*yAxis, yLo, yHi, 5, MarkerPad);
    }
    if (isVisible())
        Charts->AlignPlotAreas();
}

int TXYPlotPage::PointAt(const QWidget* view, QPoint position) const {
    for (int i = 0; Charts != nullptr && i < Charts->Count(); ++i) {
        const TChartView& chartView = Charts->View(i);
        if (view != &chartView && view != chartView.viewport())
            continue;
        QChart& chart = *chartView.chart();
        const QPointF inChart = chart.mapFromScene(chartView.mapToScene(position));
        if (!chart.plotArea().contains(inChart))
            return -1;
        const double x = chart.mapToValue(inChart).x();
        int nearest = -1;
        for (int k = 0; k < static_cast<int>(Shown.X.size()); ++k)
            if (nearest < 0 || std::abs(Shown.X[k] - x) < std::abs(Shown.X[nearest] - x))
                nearest = k;
        return nearest;
    }
    return -1;
}

bool TXYPlotPage::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (press || event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const int index =
            mouse->button() == Qt::LeftButton
                ? PointAt(qobject_cast<QWidget*>(watched), mouse->position().toPoint())
                : -1;
        if (index >= 0) {
            if (press)
                emit PointClicked(index);
            else
                emit PointActivated(index);
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool RenderXYPlot(const TXYPlot& plot, const QString& path, QSize size, QString* error) {
    TXYPlotPage page;
    page.SetPlot(plot);
    return SaveChartImage(page, path, size, error);
}

} // namespace ppspin
