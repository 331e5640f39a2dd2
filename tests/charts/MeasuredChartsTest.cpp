// Measured points on the profile charts, and the residual charts.
#include "ChartsTestSupport.h"
#include "MarkerThinning.h"
#include "ProfileCharts.h"
#include "ResidualCharts.h"

#include <QChart>
#include <QFileInfo>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>

#include <random>

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

// Points strewn over the whole of z from 0 to 100 and values from lo to hi.
void Strew(std::vector<double>& z, std::vector<double>& values, double lo, double hi) {
    std::mt19937 random(7);
    const auto share = [&] { return static_cast<double>(random()) / std::mt19937::max(); };
    for (int i = 0; i < 100000; ++i) {
        z.push_back(100 * share());
        values.push_back(lo + (hi - lo) * share());
    }
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

    // Points strewn over a whole plot area are drawn as a few thousand
    // markers: a picture of a few megabytes.
    void aHundredThousandPointsDrawFewMarkers() {
        const TProfileSnapshot run = ppspin::testing::ConvergedRun();
        TMeasuredMarkers markers{TSpinlineQuantity::Diameter, {}, {}};
        Strew(markers.Z, markers.Value, 20, 250);
        TProfileCharts profile;
        profile.SetMarkers({markers});
        profile.SetRuns({}, &run);
        TResidualPlot plot;
        plot.ZEnd = 100;
        plot.Series.resize(1);
        Strew(plot.Series[0].Z, plot.Series[0].Residual, -5, 5);
        TResidualCharts residuals(plot);

        QTemporaryDir dir;
        const std::pair<TChartStack*, int> pictures[] = {
            {&profile, TProfileCharts::DiameterChart}, {&residuals, 0}};
        for (const auto& [charts, c] : pictures) {
            const QString path = dir.filePath("p.svg");
            QVERIFY(SaveChartImage(*charts, path, DefaultPlotSize, nullptr));
            QVERIFY(QFileInfo(path).size() < 5'000'000);
            const qsizetype drawn = ScatterOn(charts->Chart(c)).front()->count();
            QVERIFY(drawn <= MostMarkers);
            QVERIFY(drawn > MostMarkers / 2);
        }
    }
};

QTEST_MAIN(MeasuredChartsTest)
#include "MeasuredChartsTest.moc"
