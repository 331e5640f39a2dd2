// Cases: a report's inputs back in the fields, the defaults back, a goal
// sought into a field (or failing with a reason), and what a session
// remembers.
#include "F_Form.h"
#include "GoalSeekTask.h"
#include "MainController.h"
#include "Main_PP.h"
#include "ProfileForm.h"
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <new>
#include <optional>

using namespace ppspin;
using ppspin::testing::Edit;
using ppspin::testing::ModalCloser;
using ppspin::testing::ScratchDirectory;

namespace {

// A report of the default run but for a take-up speed of 3000 and an
// increment of 0.25, made by GO.
QString WriteReport(const ScratchDirectory& scratch) {
    TForm1 form('.');
    form.SetDialogs(nullptr, new TFinishForm(&form));
    ModalCloser closer(&form);
    Edit(&form, 3)->setText("3000");
    Edit(&form, 19)->setText("0.25");
    form.findChild<QPushButton*>("BitBtn1")->click();
    return scratch.File("result.txt");
}

// Fields whose texts are not shown from their first character.
QStringList ScrolledFields(TForm1& form) {
    QStringList scrolled;
    for (int n = 1; n <= 20; ++n)
        if (Edit(&form, n)->cursorPosition() != 0)
            scrolled << Edit(&form, n)->objectName();
    return scrolled;
}

} // namespace

class CaseTest : public testing::TUiTest {
    Q_OBJECT

  private slots:
    void openReportFillsTheFieldsAsPrintedAndRefusesWhatIsNoReport() {
        ScratchDirectory scratch;
        const QString report = WriteReport(scratch);
        TForm1 form('.');
        ModalCloser closer(&form);
        form.Controller().OpenReport(report);
        QCOMPARE(Edit(&form, 3)->text(), QString("3000.0"));
        QCOMPARE(Edit(&form, 19)->text(), QString("0.3")); // 0.25 as the header printed it
        QCOMPARE(Edit(&form, 20)->text(), QString("result.txt"));
        // "245700.00" in a field narrower than its text, "-1710.00" with its sign.
        QCOMPARE(ScrolledFields(form), QStringList());
        form.Controller().OpenReport(report);
        QCOMPARE(closer.Seen().size(), 1); // said once
        QVERIFY(closer.Texts()[0].contains("as its header printed them"));
        QCOMPARE(closer.Seen()[0].Icon, QMessageBox::Information);

        Edit(&form, 3)->setText("2500");
        QFile other(scratch.File("notes.txt"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("OPERATING CONDITION\r\nnot a report\r\n");
        other.close();
        form.Controller().OpenReport(other.fileName());
        QCOMPARE(closer.Seen().size(), 2);
        QVERIFY2(closer.Texts()[1].endsWith("Not a report of this program: line 2 should read "
                                            "\"-------------------\""),
                 qPrintable(closer.Texts()[1]));
        QCOMPARE(closer.Seen()[1].Icon, QMessageBox::Warning);
        QCOMPARE(Edit(&form, 3)->text(), QString("2500"));
        // Read no further than a header reaches: a folder, an endless device.
        for (const QString& name : {scratch.Path(), QString("/dev/zero")}) {
            form.Controller().OpenReport(name);
            QVERIFY2(closer.Texts().last().contains("Not a report of this program: "),
                     qPrintable(closer.Texts().last()));
        }
        QCOMPARE(closer.Seen().size(), 4);
        QCOMPARE(Edit(&form, 3)->text(), QString("2500"));

        Edit(&form, 8)->setText("-1710.000001");
        form.Controller().SetDefaults();
        QCOMPARE(Edit(&form, 3)->text(), QString("3500.0"));
        QCOMPARE(Edit(&form, 19)->text(), QString("1.0"));
        QCOMPARE(ScrolledFields(form), QStringList());
    }

    // Remembered: the Profile window's Live and the reports opened. Not
    // remembered: the fields, which open with the defaults.
    void aSessionRemembersLiveAndRecentReportsOnly() {
        ScratchDirectory scratch;
        const QString report = WriteReport(scratch);
        {
            TForm1 form('.');
            ModalCloser closer(&form);
            form.Controller().OpenReport(report);
            form.findChild<QCheckBox*>("LiveCheck")->setChecked(true);
        }
        TForm1 form('.');
        QVERIFY(form.findChild<QCheckBox*>("LiveCheck")->isChecked());
        const QList<QAction*> recent = form.findChild<QMenu*>("RecentMenu")->actions();
        QCOMPARE(recent.size(), 1);
        QVERIFY(recent[0]->text().endsWith("result.txt"));
        QCOMPARE(Edit(&form, 3)->text(), QString("3500.0"));
    }

    // From a take-up speed of 2639.64, an end temperature of 32.3 is met
    // twice: both are listed, the nearest goes into the field, the other
    // when picked, and the Profile window shows each.
    void goalSeekListsEveryValueFoundAndTakesTheOnePicked() {
        ScratchDirectory scratch;
        TForm1 form('.');
        form.show();
        Edit(&form, 3)->setText("2639.64");
        form.Controller().GoalSeekClicked();
        auto* dialog = form.findChild<QDialog*>("GoalSeekDialog");
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QCOMPARE(dialog->findChild<QComboBox*>("InputBox")->currentText(),
                 QString("Take-up Speed (m/min)"));
        dialog->findChild<QComboBox*>("OutputBox")->setCurrentText("End temperature (\u00b0C)");
        dialog->findChild<QLineEdit*>("TargetEdit")->setText("32.3");
        auto* seek = dialog->findChild<QPushButton*>("SeekButton");
        seek->click();
        // The search runs beside the event loop, under the wait cursor.
        QVERIFY(!seek->isEnabled());
        QCOMPARE(dialog->cursor().shape(), Qt::WaitCursor);
        QTRY_VERIFY_WITH_TIMEOUT(seek->isEnabled(), 60000);
        QCOMPARE(dialog->cursor().shape(), Qt::ArrowCursor);

        auto* values = dialog->findChild<QListWidget*>("SolutionList");
        QCOMPARE(values->count(), 2);
        const auto* profile = form.findChild<TProfileForm*>("ProfileForm");
        for (int picked : {0, 1}) {
            values->setCurrentRow(picked);
            const QString text = Edit(&form, 3)->text();
            QCOMPARE(values->item(picked)->text(), text + " m/min");
            QCOMPARE(profile->Latest()->Input.VL, text.toDouble());
            QCOMPARE(Edit(&form, 3)->cursorPosition(), 0);
        }
        QVERIFY2(std::abs(values->item(0)->text().section(" ", 0, 0).toDouble() - 2695.2) < 1,
                 qPrintable(values->item(0)->text()));
        QVERIFY(Edit(&form, 3)->text().toDouble() > 400 && Edit(&form, 3)->text().toDouble() < 500);
        QVERIFY(dialog->isVisible());
        QVERIFY(QDir(scratch.Path()).isEmpty()); // GO was never pressed
    }

    // A refusal or failure leaves the dialog open with its choices, saying
    // why in the window's words.
    void goalSeekStaysOpenAndSaysWhy_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message"); // how it starts
        QTest::newRow("field refused") << 1 << "abc"
                                       << "20"
                                       << "Hole Diameter: Input value is not correct!";
        QTest::newRow("empty target") << 3 << "3500.0"
                                      << ""
                                      << "Target: Input value is not correct!";
        QTest::newRow("no value") << 3 << "3500.0"
                                  << "1000"
                                  << "No value of Take-up Speed (m/min) from ";
    }
    void goalSeekStaysOpenAndSaysWhy() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, target);
        QFETCH(QString, message);
        ScratchDirectory scratch;
        TForm1 form('.');
        form.show();
        Edit(&form, field)->setText(text);
        form.Controller().GoalSeekClicked();
        auto* dialog = form.findChild<QDialog*>("GoalSeekDialog");
        auto* input = dialog->findChild<QComboBox*>("InputBox");
        input->setCurrentText("Take-up Speed (m/min)");
        dialog->findChild<QLineEdit*>("TargetEdit")->setText(target);
        auto* seek = dialog->findChild<QPushButton*>("SeekButton");
        seek->click();
        QTRY_VERIFY_WITH_TIMEOUT(seek->isEnabled(), 60000);
        const QString said = dialog->findChild<QLabel*>("MessageLabel")->text();
        QVERIFY2(said.startsWith(message), qPrintable(said));
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->findChild<QComboBox*>("OutputBox")->currentText(),
                 QString("End diameter (\u00b5m)"));
        QCOMPARE(dialog->findChild<QLineEdit*>("TargetEdit")->text(), target);
        QCOMPARE(input->currentText(), QString("Take-up Speed (m/min)"));
        QCOMPARE(Edit(&form, 3)->text(), QString("3500.0"));
    }

    // A search that throws on its thread, as one out of memory would: it
    // ends as a failed one saying why, and the next search runs.
    void aGoalSeekThatThrowsSaysWhyAndTheNextOneRuns() {
        static constexpr TOutputColumn Throwing{
            "x", "x", [](const TRunOutputs&) -> std::optional<double> { throw std::bad_alloc(); }};
        TGoalSeekTask task;
        std::optional<TGoalSeekResult> heard;
        connect(&task, &TGoalSeekTask::Finished, this,
                [&](const TGoalSeekResult& result) { heard = result; });
        TGoal goal;
        goal.Input = FindEditableInput("take-up-speed");
        goal.Output = &Throwing;
        goal.Target = 20;
        task.Start(DefaultFieldTexts('.'), goal);
        QTRY_VERIFY_WITH_TIMEOUT(heard.has_value(), 60000);
        QCOMPARE(heard->End, TGoalSeekEnd::RunFailed);
        QCOMPARE(heard->Message, std::string("The goal seek stopped: out of memory"));
        QVERIFY(!task.IsRunning());

        heard.reset();
        goal.Output = FindOutputColumn("D_end_um");
        task.Start(DefaultFieldTexts('.'), goal);
        QTRY_VERIFY_WITH_TIMEOUT(heard.has_value(), 60000);
        QCOMPARE(heard->End, TGoalSeekEnd::Found);
    }
};

QTEST_MAIN(CaseTest)
#include "CaseTest.moc"
