// The profile charts' content: what each series holds, the zone lines, the
// shared z axis, the legend's names and the hover callout.
#include "ProfileCharts.h"
#include "ChartView.h"
#include "ChartsTestSupport.h"
#include "RunLabels.h"
#include "SimplifyLine.h"

#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QValueAxis>
#include <QtTest>

Q_DECLARE_METATYPE(ppspin::TRunInput)

using namespace ppspin;
using ppspin::testing::ConvergedRun;
using ppspin::testing::ShownHover;

namespace {

// The vertical two-point series of a chart, by their z.
QList<double> ZoneLines(QChart& chart) {
    QList<double> zs;
    for (QAbstractSeries* s : chart.series()) {
        const QList<QPointF> points = static_cast<QXYSeries*>(s)->points();
        if (points.size() == 2 && points[0].x() == points[1].x())
            zs << points[0].x();
    }
    std::sort(zs.begin(), zs.end());
    return zs;
}

// The zone names along the first chart's top.
QStringList ZoneLabels(const TProfileCharts& charts) {
    QStringList labels;
    for (QGraphicsItem* item : charts.Chart(TProfileCharts::VelocityChart).childItems())
        if (auto* text = qgraphicsitem_cast<QGraphicsSimpleTextItem*>(item);
            text != nullptr && text->data(0).isValid())
            labels << text->text();
    labels.sort();
    return labels;
}

} // namespace

class ProfileChartsTest : public QObject {
    Q_OBJECT

  private slots:
    void seriesHoldEveryPointInDisplayedUnits_data() {
        QTest::addColumn<double>("increment");
        QTest::addColumn<int>("n3");
        QTest::newRow("defaults") << 1.0 << 101;
        QTest::newRow("half increment") << 0.5 << 201;
    }
    void seriesHoldEveryPointInDisplayedUnits() {
        QFETCH(double, increment);
        QFETCH(int, n3);
        const TProfileSnapshot run = ConvergedRun(3500.0, increment);
        QCOMPARE(static_cast<int>(run.Points.size()), n3);

        TProfileCharts charts;
        charts.SetRuns({}, &run);
        QCOMPARE(charts.RunCount(), 1);
        for (int q = 0; q < ProfileQuantityCount; ++q) {
            const QList<QPointF> points =
                charts.Series(0, static_cast<TProfileQuantity>(q))->points();
            QCOMPARE(points.size(), n3);
            for (int k = 0; k < n3; ++k) {
                const TProfilePoint& p = run.Points[static_cast<std::size_t>(k)];
                const double expected[] = {p.VM, p.T, p.TA, p.DUm, p.F};
                QCOMPARE(points[k].x(), p.Z);
                QCOMPARE(points[k].y(), expected[q]);
            }
        }
        // Spot values a reader would check: the filament leaves the hole at
        // its diameter and arrives at the take-up speed.
        const auto* d = charts.Series(0, TProfileQuantity::Diameter);
        QCOMPARE(d->at(0).y(), run.Input.D0 * 1e4);
        const auto* v = charts.Series(0, TProfileQuantity::Velocity);
        QVERIFY(std::abs(v->at(n3 - 1).y() - 3500.0) < 3500.0 * 0.001);
    }

    void everyChartSharesTheZAxisAndShowsTheZoneEnds_data() {
        QTest::addColumn<double>("increment");
        QTest::newRow("defaults") << 1.0;
        // The last z summed up is 99.9999999999986; the axis ends at the grid's end.
        QTest::newRow("fine") << 0.1;
    }
    void everyChartSharesTheZAxisAndShowsTheZoneEnds() {
        QFETCH(double, increment);
        const TProfileSnapshot run = ConvergedRun(3500.0, increment);
        TProfileCharts charts;
        charts.SetRuns({}, &run);
        for (int c = 0; c < TProfileCharts::ChartCount; ++c) {
            QChart& chart = charts.Chart(c);
            const auto* z = static_cast<QValueAxis*>(chart.axes(Qt::Horizontal).value(0));
            QCOMPARE(z->min(), 0.0);
            QVERIFY(z->max() == 100.0); // exactly, or the tick at 100 goes unlabelled
            QCOMPARE(ZoneLines(chart), QList<double>({10.0, 35.0}));
            // Every value drawn lies inside the chart's y range.
            const auto* y = static_cast<QValueAxis*>(chart.axes(Qt::Vertical).value(0));
            for (QAbstractSeries* s : chart.series()) {
                for (const QPointF& p : static_cast<QXYSeries*>(s)->points())
                    QVERIFY(p.y() >= y->min() && p.y() <= y->max());
            }
        }
    }

    // Each position once; where the runs' ends differ, each line names its runs.
    void zoneEndsOfEveryRunAreDrawnOnceAndNamedByRunWhereTheyDiffer() {
        TProfileSnapshot kept = ConvergedRun(3000.0);
        kept.Input.Z2 = 40.0;
        const TProfileSnapshot newest = ConvergedRun();
        TProfileCharts charts;
        TProfileSnapshot near = newest;
        near.Input.Z2 = 37.0; // its label would run into its neighbour's
        charts.resize(700, 800);
        charts.show();
        QVERIFY(QTest::qWaitForWindowExposed(&charts));
        charts.SetRuns({kept, kept}, &near, {"#1", "#2", "#3"});
        QCOMPARE(ZoneLines(charts.Chart(TProfileCharts::TensionChart)),
                 QList<double>({10.0, 37.0, 40.0}));
        QCOMPARE(ZoneLabels(charts), QStringList({"Z1", "Z2 #1, #2", "Z2 #3"}));
        QList<QRectF> placed;
        for (QGraphicsItem* item : charts.Chart(TProfileCharts::VelocityChart).childItems())
            if (auto* text = qgraphicsitem_cast<QGraphicsSimpleTextItem*>(item);
                text != nullptr && text->data(0).isValid())
                placed << text->sceneBoundingRect();
        for (int i = 0; i < placed.size(); ++i)
            for (int j = i + 1; j < placed.size(); ++j)
                QVERIFY(!placed[i].intersects(placed[j]));
        charts.SetRuns({newest}, &newest, {"#1", "#2"});
        QCOMPARE(ZoneLabels(charts), QStringList({"Z1", "Z2"}));
    }

    void replacingTheNewestRedrawsItAloneAndRefitsAxesAndZones() {
        const TProfileSnapshot kept = ConvergedRun(3000.0);
        const TProfileSnapshot first = ConvergedRun();
        TProfileSnapshot faster = ConvergedRun(6000.0);
        faster.Input.Z2 = 40.0; // a zone end drawn by the newest only
        TProfileCharts charts;
        QVERIFY(!charts.ReplaceNewest(first));
        charts.SetRuns({kept}, &first, {"#1", "#2"});
        QXYSeries* keptVelocity = charts.Series(0, TProfileQuantity::Velocity);
        const QList<QPointF> keptPoints = keptVelocity->points();

        QVERIFY(charts.ReplaceNewest(faster));
        QCOMPARE(charts.RunCount(), 2);
        QCOMPARE(charts.RunName(1), QString("#2"));
        QCOMPARE(charts.Series(0, TProfileQuantity::Velocity), keptVelocity);
        QCOMPARE(keptVelocity->points(), keptPoints);
        const QList<QPointF> v = charts.Series(1, TProfileQuantity::Velocity)->points();
        QCOMPARE(v.size(), 101);
        QCOMPARE(v.back().y(), faster.Points.back().VM);
        for (int c = 0; c < TProfileCharts::ChartCount; ++c) {
            QChart& chart = charts.Chart(c);
            QCOMPARE(ZoneLines(chart), QList<double>({10.0, 35.0, 40.0}));
            const auto* y = static_cast<QValueAxis*>(chart.axes(Qt::Vertical).value(0));
            for (QAbstractSeries* s : chart.series()) {
                for (const QPointF& p : static_cast<QXYSeries*>(s)->points())
                    QVERIFY(p.y() >= y->min() && p.y() <= y->max());
            }
        }
        // Back to the first run: the zone line only the replaced run drew goes.
        QVERIFY(charts.ReplaceNewest(first));
        QCOMPARE(ZoneLines(charts.Chart(TProfileCharts::DiameterChart)),
                 QList<double>({10.0, 35.0}));
    }

    void plotAreasLineUpOnScreen() {
        const TProfileSnapshot run = ConvergedRun();
        TProfileCharts charts;
        charts.resize(700, 800);
        charts.show();
        QVERIFY(QTest::qWaitForWindowExposed(&charts));
        charts.SetRuns({}, &run);
        // Tension and velocity labels differ in width; the plot areas must not.
        const QRectF first = charts.Chart(0).plotArea();
        for (int c = 1; c < TProfileCharts::ChartCount; ++c) {
            const QRectF area = charts.Chart(c).plotArea();
            QCOMPARE(area.left(), first.left());
            QCOMPARE(area.right(), first.right());
        }
        // And again after the window is resized.
        charts.resize(900, 800);
        QTRY_VERIFY(charts.Chart(TProfileCharts::TensionChart).plotArea().width() >
                    first.width() + 150);
        for (int c = 0; c < TProfileCharts::ChartCount; ++c) {
            const QRectF area = charts.Chart(c).plotArea();
            QCOMPARE(area.left(), first.left());
            QCOMPARE(area.width(), charts.Chart(TProfileCharts::TensionChart).plotArea().width());
        }
    }

    void hoverNamesTheNearestPoint() {
        const TProfileSnapshot kept = ConvergedRun(3000.0);
        const TProfileSnapshot newest = ConvergedRun();
        TProfileCharts charts;
        charts.resize(700, 800);
        charts.show();
        QVERIFY(QTest::qWaitForWindowExposed(&charts));
        charts.SetRuns({kept}, &newest);

        TChartView& view = charts.View(TProfileCharts::VelocityChart);
        QChart& chart = *view.chart();
        QXYSeries* v = charts.Series(1, TProfileQuantity::Velocity);
        const QPointF point = v->at(60);
        const QPointF onChart = chart.mapToPosition(point, v);
        // Two pixels off the point still picks it.
        const QPoint near = view.mapFromScene(chart.mapToScene(onChart + QPointF(2, 1)));
        QTest::mouseMove(view.viewport(), near);
        QTRY_VERIFY(!ShownHover(view).isEmpty());
        const QString text = ShownHover(view);
        QVERIFY2(text.startsWith(charts.RunName(1) + "\n"), qPrintable(text));
        QVERIFY2(text.contains("z = 60 cm"), qPrintable(text));
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        QVERIFY2(text.endsWith("v = " + locale.toString(point.y(), 'g', 6) + " m/min"),
                 qPrintable(text));

        // Outside the plot area nothing is shown.
        QTest::mouseMove(view.viewport(), QPoint(1, 1));
        QTRY_COMPARE(ShownHover(view), QString());
    }

    void simplifiedLinesKeepTheirShape_data() {
        QTest::addColumn<QList<QPointF>>("points");
        QTest::addColumn<double>("yScale");
        QTest::addColumn<QList<QPointF>>("kept");
        QList<QPointF> straight, corner, bump;
        for (int i = 0; i <= 100; ++i) {
            straight << QPointF(i, 2.0 * i);
            corner << QPointF(i, i <= 50 ? 0.0 : i - 50.0);
            bump << QPointF(i, i == 70 ? 0.5 : 0.0);
        }
        QTest::newRow("straight") << straight << 1.0 << QList<QPointF>{{0, 0}, {100, 200}};
        QTest::newRow("corner") << corner << 1.0 << QList<QPointF>{{0, 0}, {50, 0}, {100, 50}};
        // Half a unit off the line: kept where a unit is 0.25 of y, not where it is 1.
        QTest::newRow("bump, fine")
            << bump << 0.25 << QList<QPointF>{{0, 0}, {69, 0}, {70, 0.5}, {71, 0}, {100, 0}};
        QTest::newRow("bump, coarse") << bump << 1.0 << QList<QPointF>{{0, 0}, {100, 0}};
        QTest::newRow("two points")
            << QList<QPointF>{{0, 0}, {1, 5}} << 1.0 << QList<QPointF>{{0, 0}, {1, 5}};
        QTest::newRow("flat, no y scale") << bump << 0.0 << QList<QPointF>{{0, 0}, {100, 0}};
    }
    void simplifiedLinesKeepTheirShape() {
        QFETCH(QList<QPointF>, points);
        QFETCH(double, yScale);
        QFETCH(QList<QPointF>, kept);
        QCOMPARE(SimplifyLine(points, 1.0, yScale), kept);
    }

    void runsAreNamedByWhatDiffers_data() {
        QTest::addColumn<QList<TRunInput>>("runs");
        QTest::addColumn<QStringList>("names");
        TRunInput base;
        TRunInput slower = base;
        slower.VL = 3000.0;
        TRunInput fine = base;
        fine.Dz = 0.5;
        TRunInput air = base;
        air.Va2 = 80.0;
        TRunInput hole = base;
        hole.D0 = 0.03;
        TRunInput both = slower;
        both.Dz = 0.5;
        TRunInput law = base;
        law.Zone2A3 = 25.0;
        TRunInput zone = base;
        zone.Z1 = 12.5;

        QTest::newRow("alone") << QList<TRunInput>{base} << QStringList{"VL 3500 m/min"};
        QTest::newRow("take-up speed")
            << QList<TRunInput>{slower, base} << QStringList{"VL 3000 m/min", "VL 3500 m/min"};
        QTest::newRow("increment")
            << QList<TRunInput>{base, fine} << QStringList{"\u0394z 1 cm", "\u0394z 0.5 cm"};
        QTest::newRow("air velocities")
            << QList<TRunInput>{base, air} << QStringList{"Va 0/50/0 cm/s", "Va 0/80/0 cm/s"};
        QTest::newRow("hole diameter")
            << QList<TRunInput>{hole, base} << QStringList{"D0 0.03 cm", "D0 0.025 cm"};
        QTest::newRow("zone ends")
            << QList<TRunInput>{zone, base} << QStringList{"Z 12.5/35/100 cm", "Z 10/35/100 cm"};
        QTest::newRow("two inputs, only where they differ")
            << QList<TRunInput>{both, slower, base}
            << QStringList{"VL 3000 m/min, \u0394z 0.5 cm", "VL 3000 m/min, \u0394z 1 cm",
                           "VL 3500 m/min, \u0394z 1 cm"};
        QTest::newRow("same named inputs get numbers")
            << QList<TRunInput>{base, law, slower}
            << QStringList{"VL 3500 m/min (run 1)", "VL 3500 m/min (run 2)", "VL 3000 m/min"};
    }
    void runsAreNamedByWhatDiffers() {
        QFETCH(QList<TRunInput>, runs);
        QFETCH(QStringList, names);
        QCOMPARE(RunLabels({runs.begin(), runs.end()}, QLocale::c()), names);
    }

    void namesFollowTheUsersDecimalSeparator() {
        TRunInput base;
        TRunInput hole = base;
        hole.D0 = 0.03;
        QCOMPARE(RunLabels({base, hole}, QLocale(QLocale::German)),
                 QStringList({"D0 0,025 cm", "D0 0,03 cm"}));
    }
};

QTEST_MAIN(ProfileChartsTest)
#include "ProfileChartsTest.moc"
