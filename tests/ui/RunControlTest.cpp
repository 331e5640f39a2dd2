// GO on the real window: the report, the dialogs, the cursors, and the
// window's state after refusals and run errors.
#include "F_Form.h"
#include "Main_PP.h"
#include "ProfileForm.h"
#include "UiTestSupport.h"

#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

using namespace ppspin;
using ppspin::testing::Edit;
using ppspin::testing::ModalCloser;
using ppspin::testing::ScratchDirectory;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The report of the default case as the headless runner writes it.
QByteArray HeadlessReport() {
    QTemporaryDir dir;
    QProcess cli;
    cli.setWorkingDirectory(dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    cli.setProcessEnvironment(env);
    cli.start(PPSPIN_CLI_PATH, {});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
        return {};
    return ReadAll(dir.path() + "/result.txt");
}

QStringList Files(QWidget* window) {
    return ppspin::testing::Names(window->findChild<QListWidget*>("FileListBox1"));
}

} // namespace

class RunControlTest : public testing::TUiTest {
    Q_OBJECT

    // One window with its finish dialog, as start-up makes them.
    struct Program {
        TForm1 Form1;
        TFinishForm* FinishForm = new TFinishForm(&Form1);
        explicit Program(char separator = '.') : Form1(separator) {
            Form1.SetDialogs(nullptr, FinishForm);
            Form1.show();
        }
        void Go() { Form1.findChild<QPushButton*>("BitBtn1")->click(); }
        QWidget* GoButton() { return Form1.findChild<QWidget*>("BitBtn1"); }
    };

  private slots:
    void defaultRunWritesTheHeadlessReportAndFinishes() {
        const QByteArray expected = HeadlessReport();
        QVERIFY(!expected.isEmpty());

        ScratchDirectory scratch;
        Program p;
        ModalCloser closer(&p.Form1);
        QVERIFY(!Files(&p.Form1).contains("result.txt"));
        p.Go();

        QCOMPARE(closer.Seen().size(), 1);
        const testing::SeenDialog& finish = closer.Seen()[0];
        QCOMPARE(finish.Kind, QString("FinishForm"));
        QCOMPARE(finish.Text, QString("Calculation is successfully finished !"));
        // The hourglass stays while the dialog is up; the arrow comes back after.
        QCOMPARE(finish.WindowCursor, Qt::WaitCursor);
        QCOMPARE(finish.GoCursor, Qt::WaitCursor);
        QCOMPARE(p.Form1.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(p.GoButton()->cursor().shape(), Qt::ArrowCursor);

        QCOMPARE(ReadAll(scratch.File("result.txt")), expected);
        QVERIFY(Files(&p.Form1).contains("result.txt"));
    }

    // The Profile button opens the charts before any run (Live is switched on
    // there); only completed runs reach them.
    void profileFollowsCompletedRunsOnly() {
        ScratchDirectory scratch;
        Program p;
        ModalCloser closer(&p.Form1);
        auto* profileButton = p.Form1.findChild<QPushButton*>("BitBtn4");
        auto* profile = p.Form1.findChild<TProfileForm*>("ProfileForm");
        QVERIFY(profileButton != nullptr && profile != nullptr);
        QVERIFY(profileButton->isEnabled());
        QVERIFY(!profile->Latest().has_value());
        QCOMPARE(profile->StatusText(), QString("No converged run yet."));

        p.Go();
        QVERIFY(profileButton->isEnabled());
        QVERIFY(profile->Latest().has_value());
        QCOMPARE(profile->Latest()->Points.size(), std::size_t(101));
        QCOMPARE(profile->Latest()->Input.VL, 3500.0);
        profileButton->click();
        QVERIFY(profile->isVisible());
        QVERIFY(!profile->isModal());
        profile->Keep();

        Edit(&p.Form1, 3)->setText("3000");
        p.Go();
        QCOMPARE(profile->Latest()->Input.VL, 3000.0);
        QCOMPARE(profile->Kept().size(), std::size_t(1));

        // A refused run and a failed one leave the charts as they were.
        Edit(&p.Form1, 1)->setText("0");
        p.Go();
        Edit(&p.Form1, 1)->setText("0.025");
        Edit(&p.Form1, 12)->setText("-10"); // the zone-2 law divides by zero at z = 10
        p.Go();
        QCOMPARE(closer.Texts().mid(2), QStringList({"Value of Hole Diameter is not correct",
                                                     "Floating point division by zero"}));
        QCOMPARE(profile->Latest()->Input.VL, 3000.0);
        QCOMPARE(profile->Kept().size(), std::size_t(1));
        QVERIFY(profileButton->isEnabled());
    }

    void enterInAnyFieldRuns_data() {
        QTest::addColumn<int>("field");
        QTest::newRow("hole diameter") << 1;
        QTest::newRow("save file name") << 20;
    }
    void enterInAnyFieldRuns() {
        QFETCH(int, field);
        ScratchDirectory scratch;
        Program p;
        QVERIFY(QTest::qWaitForWindowActive(&p.Form1));
        ModalCloser closer(&p.Form1);
        Edit(&p.Form1, field)->setFocus();
        QTest::keyClick(Edit(&p.Form1, field), Qt::Key_Return);
        QCOMPARE(closer.Seen().size(), 1);
        QCOMPARE(closer.Seen()[0].Kind, QString("FinishForm"));
        QVERIFY(QFile::exists(scratch.File("result.txt")));
    }

    void refusedInputShowsOneMessageAndTouchesNoFile_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("hole diameter 0") << 1 << "0"
                                         << "Value of Hole Diameter is not correct";
        QTest::newRow("not a number") << 3 << "fast"
                                      << "Input value is not correct!";
        QTest::newRow("no file name") << 20 << ""
                                      << "Save File Name is not correct";
    }
    void refusedInputShowsOneMessageAndTouchesNoFile() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        ScratchDirectory scratch;
        {
            QFile old(scratch.File("result.txt"));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("an earlier report\r\n");
        }
        Program p;
        ModalCloser closer(&p.Form1);
        Edit(&p.Form1, field)->setText(text);
        p.Go();

        QCOMPARE(closer.Texts(), QStringList{message});
        QCOMPARE(closer.Seen()[0].Icon, QMessageBox::Warning);
        QCOMPARE(p.Form1.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(p.GoButton()->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(ReadAll(scratch.File("result.txt")), QByteArray("an earlier report\r\n"));
        // The cursor waits in the field to correct.
        QCOMPARE(p.Form1.focusWidget(), Edit(&p.Form1, field));
        QCOMPARE(Edit(&p.Form1, field)->selectedText(), text);
    }

    void reportThatCannotBeCreated() {
        ScratchDirectory scratch;
        Program p;
        ModalCloser closer(&p.Form1);
        Edit(&p.Form1, 20)->setText("no such folder/result.txt");
        p.Go();
        QCOMPARE(closer.Texts(), QStringList{"File can not open!"});
        QCOMPARE(p.Form1.focusWidget(), Edit(&p.Form1, 20));
        QCOMPARE(Edit(&p.Form1, 20)->selectedText(), QString("no such folder/result.txt"));
        QCOMPARE(p.Form1.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(QDir(scratch.Path()).isEmpty());
    }

    void runErrorIsReportedAndTheNextRunSucceeds() {
        ScratchDirectory scratch;
        Program p;
        ModalCloser closer(&p.Form1);
        // A2 = 0 puts the zone-1 air law's pole at the spinneret: 245700 / 0.
        Edit(&p.Form1, 7)->setText("0");
        p.Go();

        QCOMPARE(closer.Seen().size(), 1);
        const testing::SeenDialog& error = closer.Seen()[0];
        QCOMPARE(error.Kind, QString("QMessageBox"));
        QCOMPARE(error.Icon, QMessageBox::Critical);
        QVERIFY(error.Text.contains("division by zero", Qt::CaseInsensitive));
        QCOMPARE(p.Form1.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(p.GoButton()->cursor().shape(), Qt::ArrowCursor);
        // A report replaces the last one only when it is complete.
        QVERIFY(QDir(scratch.Path()).isEmpty());

        Edit(&p.Form1, 7)->setText("130.0");
        p.Go();
        QCOMPARE(closer.Seen().size(), 2);
        QCOMPARE(closer.Seen()[1].Kind, QString("FinishForm"));
        QCOMPARE(ReadAll(scratch.File("result.txt")).count("\r\n"), 45 + 101 + 2);
    }

    void decimalCommaLocaleRunsOnTheOpeningTexts() {
        ScratchDirectory scratch;
        Program p(',');
        ModalCloser closer(&p.Form1);
        p.Go();
        QCOMPARE(closer.Seen().size(), 1);
        QCOMPARE(closer.Seen()[0].Kind, QString("FinishForm"));
        const QList<QByteArray> lines = ReadAll(scratch.File("result.txt")).split('\n');
        QVERIFY(lines.size() > 45);
        QVERIFY(lines[2].endsWith("=  0,0250\r"));
    }
};

QTEST_MAIN(RunControlTest)
#include "RunControlTest.moc"
