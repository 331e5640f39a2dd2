// The Study window: a sweep, a map and the sensitivities run in the
// background with their progress, stop at Escape keeping the rows done,
// save the very CSV ppspin-cli writes, refuse what ppspin-cli refuses, and
// send a point picked back to the main window's fields.
#include "ImageExport.h"
#include "Main_PP.h"
#include "ProfileForm.h"
#include "RangeEditor.h"
#include "StudyForm.h"
#include "StudyPicture.h"
#include "StudyRunner.h"
#include "StudyTable.h"
#include "UiTestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QTableView>
#include <QtTest>

#include <new>

using namespace ppspin;
using ppspin::testing::Edit;
using ppspin::testing::ModalCloser;
using ppspin::testing::ScratchDirectory;
using TMode = TStudyForm::TMode;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct TCli {
    QByteArray Summary, Picture;
    QString Error;
};

// ppspin-cli on args, writing its summary, and its picture when one is
// named, to files of its own.
TCli RunCli(const QStringList& args, const QString& picture = {}) {
    QTemporaryDir dir;
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    cli.setProcessEnvironment(env);
    QStringList files{"--summary", dir.filePath("s.csv")};
    if (!picture.isEmpty())
        files << "--summary-plot" << dir.filePath(picture);
    cli.start(PPSPIN_CLI_PATH, args + files);
    if (!cli.waitForFinished(120000))
        return {};
    return {ReadAll(dir.filePath("s.csv")), ReadAll(dir.filePath(picture)),
            QString::fromUtf8(cli.readAllStandardError()).trimmed()};
}

// The main window, and the Study window opened from the Profile window.
struct TWindows {
    TForm1 Main{'.'};
    TStudyForm* Study = nullptr;

    TWindows() {
        Main.show();
        Main.BitBtn4Click();
        Main.Profile().findChild<QPushButton*>("StudyButton")->click();
        Study = Main.findChild<TStudyForm*>("StudyForm");
    }
    void Set(TMode mode, const QStringList& first, const QStringList& second = {}) {
        Study->SetMode(mode);
        const TFieldTexts texts = Main.FieldTexts();
        for (const QStringList* ranges[] = {&first, &second}; int k : {0, 1}) {
            const QStringList& range = *ranges[k];
            if (range.isEmpty())
                continue;
            Study->Range(k).Choose(range[0].toLatin1().constData(), texts);
            Study->Range(k).SetRange(range[1], range[2], range[3]);
        }
    }
    // Enter in a range field runs.
    void Start() {
        QLineEdit* from = Study->Range(0).findChild<QLineEdit*>("FromEdit");
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Return);
    }
    bool RunToEnd() {
        QSignalSpy finished(Study, &TStudyForm::Finished);
        Start();
        return finished.wait(120000);
    }
    QByteArray Saved(const ScratchDirectory& scratch) const {
        const QString path = scratch.File("study.csv");
        return Study->SaveData(path) ? ReadAll(path) : "not saved";
    }
    QByteArray Image(const ScratchDirectory& scratch, const QString& name) const {
        const QString path = scratch.File(name);
        return Study->SaveImage(path, DefaultPlotSize, nullptr) ? ReadAll(path) : "not saved";
    }
    QProgressBar& Progress() const { return *Study->findChild<QProgressBar*>("StudyProgress"); }
    int Rows() const { return Study->Results().rowCount(); }
};

// The first rows lines of a CSV and its header.
QByteArray Head(const QByteArray& csv, int rows) {
    qsizetype end = 0;
    for (int line = 0; line <= rows; ++line)
        end = csv.indexOf('\n', end) + 1;
    return csv.left(end);
}

// A study long enough to be stopped: once rows arrive, Escape. The worker
// must stop within 100 ms; the rows done are kept, and are the first rows
// of ppspin-cli's table.
void CancelKeepsTheRowsDone(TWindows& w, const ScratchDirectory& scratch, const QByteArray& cli,
                            int total) {
    QSignalSpy finished(w.Study, &TStudyForm::Finished);
    QElapsedTimer sinceEscape;
    qint64 stoppedAfter = -1;
    const QMetaObject::Connection stopped = QObject::connect(
        &w.Study->Runner(), &TStudyRunner::Finished, &w.Study->Runner(),
        [&] { stoppedAfter = sinceEscape.isValid() ? sinceEscape.elapsed() : -1; },
        Qt::DirectConnection);
    w.Start();
    QTRY_VERIFY_WITH_TIMEOUT(w.Rows() > 0, 60000);
    QVERIFY(w.Study->IsRunning()); // the window took rows while the study runs
    sinceEscape.start();
    QTest::keyClick(w.Study, Qt::Key_Escape);
    QVERIFY(finished.wait(10000));
    QObject::disconnect(stopped);
    QVERIFY2(stoppedAfter >= 0 && stoppedAfter <= 100, qPrintable(QString::number(stoppedAfter)));

    const int kept = w.Rows();
    QVERIFY2(kept < total, qPrintable(QString::number(kept)));
    QCOMPARE(w.Progress().format(),
             QString("Cancelled after %1 of %2 runs").arg(w.Progress().value()).arg(total));
    QCOMPARE(w.Saved(scratch), Head(cli, kept));
    QVERIFY(w.Study->isVisible()); // Escape stopped the runs, not the window
}

} // namespace

class StudyTest : public testing::TUiTest {
    Q_OBJECT

  private slots:
    void aSweepOf41ValuesSavesTheCliCsvAndEnterOnARowFillsTheField() {
        ScratchDirectory scratch;
        TWindows w;
        QCOMPARE(w.Study->windowTitle(), QString("Study"));
        w.Set(TMode::Sweep, {"take-up-speed", "1000", "5000", "100"});
        QVERIFY(w.RunToEnd());
        QCOMPARE(w.Rows(), 41);
        QCOMPARE(w.Progress().value(), 41);
        QCOMPARE(w.Progress().maximum(), 41);
        QVERIFY2(w.Progress().format().startsWith("41 of 41 runs in "),
                 qPrintable(w.Progress().format()));
        const TCli cli = RunCli({"--sweep", "take-up-speed=1000:5000:100"}, "s.png");
        QCOMPARE(w.Saved(scratch), cli.Summary);
        QCOMPARE(w.Image(scratch, "s.png"), cli.Picture);

        auto* table = w.Study->findChild<QTableView*>("StudyTable");
        table->setCurrentIndex(table->model()->index(7, 2));
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(Edit(&w.Main, 3)->text(), QString("1700"));
        QCOMPARE(w.Main.Profile().Latest()->Input.VL, 1700.0);
        QVERIFY(QDir(scratch.Path()).entryList({"*.txt"}, QDir::Files).isEmpty()); // no GO

        w.Set(TMode::Sweep, {"take-up-speed", "1000", "5000", "0.5"});
        CancelKeepsTheRowsDone(w, scratch,
                               RunCli({"--sweep", "take-up-speed=1000:5000:0.5"}).Summary, 8001);
    }

    void aMapOf10By10SavesTheCliCsvAndADoubleClickOnACellFillsTheFields() {
        ScratchDirectory scratch;
        TWindows w;
        w.Set(TMode::Map, {"take-up-speed", "1000", "5500", "500"},
              {"zone2-air-velocity", "0", "270", "30"});
        QVERIFY(w.RunToEnd());
        QCOMPARE(w.Rows(), 100);
        QCOMPARE(w.Progress().value(), 100);
        const TCli cli = RunCli(
            {"--sweep", "take-up-speed=1000:5500:500", "--sweep", "zone2-air-velocity=0:270:30"},
            "m.svg");
        QCOMPARE(w.Saved(scratch), cli.Summary);
        QCOMPARE(w.Image(scratch, "m.svg"), cli.Picture);

        // The cell of 2500 m/min and 210 cm/s, point 3 x 10 + 7, once the
        // maps are drawn.
        auto* picture = w.Study->findChild<TStudyPicture*>("StudyPicture");
        QVERIFY(picture->isVisible());
        const auto cellOf = [&](int point) {
            for (int y = 0; y < picture->height(); y += 2)
                for (int x = 0; x < picture->width(); x += 2)
                    if (picture->PointAt({x, y}) == point &&
                        picture->PointAt({x + 4, y + 4}) == point)
                        return QPoint(x + 2, y + 2);
            return QPoint(-1, -1);
        };
        QPoint cell;
        QTRY_VERIFY((cell = cellOf(37)).x() >= 0);
        QTest::mouseDClick(picture, Qt::LeftButton, {}, cell);
        QCOMPARE(Edit(&w.Main, 3)->text(), QString("2500"));
        QCOMPARE(Edit(&w.Main, 14)->text(), QString("210"));
        QCOMPARE(w.Main.Profile().Latest()->Input.VL, 2500.0);
        QCOMPARE(w.Main.Profile().Latest()->Input.Va2, 210.0);

        w.Set(TMode::Map, {"take-up-speed", "1000", "5950", "50"},
              {"zone2-air-velocity", "0", "297", "3"});
        CancelKeepsTheRowsDone(w, scratch,
                               RunCli({"--sweep", "take-up-speed=1000:5950:50", "--sweep",
                                       "zone2-air-velocity=0:297:3"})
                                   .Summary,
                               10000);
    }

    void theSensitivitiesSaveTheCliCsvAndACancelKeepsTheRowsDone() {
        ScratchDirectory scratch;
        TWindows w;
        w.Set(TMode::Sensitivities, {});
        QVERIFY(w.RunToEnd());
        QCOMPARE(w.Rows(), 15);
        QCOMPARE(w.Progress().value(), 31);
        QCOMPARE(w.Progress().maximum(), 31);
        const TCli all = RunCli({"--sensitivity"}, "t.png");
        const QByteArray& cli = all.Summary;
        QCOMPARE(w.Saved(scratch), cli);
        QCOMPARE(w.Image(scratch, "t.png"), all.Picture);

        // Runs this quick all end before Escape could come: the runner is
        // stopped from its own thread after the sixth run instead. Arrived
        // comes once until the window takes what arrived, so the worker waits
        // for each take: every run is heard, however busy the window.
        int heard = 0;
        TStudyRunner& runner = w.Study->Runner();
        QSemaphore taken;
        // Queued after the window's own connection: it follows the take.
        const QMetaObject::Connection take = QObject::connect(
            &runner, &TStudyRunner::Arrived, w.Study, [&] { taken.release(); },
            Qt::QueuedConnection);
        const QMetaObject::Connection lockstep = QObject::connect(
            &runner, &TStudyRunner::Arrived, &runner,
            [&] {
                if (++heard == 6)
                    runner.Cancel();
                taken.tryAcquire(1, 10000);
            },
            Qt::DirectConnection);
        QVERIFY(w.RunToEnd());
        QObject::disconnect(lockstep);
        QObject::disconnect(take);
        // Rows are made of the runs below and above an input, after the
        // current one: six runs make two.
        QCOMPARE(w.Rows(), 2);
        QCOMPARE(w.Progress().format(), QString("Cancelled after 6 of 31 runs"));
        QCOMPARE(w.Saved(scratch), Head(cli, w.Rows()));
    }

    // Work that throws on the runner's thread, as a map too large for the
    // memory would: the window says why and runs the next study.
    void aRunThatThrowsSaysWhyAndTheNextOneRuns() {
        TWindows w;
        ModalCloser closer(&w.Main);
        QSignalSpy finished(w.Study, &TStudyForm::Finished);
        w.Study->Runner().StartWork([] { throw std::bad_alloc(); });
        QVERIFY(finished.wait(10000));
        QCOMPARE(closer.Texts(), QStringList{"The study stopped: out of memory"});
        QCOMPARE(closer.Seen().back().Icon, QMessageBox::Critical);
        QCOMPARE(w.Progress().format(), closer.Texts().back());
        QVERIFY(!w.Study->IsRunning());

        w.Set(TMode::Sweep, {"take-up-speed", "1000", "2000", "500"});
        QVERIFY(w.RunToEnd());
        QCOMPARE(w.Rows(), 3);
        QCOMPARE(closer.Seen().size(), 1);
    }

    // The CLI's limits and messages; a text that is no number is the
    // window's own case. Nothing runs.
    void rangesAreRefusedAsTheCliRefusesThem() {
        const struct {
            QStringList First, Second;
            QString Message; // ppspin-cli's when empty
        } cases[] = {
            {{"take-up-speed", "1000", "5000", "0"}, {}, {}},
            {{"take-up-speed", "5000", "1000", "100"}, {}, {}},
            {{"take-up-speed", "0", "100000", "1"}, {}, {}},
            {{"take-up-speed", "1", "1.00000000001", "0.00000000000001"}, {}, {}},
            {{"take-up-speed", "1000", "5000", "1"}, {"zone2-air-velocity", "0", "300", "0.5"}, {}},
            {{"take-up-speed", "1000", "5000", "100"}, {"take-up-speed", "0", "300", "10"}, {}},
            {{"take-up-speed", "1000", "x", "100"},
             {},
             "Sweep range is not correct: TO is not a number"},
        };
        TWindows w;
        ModalCloser closer(&w.Main);
        QSignalSpy finished(w.Study, &TStudyForm::Finished);
        for (const auto& c : cases) {
            w.Set(c.Second.isEmpty() ? TMode::Sweep : TMode::Map, c.First, c.Second);
            QString expected = c.Message;
            if (expected.isEmpty()) {
                QStringList args;
                for (const QStringList* range : {&c.First, &c.Second})
                    if (!range->isEmpty())
                        args << "--sweep"
                             << (*range)[0] + "=" + (*range)[1] + ":" + (*range)[2] + ":" +
                                    (*range)[3];
                expected = RunCli(args).Error;
            }
            const qsizetype seen = closer.Seen().size();
            w.Start();
            QTRY_COMPARE(closer.Seen().size(), seen + 1);
            QCOMPARE(closer.Seen().back().Text, expected);
            QCOMPARE(closer.Seen().back().Icon, QMessageBox::Warning);
            QVERIFY(!w.Study->IsRunning());
        }
        QCOMPARE(finished.size(), 0);

        // Sensitivities from a field that is refused: nothing to list.
        Edit(&w.Main, 3)->setText("abc");
        w.Set(TMode::Sensitivities, {});
        const qsizetype seen = closer.Seen().size();
        w.Start();
        QTRY_COMPARE(closer.Seen().size(), seen + 1);
        QCOMPARE(closer.Seen().back().Text,
                 RunCli({"--sensitivity", "--take-up-speed", "abc"}).Error);
        QCOMPARE(closer.Seen().back().Icon, QMessageBox::Warning);
        QCOMPARE(w.Rows(), 0);
    }
};

QTEST_MAIN(StudyTest)
#include "StudyTest.moc"
