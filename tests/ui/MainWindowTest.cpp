// The main window and the two dialogs as the operator meets them.
#include "F_Form.h"
#include "Main_PP.h"
#include "PlaceBeside.h"
#include "RefInfo.h"
#include "UiTestSupport.h"

#include <QContextMenuEvent>
#include <QFrame>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace ppspin;
using ppspin::testing::Edit;

class MainWindowTest : public testing::TUiTest {
    Q_OBJECT

  private slots:
    void windowIsFixedCaptionedAndHoldsTheGroups() {
        TForm1 w('.');
        QCOMPARE(w.windowTitle(), QString("MELT SPINNING OF PP"));
        QCOMPARE(w.size(), QSize(688, 453));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QStringList titles;
        for (const QGroupBox* g : w.findChildren<QGroupBox*>())
            titles << g->title().trimmed();
        titles.sort();
        QCOMPARE(titles,
                 QStringList({"1st Zone Condition", "2nd Zone Condition", "3rd Zone Condition",
                              "Calculation Accuracy", "Operating Condition", "Physical Property",
                              "Save File Name"}));
        for (const char* name : {"BitBtn1", "BitBtn3", "FileListBox1", "DriveComboBox1",
                                 "DirectoryListBox1", "Image1"})
            QVERIFY2(w.findChild<QWidget*>(name) != nullptr, name);
    }

    void everythingFitsInsideTheWindow() {
        TForm1 w('.');
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // No widget may be squeezed below what it needs or pushed outside.
        for (QWidget* child : w.findChildren<QWidget*>()) {
            if (!child->isVisible() || child->isWindow())
                continue;
            const QRect inWindow(child->mapTo(&w, QPoint(0, 0)), child->size());
            QVERIFY2(w.rect().contains(inWindow), qPrintable(child->objectName()));
        }
        auto* picture = w.findChild<QWidget*>("Image1");
        QCOMPARE(picture->size(), QSize(107, 180));
        auto* frame = qobject_cast<QFrame*>(picture->parentWidget());
        QVERIFY(frame != nullptr);
        QCOMPARE(frame->size(), QSize(115, 188));
        QVERIFY(frame->contentsRect().contains(picture->geometry()));
        // The picture stands at the window's right edge.
        QVERIFY(w.width() - frame->mapTo(&w, QPoint(frame->width(), 0)).x() <= 8);
    }

    void fieldsOpenWithTheDefaults() {
        const QStringList texts{"0.025",   "0.7", "3500.0", "190.0", "10.0",   "245700.0",  "130.0",
                                "-1710.0", "0.0", "35.0",   "34.1",  "-8.636", "20.0",      "50.0",
                                "100.0",   "0.0", "2000.0", "190.0", "1.0",    "result.txt"};
        TForm1 w('.');
        for (int n = 1; n <= 20; ++n) {
            QCOMPARE(Edit(&w, n)->text(), texts[n - 1]);
            const bool fixed = n == 2 || n == 4 || n == 17 || n == 18;
            QCOMPARE(Edit(&w, n)->isEnabled(), !fixed);
        }
        // Where the locale writes a decimal comma the opening texts must still convert.
        TForm1 comma(',');
        QCOMPARE(Edit(&comma, 1)->text(), QString("0,025"));
        QCOMPARE(Edit(&comma, 12)->text(), QString("-8,636"));
        QCOMPARE(Edit(&comma, 20)->text(), QString("result.txt"));
    }

    void focusStartsInEdit1AndTabVisitsOnlyEditableNumbers() {
        TForm1 w('.');
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), Edit(&w, 1));

        const QList<int> order{3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19, 1};
        for (int expected : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(),
                     QStringLiteral("Edit%1").arg(expected));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), Edit(&w, 19));
    }

    void escapeKeepsTheWindowAndCloseEndsIt() {
        TForm1 w('.');
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(Edit(&w, 1), Qt::Key_Escape);
        QVERIFY(w.isVisible());
        w.findChild<QPushButton*>("BitBtn2")->click();
        QVERIFY(!w.isVisible());
    }

    void profileWindowGoesBesideTheMainWindow_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("saved"); // none when null
        QTest::addColumn<QRect>("movedMain");
        QTest::addColumn<QRect>("profile");
        // Frames; the Profile window wants 900 x 940, 400 wide at least.
        const QRect wide(0, 0, 1600, 1000);
        QTest::newRow("right") << wide << QRect(0, 100, 690, 480) << QRect()
                               << QRect(0, 100, 690, 480) << QRect(690, 60, 900, 940);
        QTest::newRow("left") << wide << QRect(910, 30, 690, 480) << QRect()
                              << QRect(910, 30, 690, 480) << QRect(10, 30, 900, 940);
        // Centred on 1920 x 1080, neither side has room: the main window
        // moves toward the left edge, as far as it must.
        QTest::newRow("main moves left")
            << QRect(0, 0, 1920, 1080) << QRect(616, 313, 688, 453) << QRect()
            << QRect(332, 313, 688, 453) << QRect(1020, 140, 900, 940);
        QTest::newRow("main moves right, the shorter way")
            << wide << QRect(700, 30, 690, 480) << QRect() << QRect(900, 30, 690, 480)
            << QRect(0, 30, 900, 940);
        QTest::newRow("narrowed") << QRect(0, 0, 1400, 1000) << QRect(300, 30, 690, 480) << QRect()
                                  << QRect(0, 30, 690, 480) << QRect(690, 30, 710, 940);
        QTest::newRow("screen too narrow for both")
            << QRect(0, 0, 1000, 800) << QRect(100, 30, 690, 480) << QRect()
            << QRect(0, 30, 690, 480) << QRect(600, 0, 400, 800);
        QTest::newRow("saved place clear of the main window")
            << wide << QRect(0, 100, 690, 480) << QRect(1000, 0, 500, 500)
            << QRect(0, 100, 690, 480) << QRect(1000, 0, 500, 500);
        QTest::newRow("saved place over the main window")
            << wide << QRect(0, 100, 690, 480) << QRect(600, 0, 500, 500) << QRect(0, 100, 690, 480)
            << QRect(690, 60, 900, 940);
    }
    void profileWindowGoesBesideTheMainWindow() {
        QFETCH(QRect, screen);
        QFETCH(QRect, main);
        QFETCH(QRect, saved);
        QFETCH(QRect, movedMain);
        QFETCH(QRect, profile);
        const TPlacement place =
            PlaceBeside(main, QSize(900, 940), 400, screen,
                        saved.isNull() ? std::nullopt : std::optional<QRect>(saved));
        QCOMPARE(place.Anchor, movedMain);
        QCOMPARE(place.Window, profile);
    }

    // Open Report, Open Recent, Defaults and About without a mouse: keys of
    // their own, and in the menu Shift+F10 or the Menu key opens in a field.
    void theWindowsActionsAreReachedFromTheKeyboard() {
        TForm1 w('.');
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QLineEdit* speed = Edit(&w, 3);
        speed->setFocus();
        speed->setText("123");
        QTest::keyClick(speed, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(speed->text(), QString("3500.0"));

        {
            testing::ModalCloser closer(&w);
            QTest::keyClick(speed, Qt::Key_F1);
            QCOMPARE(closer.Seen().size(), 1);
            QVERIFY(closer.Texts()[0].contains("ppspin"));
        }
        {
            testing::ModalCloser closer(&w);
            w.activateWindow(); // back from the last dialog
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QTest::keyClick(speed, Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(closer.Seen().size(), 1); // the file dialog
        }

        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(speed, Qt::Key_R, Qt::ControlModifier);
        auto* recent = w.findChild<QMenu*>("RecentMenu");
        QTRY_COMPARE(QApplication::activePopupWidget(), recent);
        QCOMPARE(recent->actions().size(), 1);
        QVERIFY(!recent->actions()[0]->isEnabled()); // "No report opened yet"
        recent->close();

        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                  speed->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(speed, &menuKey);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text().section('\t', 0, 0);
        QVERIFY2(texts.indexOf(QRegularExpression("&Undo.*")) == 0, qPrintable(texts.join('|')));
        QCOMPARE(texts.mid(texts.size() - 5), QStringList({"&Open Report\u2026", "Open &Recent",
                                                           "&Defaults", "", "&About ppspin"}));
        menu->close();
    }

    void openReportButtonAsksForAReport() {
        TForm1 w('.');
        w.show();
        testing::ModalCloser closer(&w);
        w.findChild<QAbstractButton*>("OpenReportButton")->click();
        QCOMPARE(closer.Seen().size(), 1);
    }

    // Stepping stops where the input's check would refuse: zero and below
    // for the hole diameter, below zero for an air velocity.
    void nudgingStopsAtTheEdgeOfTheInputsDomain() {
        TForm1 w('.');
        w.show();
        const struct {
            int field;
            const char* text;
            Qt::Key key;
            const char* expected;
        } cases[] = {
            {1, "0.004", Qt::Key_PageDown, "0.001"},
            {1, "0.001", Qt::Key_Down, "0.001"},
            {9, "0.0", Qt::Key_Down, "0.0"},
            {8, "0.0", Qt::Key_Down, "-0.1"}, // an air-law coefficient takes any value
        };
        for (const auto& c : cases) {
            Edit(&w, c.field)->setText(c.text);
            QTest::keyClick(Edit(&w, c.field), c.key);
            QCOMPARE(Edit(&w, c.field)->text(), QString(c.expected));
        }
    }

    void referenceButtonShowsTheDialogModally() {
        TForm1 w('.');
        TForm2 form2(&w);
        w.SetDialogs(&form2, nullptr);
        w.show();
        testing::ModalCloser closer(&w);
        w.findChild<QPushButton*>("BitBtn3")->click();
        QCOMPARE(closer.Seen().size(), 1);
        QCOMPARE(closer.Seen()[0].Kind, QString("Form2"));
        QVERIFY(!form2.isVisible());
    }

    void referenceDialogTexts() {
        TForm2 d;
        QCOMPARE(d.windowTitle(), QString("Reference Information of PP"));
        QCOMPARE(d.size(), QSize(520, 315));
        QStringList groups;
        for (const QGroupBox* g : d.findChildren<QGroupBox*>())
            groups << g->title();
        QCOMPARE(groups,
                 QStringList({"Trouton Viscosity of PP", "Other Physical Properties of PP"}));
        QStringList texts;
        for (const QLabel* l : d.findChildren<QLabel*>())
            texts << l->text();
        const QString fullWidth = QStringLiteral("\u3000\u3000");
        const QStringList expected{
            QStringLiteral("T >= 130 \u2103"),
            fullWidth + QStringLiteral("\u03bb = C*Exp(4400/(T + 273))"),
            QStringLiteral("T < 130 \u2103"),
            fullWidth + QStringLiteral("\u03bb = 0.000132*C*Exp(8000/(T + 273))"),
            QStringLiteral("C = 3.0*\u03b7ref/Exp(4400/(Tref + 273))"),
            QStringLiteral("Density \u03c1 = 0.862 - 0.00055*T"),
            QStringLiteral("Specific Heat Cp = 0.54 + 0.0008*T"),
            QStringLiteral("Die Swell Ratio S = 1.0"),
            QStringLiteral("Note:  These physical\nproperty values are built\nin the program.  If "
                           "you\nwant to change these,\nmodifying the program is\nnecessary.")};
        QCOMPARE(texts, expected);
        const QList<QPushButton*> buttons = d.findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons[0]->text(), QString("&Close"));
    }

    void finishDialog() {
        TFinishForm d;
        QCOMPARE(d.windowTitle(), QString("FinishForm"));
        QCOMPARE(d.size(), QSize(352, 216));
        auto* label = d.findChild<QLabel*>("Label1");
        QCOMPARE(label->text(), QString("Calculation is successfully finished !"));
        QTimer::singleShot(0, &d, [&d] { QTest::keyClick(&d, Qt::Key_Return); });
        QCOMPARE(d.exec(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
