// Offscreen pictures of grid studies and sensitivities: size, content, the
// marks of failed runs, odd grids, and what is refused.
#include "StudyPlots.h"
#include "ChartsTestSupport.h"
#include "StudyCanvas.h"
#include "StudyPainters.h"
#include "TempDir.h"

#include <QFile>
#include <QPainter>
#include <QtTest>

#include <cmath>
#include <numbers>

using namespace ppspin;
using ppspin::testing::PixelsOf;

namespace {

// Ends of the colour map: the smallest and largest values' cells.
const QColor Lowest(68, 1, 84), Highest(253, 231, 37), Middle(33, 144, 140);

std::vector<double> Spread(double lo, double hi, std::size_t n) {
    if (n == 1)
        return {(lo + hi) / 2};
    std::vector<double> v(n);
    for (std::size_t k = 0; k < n; ++k)
        v[k] = lo + (hi - lo) * static_cast<double>(k) / static_cast<double>(n - 1);
    return v;
}

// Take-up speed by throughput: end diameter from the mass balance, a freeze
// position that is missing where slow, heavy filaments never freeze, failed
// runs in one corner and refused ones along the fastest column.
TGridMaps Study(std::size_t nx, std::size_t ny, bool marks) {
    TGridMaps maps;
    maps.Title = "Take-up speed by throughput";
    maps.XName = "Take-up speed (m/min)";
    maps.YName = "Throughput (g/min)";
    maps.X = Spread(1000, 4000, nx);
    maps.Y = Spread(0.5, 3, ny);
    TGridOutput diameter{"End diameter (\u00b5m)", {}}, freeze{"Freeze position (cm)", {}};
    maps.Cells.assign(nx, std::vector<TGridCell>(ny));
    for (std::size_t i = 0; i < nx; ++i) {
        diameter.Values.emplace_back();
        freeze.Values.emplace_back();
        for (std::size_t j = 0; j < ny; ++j) {
            const double v = maps.X[i], w = maps.Y[j];
            diameter.Values[i].push_back(1e4 *
                                         std::sqrt(4 * w / (0.91 * std::numbers::pi * v * 100)));
            const double z = 20 + 40 * w * 1000 / v;
            freeze.Values[i].push_back(z < 90 ? std::optional(z) : std::nullopt);
            if (marks && i * 5 >= nx * 4 && j * 5 < ny)
                maps.Cells[i][j] = {TGridRunStatus::Failed, "did not converge in 50 trials"};
            if (marks && i + 1 == nx && j * 10 >= ny * 7)
                maps.Cells[i][j] = {TGridRunStatus::Refused, "take-up speed out of range"};
        }
    }
    maps.Outputs = {diameter, freeze};
    return maps;
}

TTornado Sensitivities() {
    TTornado t;
    t.Title = "Sensitivities at 3500 m/min";
    t.Inputs = {"Throughput (g/min)", "Take-up speed (m/min)", "Extrusion temperature (\u00b0C)",
                "Air velocity (m/s)", "Hole diameter (cm)"};
    t.Outputs = {
        {"End diameter (\u00b5m)",
         {{0.5, ""}, {-0.5, ""}, {0.01, ""}, {-0.002, ""}, {std::nullopt, "no convergence"}}},
        {"Freeze position (cm)", {{0.9, ""}, {-0.2, ""}, {1.4, ""}, {-0.6, ""}, {0.05, ""}}}};
    return t;
}

QString ReadText(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class StudyPlotsTest : public QObject {
    Q_OBJECT

  private slots:
    // The window picks cells by where they are drawn: with one run done and
    // the rest pending (blank), a position is in the run's cell exactly
    // where its colour is.
    void aCellPickedIsTheCellDrawnThere() {
        TGridMaps maps = Study(6, 4, false);
        for (auto& column : maps.Cells)
            for (TGridCell& cell : column)
                cell.Status = TGridRunStatus::Pending;
        maps.Cells[4][1].Status = TGridRunStatus::Ok;
        TGridMapsPainter painter;
        std::string error;
        QVERIFY2(painter.Prepare(maps, error), error.c_str());
        QImage image(1200, 900, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            study::PaintScaled(p, image.size(),
                               [&](QPainter& on, QSizeF canvas) { painter.Paint(on, canvas); });
        }
        int done = 0, pending = 0;
        const QSizeF canvas(image.size());
        // Every ninth pixel: each pick lays the page out again.
        for (int y = 3; y < image.height() - 3; y += 9) {
            for (int x = 3; x < image.width() - 3; x += 9) {
                const auto cell = painter.CellAt(canvas, 1, QPointF(x + 0.5, y + 0.5));
                // Away from the cells' edges.
                bool inside = cell.has_value();
                for (const QPointF d :
                     {QPointF(-3, 0), QPointF(3, 0), QPointF(0, -3), QPointF(0, 3)})
                    inside =
                        inside && painter.CellAt(canvas, 1, QPointF(x + 0.5, y + 0.5) + d) == cell;
                if (!inside)
                    continue;
                const bool isDone = *cell == std::pair<std::size_t, std::size_t>(4, 1);
                QCOMPARE(image.pixelColor(x, y), isDone ? Middle : QColor(Qt::white));
                ++(isDone ? done : pending);
            }
        }
        QVERIFY(done > 2 * 10); // both maps
        QVERIFY(pending > 2 * 23 * 10);
    }

    void gridMapsMarkEveryFailedAndRefusedRun_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("crossed cells") << 40;
        QTest::newRow("filled cells, 250000 runs") << 500;
    }
    void gridMapsMarkEveryFailedAndRefusedRun() {
        QFETCH(int, n);
        const auto size = static_cast<std::size_t>(n);
        ppspin::testing::TempDir dir;
        std::string error;
        QVERIFY2(RenderGridMaps(Study(size, size * 3 / 4, false), dir.File("clean.png"), 1600, 1200,
                                error),
                 error.c_str());
        QVERIFY2(RenderGridMaps(Study(size, size * 3 / 4, true), dir.File("marked.png"), 1600, 1200,
                                error),
                 error.c_str());
        const QImage clean(QString::fromStdString(dir.File("clean.png")));
        const QImage marked(QString::fromStdString(dir.File("marked.png")));
        QCOMPARE(marked.size(), QSize(1600, 1200));
        // Each of the two maps crosses 48 failed and 9 refused cells of the
        // 40 x 30 grid, some 30 pixels a cross; on the 500 x 375 grid the
        // marks fill their cells, at least a pixel each. Text edges have
        // pixels of the refused grey too.
        QCOMPARE(PixelsOf(clean, study::FailedColour), 0);
        QVERIFY(PixelsOf(marked, study::FailedColour) > 2 * 48 * 10);
        QVERIFY(PixelsOf(marked, study::RefusedColour) >
                PixelsOf(clean, study::RefusedColour) + 2 * 9 * 10);
        // Values that runs do not have are grey, distinct from failures.
        QVERIFY(PixelsOf(clean, study::MissingColour) > 1000);
    }

    void gridMapsCopeWithOddGrids_data() {
        QTest::addColumn<int>("nx");
        QTest::addColumn<int>("ny");
        QTest::addColumn<QString>("kind");
        QTest::newRow("2 x 2") << 2 << 2 << "";
        QTest::newRow("one row") << 30 << 1 << "";
        QTest::newRow("one column") << 1 << 20 << "";
        QTest::newRow("one run") << 1 << 1 << "flat";
        QTest::newRow("flat field") << 12 << 9 << "flat";
        QTest::newRow("every run failed") << 12 << 9 << "failed";
    }
    void gridMapsCopeWithOddGrids() {
        QFETCH(int, nx);
        QFETCH(int, ny);
        QFETCH(QString, kind);
        TGridMaps maps = Study(static_cast<std::size_t>(nx), static_cast<std::size_t>(ny), false);
        maps.Outputs.resize(1);
        for (auto& column : maps.Outputs[0].Values) {
            for (auto& v : column)
                v = kind == "flat" ? std::optional(25.0) : v;
        }
        for (auto& column : maps.Cells) {
            for (auto& cell : column)
                cell.Status = kind == "failed" ? TGridRunStatus::Failed : TGridRunStatus::Ok;
        }
        ppspin::testing::TempDir dir;
        std::string error;
        QVERIFY2(RenderGridMaps(maps, dir.File("odd.png"), 800, 600, error), error.c_str());
        const QImage image(QString::fromStdString(dir.File("odd.png")));
        QCOMPARE(image.size(), QSize(800, 600));
        if (kind == "flat") {
            QVERIFY(PixelsOf(image, Middle, 2) > 10000);
        } else if (kind == "failed") {
            QVERIFY(PixelsOf(image, study::FailedColour) > 12 * 9 * 4);
            QCOMPARE(PixelsOf(image, Lowest, 2) + PixelsOf(image, Highest, 2), 0);
        } else {
            // The smallest and largest values fill whole cells, far more than
            // the colour bar's ends.
            QVERIFY(PixelsOf(image, Lowest, 2) > 400);
            QVERIFY(PixelsOf(image, Highest, 2) > 400);
        }
    }

    void gridMapsSvgNamesEverything() {
        ppspin::testing::TempDir dir;
        const std::string path = dir.File("maps.SVG");
        std::string error;
        QVERIFY2(RenderGridMaps(Study(40, 30, true), path, 1600, 1200, error), error.c_str());
        const QString svg = ReadText(path);
        QVERIFY(svg.contains("<svg"));
        for (const char* text :
             {"Take-up speed by throughput", "End diameter (\u00b5m)", "Freeze position (cm)",
              "Take-up speed (m/min)", "Throughput (g/min)", "did not converge in 50 trials"})
            QVERIFY2(svg.contains(QString::fromUtf8(text)), text);
    }

    void tornadoSortsBarsAndMarksFailures() {
        ppspin::testing::TempDir dir;
        std::string error;
        const TTornado tornado = Sensitivities();
        QVERIFY2(RenderTornado(tornado, dir.File("t.png"), 1200, 700, error), error.c_str());
        const QImage image(QString::fromStdString(dir.File("t.png")));
        QCOMPARE(image.size(), QSize(1200, 700));
        for (const QColor& c : {QColor(68, 119, 170), QColor(238, 136, 51), study::FailedColour})
            QVERIFY2(PixelsOf(image, c) > 20, qPrintable(c.name()));

        const std::string path = dir.File("t.svg");
        QVERIFY2(RenderTornado(tornado, path, 1200, 700, error), error.c_str());
        const QString svg = ReadText(path);
        for (const char* text : {"Sensitivities at 3500 m/min", "End diameter (\u00b5m)",
                                 "failed: no convergence", "elasticity (d ln output / d ln input)"})
            QVERIFY2(svg.contains(QString::fromUtf8(text)), text);
        // Rows top to bottom by magnitude: in the second chart extrusion
        // temperature (1.4), throughput (0.9), air (-0.6), take-up speed
        // (-0.2), hole (0.05).
        const QString second = svg.mid(svg.indexOf("Freeze position (cm)"));
        const QStringList order = {"Extrusion temperature", "Throughput (g/min)", "Air velocity",
                                   "Take-up speed (m/min)", "Hole diameter"};
        for (int k = 1; k < order.size(); ++k)
            QVERIFY2(second.indexOf(order[k - 1]) < second.indexOf(order[k]), qPrintable(order[k]));
    }

    void refusesBadNamesPathsAndData_data() {
        QTest::addColumn<bool>("tornado");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("badData");
        QTest::addColumn<QString>("reason");
        for (const bool t : {false, true}) {
            const char* kind = t ? "tornado" : "maps";
            QTest::addRow("%s, jpg", kind) << t << "study.jpg" << false << ".png or .svg";
            QTest::addRow("%s, no folder png", kind) << t << "missing/study.png" << false << "";
            QTest::addRow("%s, no folder svg", kind) << t << "missing/study.svg" << false << "";
            QTest::addRow("%s, mismatched data", kind) << t << "study.png" << true << "";
        }
    }
    void refusesBadNamesPathsAndData() {
        QFETCH(bool, tornado);
        QFETCH(QString, name);
        QFETCH(bool, badData);
        QFETCH(QString, reason);
        ppspin::testing::TempDir dir;
        const std::string path = dir.File(name.toStdString());
        std::string error;
        bool ok = true;
        if (tornado) {
            TTornado t = Sensitivities();
            if (badData)
                t.Outputs[1].Inputs.pop_back();
            ok = RenderTornado(t, path, 800, 600, error);
        } else {
            TGridMaps maps = Study(6, 5, true);
            if (badData)
                maps.Outputs[1].Values[3].pop_back();
            ok = RenderGridMaps(maps, path, 800, 600, error);
        }
        QVERIFY(!ok);
        QVERIFY(!error.empty());
        QVERIFY2(QString::fromStdString(error).contains(reason), error.c_str());
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
    }
};

QTEST_MAIN(StudyPlotsTest)
#include "StudyPlotsTest.moc"
