// Measured points over the profile charts: a scatter series per measured
// quantity, named once in the legend.
#include "ProfileCharts.h"

#include "MarkerThinning.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

namespace ppspin {

namespace {

constexpr double MarkerSize = 8;

int ChartOf(TSpinlineQuantity quantity) {
    switch (quantity) {
    case TSpinlineQuantity::Velocity:
        return TProfileCharts::VelocityChart;
    case TSpinlineQuantity::Tension:
        return TProfileCharts::TensionChart;
    case TSpinlineQuantity::Temperature:
        return TProfileCharts::TemperatureChart;
    case TSpinlineQuantity::Diameter:
        break;
    }
    return TProfileCharts::DiameterChart;
}

// Hollow black circles: the runs' lines stay visible through them.
QScatterSeries* AddScatter(QChart& chart) {
    auto* series = new QScatterSeries;
    chart.addSeries(series);
    series->attachAxis(chart.axes(Qt::Horizontal).value(0));
    series->attachAxis(chart.axes(Qt::Vertical).value(0));
    series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    series->setMarkerSize(MarkerSize);
    series->setBrush(Qt::white); // after addSeries, or the theme would recolour it
    series->setPen(QPen(Qt::black, 1.5));
    return series;
}

} // namespace

void TProfileCharts::SetMarkers(std::vector<TMeasuredMarkers> markers) {
    Markers = std::move(markers);
    MarkerRanges = {}; // z stays the runs': the points lie on their spinlines
    for (const TMeasuredMarkers& m : Markers) {
        const int c = ChartOf(m.Quantity);
        for (const double v : m.Value) {
            MarkerRanges.Lo[c] = std::min(MarkerRanges.Lo[c], v);
            MarkerRanges.Hi[c] = std::max(MarkerRanges.Hi[c], v);
        }
    }
}

void TProfileCharts::AddMarkers() {
    if (Markers.empty())
        return;
    for (const TMeasuredMarkers& m : Markers) {
        QChart& chart = Chart(ChartOf(m.Quantity));
        QScatterSeries* series = AddScatter(chart);
        QList<QPointF> points;
        for (std::size_t i = 0; i < m.Z.size() && i < m.Value.size(); ++i)
            points.append(QPointF(m.Z[i], m.Value[i]));
        SetMarkerPoints(*series, points);
        for (QLegendMarker* marker : chart.legend()->markers(series))
            marker->setVisible(false);
    }
    AddScatter(Chart(VelocityChart))->setName("measured");
}

} // namespace ppspin
