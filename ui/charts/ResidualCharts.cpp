#include "ResidualCharts.h"

#include "ChartAxes.h"
#include "MarkerThinning.h"
#include "ProfileCharts.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace ppspin {

namespace {

int ChartCount(const TResidualPlot& plot) {
    return std::max(1, static_cast<int>(plot.Series.size()));
}

void Attach(QChart& chart, QAbstractSeries* series) {
    chart.addSeries(series);
    series->attachAxis(chart.axes(Qt::Horizontal).value(0));
    series->attachAxis(chart.axes(Qt::Vertical).value(0));
}

} // namespace

TResidualCharts::TResidualCharts(const TResidualPlot& plot, QWidget* parent)
    : TChartStack(ChartCount(plot), 1, parent) {
    const double zEnd = plot.ZEnd > 0 ? plot.ZEnd : TRunInput{}.Z3;
    const double zStep = NiceStep(zEnd, 10);
    for (int c = 0; c < Count(); ++c) {
        QChart& chart = Chart(c);
        chart.legend()->hide();
        auto* x = new QValueAxis;
        auto* y = new QValueAxis;
        chart.addAxis(x, Qt::AlignBottom);
        chart.addAxis(y, Qt::AlignLeft);
        SetSteppedRange(*x, 0, zEnd, zStep, zStep < 1 ? 1 : 0);
        // One z axis for the stack: numbered and titled under the last chart only.
        if (c != Count() - 1) {
            x->setLabelsVisible(false);
            x->setTitleVisible(false);
        } else {
            x->setTitleText("z (cm)");
        }
        if (c >= static_cast<int>(plot.Series.size())) {
            SetNiceRange(*y, -1, 1);
            continue;
        }
        const TResidualSeries& s = plot.Series[static_cast<std::size_t>(c)];
        y->setTitleText(QString::fromStdString(s.Name));
        // Zero in the middle of the range, so that a bias shows as a side.
        double reach = 0;
        for (const double r : s.Residual)
            reach = std::max(reach, std::fabs(r));
        SetNiceRange(*y, -reach, reach, 4, 0.05);

        auto* zero = new QLineSeries;
        zero->append(0, 0);
        zero->append(zEnd, 0);
        Attach(chart, zero);
        zero->setPen(QPen(QColor(110, 110, 110), 1, Qt::DashLine));

        auto* points = new QScatterSeries;
        Attach(chart, points);
        points->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        points->setMarkerSize(8);
        points->setBrush(NewestRunColour());
        points->setPen(QPen(Qt::black, 1));
        QList<QPointF> residuals;
        for (std::size_t i = 0; i < s.Z.size() && i < s.Residual.size(); ++i)
            residuals.append(QPointF(s.Z[i], s.Residual[i]));
        // Thinned to the plot area once it is laid out.
        SetMarkerPoints(*points, residuals);
    }
    AlignPlotAreas();
}

bool RenderResidualPlot(const TResidualPlot& plot, const QString& path, QSize size,
                        QString* error) {
    QWidget page;
    PlaceOnPage(page, QString::fromStdString(plot.Title), new TResidualCharts(plot));
    return SaveChartImage(page, path, size, error);
}

} // namespace ppspin
