// Measured points on the profile charts, and the residual charts.
#include "ChartsTestSupport.h"
#include "ProfileCharts.h"
#include "ResidualCharts.h"

#include <QChart>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtTest>

using namespace ppspin;

namespace {

QList<QScatterSeries*> ScatterOn(QChart& chart) {
    QList<QScatterSeries*> found;
    for (QAbstractSeries* series : chart.series())
        if (auto* scatter = qobject_cast<QScatterSeries*>(series))
            found.append(scatter);
    return found;
}

const QValueAxis& YAxis(QChart& chart) {
    return *static_cast<QValueAxis*>(chart.axes(Qt::Vertical).value(0));
}

} // namespace

class MeasuredChartsTest : public QObject {
    Q_OBJECT

  private slots:
    // Each quantity's points on its own chart, kept through a change of
    // runs; the axis reaches a point beyond every run, and an empty series
    // names the points once in the legend.
    void markersStayOnTheirChartsWithinTheAxes() {
        const TProfileSnapshot run = ppspin::testing::ConvergedRun();
        TProfileCharts charts;
        charts.SetMarkers({{TSpinlineQuantity::Diameter, {10, 50}, {400, 20}},
                           {TSpinlineQuantity::Temperature, {30}, {110}}});
        for (int pass = 0; pass < 2; ++pass) {
            charts.SetRuns({}, &run);
            const auto diameters = ScatterOn(charts.Chart(TProfileCharts::DiameterChart));
            QCOMPARE(diameters.size(), 1);
            QCOMPARE(diameters[0]->points(), QList<QPointF>({{10, 400}, {50, 20}}));
            QVERIFY(YAxis(charts.Chart(TProfileCharts::DiameterChart)).max() >= 400);
            QCOMPARE(ScatterOn(charts.Chart(TProfileCharts::TemperatureChart)).size(), 1);
            QCOMPARE(ScatterOn(charts.Chart(TProfileCharts::TensionChart)).size(), 0);
            const auto key = ScatterOn(charts.Chart(TProfileCharts::VelocityChart));
            QCOMPARE(key.size(), 1);
            QCOMPARE(key[0]->name(), QString("measured"));
            QCOMPARE(key[0]->count(), 0);
        }
    }

    void residualsGetAChartEachAroundZero() {
        TResidualPlot plot;
        plot.ZEnd = 100;
        plot.Series = {{"Diameter D_um (\u00b5m)", {10, 50}, {0.5, -2}},
                       {"Temperature T_C (\u00b0C)", {30}, {1}}};
        TResidualCharts charts(plot);
        QCOMPARE(charts.Count(), 2);
        for (int c = 0; c < 2; ++c) {
            QCOMPARE(ScatterOn(charts.Chart(c)).front()->count(),
                     static_cast<int>(plot.Series[static_cast<std::size_t>(c)].Z.size()));
            const QValueAxis& y = YAxis(charts.Chart(c));
            QCOMPARE(y.min(), -y.max());
            QVERIFY(y.max() >= 2 - c);
        }
    }
};

QTEST_MAIN(MeasuredChartsTest)
#include "MeasuredChartsTest.moc"
