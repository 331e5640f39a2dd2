// Cases: a report's inputs back in the fields, the defaults back, a goal
// sought into a field, and what a session remembers.
#include "F_Form.h"
#include "MainController.h"
#include "Main_PP.h"
#include "ProfileForm.h"
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

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

    void goalSeekPutsTheValueInItsFieldAndShowsItsRun() {
        ScratchDirectory scratch;
        TForm1 form('.');
        form.show();
        // The dialog asks for the end diameter by the take-up speed; 20 um.
        QTimer::singleShot(0, [] {
            QDialog* dialog = nullptr;
            QTRY_VERIFY((dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())));
            QCOMPARE(dialog->findChild<QComboBox*>("InputBox")->currentText(),
                     QString("Take-up speed VL (m/min)"));
            dialog->findChild<QLineEdit*>("TargetEdit")->setText("20");
            dialog->accept();
        });
        form.Controller().GoalSeekClicked();
        QVERIFY2(Edit(&form, 3)->text().startsWith("2639.6"), qPrintable(Edit(&form, 3)->text()));
        const auto* profile = form.findChild<TProfileForm*>("ProfileForm");
        QVERIFY(profile->Latest().has_value());
        QCOMPARE(profile->Latest()->Input.VL, Edit(&form, 3)->text().toDouble());
        QVERIFY(QDir(scratch.Path()).isEmpty()); // GO was never pressed
    }
};

QTEST_MAIN(CaseTest)
#include "CaseTest.moc"
