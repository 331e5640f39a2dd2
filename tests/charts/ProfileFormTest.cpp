// The Profile window: the newest run replaces the last, kept runs stay, and
// the table and the exports show every run drawn.
#include "ProfileForm.h"
#include "ChartView.h"
#include "ChartsTestSupport.h"
#include "ProfileCharts.h"
#include "ProfileCsv.h"
#include "RunTable.h"
#include "TempDir.h"

#include <QChart>
#include <QFontMetricsF>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QValueAxis>
#include <QXYSeries>
#include <QtTest>

using namespace ppspin;
using ppspin::testing::ConvergedRun;

namespace {

double EndVelocity(const TProfileCharts& charts, int run) {
    const QXYSeries* v = charts.Series(run, TProfileQuantity::Velocity);
    return v->at(v->count() - 1).y();
}

bool Enabled(const TProfileForm& form, const char* button) {
    return form.findChild<QPushButton*>(button)->isEnabled();
}

} // namespace

class ProfileFormTest : public QObject {
    Q_OBJECT

    TProfileSnapshot Run3000, Run3500, Run4000;

  private slots:
    // Nothing remembered from another test, nor from the user's sessions.
    void init() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
    }

    void initTestCase() {
        Run3000 = ConvergedRun(3000.0);
        Run4000 = ConvergedRun(4000.0);
        Run3500 = ConvergedRun(3500.0);
    }

    void opensEmptyWithNothingToKeepOrSave() {
        TProfileForm form;
        QCOMPARE(form.Charts().RunCount(), 0);
        for (const char* b : {"KeepButton", "ClearButton", "SaveImageButton", "SaveDataButton"})
            QVERIFY2(!Enabled(form, b), b);
    }

    void aNewRunReplacesTheNewestAndKeepsTheKept() {
        TProfileForm form;
        form.ShowProfile(Run3000);
        QCOMPARE(form.Charts().RunCount(), 1);
        QVERIFY(Enabled(form, "KeepButton"));

        form.Keep();
        // Kept, the run is drawn once, in its kept colour.
        QCOMPARE(form.Charts().RunCount(), 1);
        QCOMPARE(form.Charts().Series(0, TProfileQuantity::Tension)->color(), KeptRunColour(0));
        QVERIFY(!Enabled(form, "KeepButton"));
        QVERIFY(Enabled(form, "ClearButton"));

        form.ShowProfile(Run3500);
        QCOMPARE(form.Charts().RunCount(), 2);
        form.ShowProfile(Run4000);
        QCOMPARE(form.Charts().RunCount(), 2);
        const TProfileCharts& charts = form.Charts();
        QVERIFY(std::abs(EndVelocity(charts, 0) - 3000.0) < 3.0);
        QVERIFY(std::abs(EndVelocity(charts, 1) - 4000.0) < 4.0);
        QCOMPARE(charts.Series(1, TProfileQuantity::Diameter)->color(), NewestRunColour());
        // The legend numbers the runs; the table says what they are.
        QCOMPARE(charts.RunName(0), QString("#1"));
        QCOMPARE(charts.Series(1, TProfileQuantity::Velocity)->name(), QString("#2"));
        const QTableWidget& table = form.Table();
        QCOMPARE(table.rowCount(), 2);
        QCOMPARE(table.horizontalHeaderItem(1)->text(), QString("VL\n(m/min)"));
        QCOMPARE(table.item(1, 0)->text(), QString("#2"));
        QCOMPARE(table.item(1, 1)->text(), QString("4000"));

        form.Clear();
        QCOMPARE(form.Charts().RunCount(), 1);
        QCOMPARE(EndVelocity(form.Charts(), 0), EndVelocity(charts, 0) + 0.0);
        QVERIFY(!Enabled(form, "ClearButton"));
    }

    void clearBringsAKeptLatestRunBackAsTheNewest() {
        TProfileForm form;
        form.ShowProfile(Run3000);
        form.Keep();
        form.Clear();
        QCOMPARE(form.Charts().RunCount(), 1);
        QCOMPARE(form.Charts().Series(0, TProfileQuantity::Velocity)->color(), NewestRunColour());
        QVERIFY(Enabled(form, "KeepButton"));
    }

    void keepsAtMostFiveEachInItsOwnColour() {
        TProfileForm form;
        for (int i = 0; i < TProfileForm::MaxKept + 2; ++i) {
            form.ShowProfile(i % 2 == 0 ? Run3000 : Run3500);
            form.Keep();
        }
        QCOMPARE(static_cast<int>(form.Kept().size()), TProfileForm::MaxKept);
        QVERIFY(!Enabled(form, "KeepButton"));
        // The latest run beyond the five stays drawn as the newest.
        QCOMPARE(form.Charts().RunCount(), TProfileForm::MaxKept + 1);
        QList<QColor> colours;
        for (int r = 0; r < form.Charts().RunCount(); ++r) {
            const QColor c = form.Charts().Series(r, TProfileQuantity::Velocity)->color();
            QVERIFY2(!colours.contains(c), qPrintable(c.name()));
            colours << c;
        }
        // Six runs in the legend, and still the velocity axis' title whole.
        form.resize(900, 940);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QChart& velocity = form.Charts().Chart(TProfileCharts::VelocityChart);
        const auto* axis = static_cast<QValueAxis*>(velocity.axes(Qt::Vertical).value(0));
        QTRY_VERIFY(velocity.plotArea().height() >=
                    QFontMetricsF(axis->titleFont()).horizontalAdvance(axis->titleText()));
    }

    void saveDataWritesEveryShownRunWithItsInputs() {
        ppspin::testing::TempDir dir;
        TProfileForm form;
        QVERIFY(!form.SaveData(QString::fromStdString(dir.File("none.csv"))));
        form.ShowProfile(Run3000);
        form.Keep();
        form.ShowProfile(Run3500);
        const std::string path = dir.File("profile.csv");
        QVERIFY(form.SaveData(QString::fromStdString(path)));

        // Each row: the run's number, its 15 editable inputs, then the row
        // ppspin-cli --csv writes for that point.
        const QStringList lines = QString::fromStdString(ppspin::testing::ReadBytes(path))
                                      .split('\n', Qt::SkipEmptyParts);
        const QStringList single3000 = QString::fromStdString(ProfileCsv(Run3000)).split('\n');
        const QStringList single3500 = QString::fromStdString(ProfileCsv(Run3500)).split('\n');
        QCOMPARE(lines.size(), 1 + 101 + 101);
        QVERIFY(lines[0].startsWith("run,D0_cm,VL_m_min,"));
        QVERIFY(lines[0].endsWith("," + single3000[0]));
        for (int i = 1; i < lines.size(); ++i) {
            const QStringList fields = lines[i].split(',');
            const bool first = i <= 101;
            QCOMPARE(fields[0], QString(first ? "1" : "2"));
            QCOMPARE(fields[2], QString(first ? "3000" : "3500"));
            QCOMPARE(fields.mid(16).join(','),
                     (first ? single3000 : single3500)[first ? i : i - 101]);
        }
        // A file that cannot be written is reported, not left half-written.
        QVERIFY(!form.SaveData(QString::fromStdString(dir.File("missing/profile.csv"))));
    }

    void tableShowsTheInputsThatDifferAndEmptyWhereNothingFroze() {
        TProfileSnapshot fine = Run3500;
        fine.Input.Dz = 0.5;
        fine.Input.Zone2A3 = 25.0;
        fine.ZFreeze.reset();
        const TRunTableTexts table = RunTableTexts({&Run3500, &fine}, QLocale(QLocale::German));
        QCOMPARE(table.Headings.mid(0, 4),
                 QStringList({"Run", "Zone 2 A3\n(\u2103)", "\u0394z\n(cm)", "Trials"}));
        QCOMPARE(table.Rows[1].mid(0, 3), QStringList({"#2", "25", "0,5"}));
        // The last point's velocity against the take-up speed; freeze position.
        QVERIFY2(table.Rows[0][5].endsWith(" / 3500"), qPrintable(table.Rows[0][5]));
        QVERIFY(!table.Rows[0][8].isEmpty());
        QCOMPARE(table.Rows[1][8], QString());

        // Inputs to their printed decimals at most, never with an exponent.
        TProfileSnapshot fast = Run3500, odd = Run3500;
        fast.Input.VL = 100000;
        odd.Input.VL = 2639.6354117336437;
        odd.Input.D0 = 0.0254321;
        odd.Input.Zone1A1 = 245700.125;
        const TRunTableTexts inputs = RunTableTexts({&fast, &odd}, QLocale::c());
        QCOMPARE(inputs.Rows[0].mid(1, 3), QStringList({"0.025", "100000", "245700"}));
        QCOMPARE(inputs.Rows[1].mid(1, 3), QStringList({"0.0254", "2639.6", "245700.13"}));
        QVERIFY2(inputs.Rows[0][6].endsWith(" / 100000"), qPrintable(inputs.Rows[0][6]));
    }

    // Live at an increment of 0.1: the window draws a run through the
    // points its shape needs, within a third of a pixel on a plot 2000
    // pixels across, and the mouse still picks every grid point.
    void fineRunsAreDrawnThroughFewerPointsOfTheSameShape() {
        const TProfileSnapshot fine = ConvergedRun(3500.0, 0.1);
        TProfileForm form;
        form.resize(900, 940);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.ShowProfile(fine);
        const TProfileCharts& charts = form.Charts();
        for (int q = 0; q < ProfileQuantityCount; ++q) {
            const auto quantity = static_cast<TProfileQuantity>(q);
            const QList<QPointF> drawn = charts.Series(0, quantity)->points();
            QVERIFY2(drawn.size() < 200, qPrintable(QString::number(drawn.size())));
            double lo = 1e300, hi = -1e300;
            for (const TProfilePoint& p : fine.Points) {
                lo = std::min(lo, DisplayedValue(p, quantity));
                hi = std::max(hi, DisplayedValue(p, quantity));
            }
            // Each grid point near the line drawn between the points kept
            // about it, in shares of the spans.
            const auto share = [&](QPointF p) {
                return QPointF(p.x() / fine.Points.back().Z, (p.y() - lo) / (hi - lo));
            };
            qsizetype k = 0;
            for (const TProfilePoint& p : fine.Points) {
                while (k + 2 < drawn.size() && drawn[k + 1].x() < p.Z)
                    ++k;
                const QPointF a = share(drawn[k]), d = share(drawn[k + 1]) - a;
                const QPointF at = share(QPointF(p.Z, DisplayedValue(p, quantity))) - a;
                const double t =
                    std::clamp(QPointF::dotProduct(at, d) / QPointF::dotProduct(d, d), 0.0, 1.0);
                const QPointF off = at - t * d;
                QVERIFY(std::hypot(off.x(), off.y()) <= 1.0 / 5000);
            }
            QCOMPARE(drawn.front().x(), 0.0);
            QCOMPARE(drawn.back().y(), DisplayedValue(fine.Points.back(), quantity));
        }
        TChartView& view = charts.View(TProfileCharts::VelocityChart);
        QXYSeries* v = charts.Series(0, TProfileQuantity::Velocity);
        const QPointF onChart =
            view.chart()->mapToPosition(QPointF(fine.Points[555].Z, fine.Points[555].VM), v);
        const QString text = view.HoverAt(view.mapFromScene(view.chart()->mapToScene(onChart)));
        // Within a pixel of grid point 555, a grid point named: not a point of the line drawn.
        QVERIFY2(text.contains(QRegularExpression("z = 55\\.[456] cm")), qPrintable(text));
    }

    void escapeClosesTheWindow() {
        TProfileForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    }

    void saveImageDrawsWhatTheWindowShows() {
        ppspin::testing::TempDir dir;
        TProfileForm form;
        form.ShowProfile(Run3000);
        form.Keep();
        form.ShowProfile(Run3500);
        const QString path = QString::fromStdString(dir.File("profile.png"));
        QString error;
        QVERIFY2(form.SaveImage(path, QSize(800, 600), &error), qPrintable(error));
        const QImage image(path);
        QCOMPARE(image.size(), QSize(800, 600));
        QVERIFY(ppspin::testing::PixelsOf(image, KeptRunColour(0)) > 50);
        QVERIFY(ppspin::testing::PixelsOf(image, NewestRunColour()) > 50);
        // The window itself is left as it was.
        QCOMPARE(form.Charts().RunCount(), 2);
        // The legend names the runs as the window does, the table saying what they are.
        const QString svg = QString::fromStdString(dir.File("profile.svg"));
        QVERIFY2(form.SaveImage(svg, QSize(800, 600), &error), qPrintable(error));
        const QString drawn =
            QString::fromStdString(ppspin::testing::ReadBytes(dir.File("profile.svg")));
        QVERIFY(drawn.contains(">#1<") && drawn.contains(">#2<"));
        QVERIFY(!drawn.contains("VL 3"));
    }
};

QTEST_MAIN(ProfileFormTest)
#include "ProfileFormTest.moc"
