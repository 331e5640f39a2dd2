// Offscreen pictures: size, content and failures, for the profile charts
// and for the general x-y charts.
#include "ChartsTestSupport.h"
#include "ImageExport.h"
#include "ProfileCharts.h"
#include "ProfilePlot.h"
#include "TempDir.h"
#include "XYPlot.h"

#include <QChart>
#include <QFile>
#include <QtTest>

using namespace ppspin;
using ppspin::testing::ConvergedRun;
using ppspin::testing::PixelsOf;
using ppspin::testing::RenderRuns;

class RenderTest : public QObject {
    Q_OBJECT

    std::vector<TProfileSnapshot> Runs; // kept 3000, kept 4000, newest 3500

  private slots:
    void initTestCase() {
        Runs = {ConvergedRun(3000.0), ConvergedRun(4000.0), ConvergedRun(3500.0)};
    }

    void pngHasTheAskedSizeAndEveryRunsColour_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("default") << DefaultPlotSize;
        QTest::newRow("small") << QSize(640, 480);
        QTest::newRow("wide") << QSize(2400, 700);
    }
    void pngHasTheAskedSizeAndEveryRunsColour() {
        QFETCH(QSize, size);
        ppspin::testing::TempDir dir;
        const QString path = QString::fromStdString(dir.File("profile.png"));
        QString error;
        QVERIFY2(RenderRuns(Runs, path, size, &error), qPrintable(error));
        const QImage image(path);
        QCOMPARE(image.size(), size);
        for (const QColor& c : {KeptRunColour(0), KeptRunColour(1), NewestRunColour()})
            QVERIFY2(PixelsOf(image, c) > 50, qPrintable(c.name()));
    }

    void picturesLineThePlotAreasUp() {
        // The page is laid out for the picture only: the alignment must
        // happen there, not on a later resize.
        TProfileCharts charts;
        charts.SetRuns({Runs[0]}, &Runs.back());
        ppspin::testing::TempDir dir;
        QString error;
        QVERIFY2(SaveChartImage(charts, QString::fromStdString(dir.File("p.png")), DefaultPlotSize,
                                &error),
                 qPrintable(error));
        const QRectF first = charts.Chart(0).plotArea();
        for (int c = 1; c < TProfileCharts::ChartCount; ++c) {
            QCOMPARE(charts.Chart(c).plotArea().left(), first.left());
            QCOMPARE(charts.Chart(c).plotArea().right(), first.right());
        }
    }

    void svgIsVectorTextWithTheLegend() {
        ppspin::testing::TempDir dir;
        const QString path = QString::fromStdString(dir.File("profile.SVG"));
        QString error;
        QVERIFY2(RenderRuns(Runs, path, DefaultPlotSize, &error), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString svg = QString::fromUtf8(file.readAll());
        QVERIFY(svg.contains("<svg"));
        QVERIFY(svg.contains("width=\"1600\"") || svg.contains("width=\"1600px\""));
        for (const char* text : {"VL 3000 m/min", "VL 4000 m/min", "VL 3500 m/min", "z (cm)"})
            QVERIFY2(svg.contains(text), text);
    }

    void refusesUnknownTypesAndUnwritablePaths() {
        ppspin::testing::TempDir dir;
        QString error;
        const QString jpeg = QString::fromStdString(dir.File("profile.jpg"));
        QVERIFY(!RenderRuns(Runs, jpeg, DefaultPlotSize, &error));
        QVERIFY(error.contains(".png or .svg"));
        QVERIFY(!QFile::exists(jpeg));
        for (const char* name : {"missing/profile.png", "missing/profile.svg"}) {
            error.clear();
            QVERIFY2(
                !RenderRuns(Runs, QString::fromStdString(dir.File(name)), DefaultPlotSize, &error),
                name);
            QVERIFY2(!error.isEmpty(), name);
        }
    }

    void xyPlotDrawsEverySeriesAndSkipsMissingValues() {
        TXYPlot plot;
        plot.Title = "take-up-speed study";
        plot.XLabel = "take-up speed (m/min)";
        plot.X = {1000, 1500, 2000, 2500, 3000};
        plot.Series = {
            {"trials", {7, 6, std::nullopt, 7, 8}},
            {"F0 (dyn)", {20.5, 24.1, std::nullopt, 30.2, 33.0}},
            {"final diameter (\u00b5m)", {30.0, 25.0, 21.0, 19.0, 17.5}},
            {"freeze position (cm)", {std::nullopt, 40.0, 38.0, 36.0, 35.0}},
            {"nothing", {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        };
        ppspin::testing::TempDir dir;
        const QString path = QString::fromStdString(dir.File("summary.png"));
        QString error;
        QVERIFY2(RenderXYPlot(plot, path, QSize(1200, 900), &error), qPrintable(error));
        const QImage image(path);
        QCOMPARE(image.size(), QSize(1200, 900));
        QVERIFY(PixelsOf(image, NewestRunColour()) > 20);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(PixelsOf(image, KeptRunColour(i)) > 20, qPrintable(QString::number(i)));

        const QString svgPath = QString::fromStdString(dir.File("summary.svg"));
        QVERIFY2(RenderXYPlot(plot, svgPath, QSize(1200, 900), &error), qPrintable(error));
        QFile svg(svgPath);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(svg.readAll());
        for (const char* name : {"take-up-speed study", "F0 (dyn)", "take-up speed (m/min)"})
            QVERIFY2(text.contains(name), name);
    }
};

QTEST_MAIN(RenderTest)
#include "RenderTest.moc"
