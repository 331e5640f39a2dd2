// Live: the Profile window follows the fields as they are typed, in memory,
// with no file touched and no dialog shown.
#include "F_Form.h"
#include "Main_PP.h"
#include "ProfileCharts.h"
#include "ProfileForm.h"
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QXYSeries>
#include <QtTest>

using namespace ppspin;
using ppspin::testing::Edit;

class LiveTest : public testing::TUiTest {
    Q_OBJECT

  private slots:
    void theProfileFollowsTheFieldsAndNoFileOrDialogComes() {
        testing::ScratchDirectory scratch;
        TForm1 form1('.');
        form1.SetDialogs(nullptr, new TFinishForm(&form1));
        form1.show();
        QVERIFY(QTest::qWaitForWindowActive(&form1));
        testing::ModalCloser closer(&form1);
        form1.findChild<QPushButton*>("BitBtn1")->click();
        QFile report(scratch.File("result.txt"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QByteArray reported = report.readAll();
        report.close();

        auto* profile = form1.findChild<TProfileForm*>("ProfileForm");
        form1.findChild<QPushButton*>("BitBtn4")->click();
        profile->Keep();
        profile->findChild<QCheckBox*>("LiveCheck")->click();

        QLineEdit* speed = Edit(&form1, 3);
        form1.activateWindow();
        speed->setFocus();
        speed->selectAll();
        QTest::keyClicks(speed, "2000");
        QTRY_COMPARE(profile->Latest()->Input.VL, 2000.0);
        const TProfileCharts& charts = profile->Charts();
        QCOMPARE(charts.RunCount(), 2); // the kept run stays
        const QXYSeries* v = charts.Series(1, TProfileQuantity::Velocity);
        QVERIFY(std::abs(v->at(v->count() - 1).y() - 2000.0) < 2.0);
        QCOMPARE(profile->Table().item(1, 1)->text(), QString("2000"));

        // Each nudge redraws.
        QTest::keyClick(speed, Qt::Key_Up);
        QCOMPARE(speed->text(), QString("2001"));
        QTRY_COMPARE(profile->Latest()->Input.VL, 2001.0);

        // A refused text: its message, and the last good run stays drawn.
        speed->selectAll();
        QTest::keyClicks(speed, "abc");
        QTRY_COMPARE(profile->StatusText(), QString("Input value is not correct!"));
        QCOMPARE(profile->findChild<QLabel*>("StatusLine")->text(), profile->StatusText());
        QCOMPARE(profile->Latest()->Input.VL, 2001.0);
        QCOMPARE(charts.RunCount(), 2);

        QCOMPARE(closer.Seen().size(), 1); // GO's finish dialog alone
        QCOMPARE(QDir(scratch.Path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"result.txt"});
        QVERIFY(report.open(QIODevice::ReadOnly));
        QCOMPARE(report.readAll(), reported);
    }
};

QTEST_MAIN(LiveTest)
#include "LiveTest.moc"
