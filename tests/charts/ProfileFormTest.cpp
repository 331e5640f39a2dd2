// The Profile window: the newest run replaces the last, kept runs stay, and
// the exports match the headless runner's.
#include "ProfileForm.h"
#include "ChartsTestSupport.h"
#include "ProfileCharts.h"
#include "TempDir.h"

#include <QPushButton>
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
        QCOMPARE(charts.RunName(0), QString("VL 3000 m/min"));
        QCOMPARE(charts.RunName(1), QString("VL 4000 m/min"));
        QCOMPARE(charts.Series(1, TProfileQuantity::Velocity)->name(), QString("VL 4000 m/min"));

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
    }

    void saveDataWritesTheCliCsvOfTheLatestRun() {
        ppspin::testing::TempDir dir;
        TProfileForm form;
        QVERIFY(!form.SaveData(QString::fromStdString(dir.File("none.csv"))));
        form.ShowProfile(Run3000);
        form.Keep();
        form.ShowProfile(Run3500);
        const std::string path = dir.File("profile.csv");
        QVERIFY(form.SaveData(QString::fromStdString(path)));
        QCOMPARE(ppspin::testing::ReadBytes(path), ProfileCsv(Run3500));
        QVERIFY(!form.SaveData(QString::fromStdString(dir.File("missing/profile.csv"))));
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
    }
};

QTEST_MAIN(ProfileFormTest)
#include "ProfileFormTest.moc"
