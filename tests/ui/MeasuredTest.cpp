// Measured points in the Profile window: markers and residual columns that
// follow the runs, Live's included, and a fit from its dialog into the
// main window's fields.
#include "Fit.h"
#include "MainController.h"
#include "Main_PP.h"
#include "NumberText.h"
#include "ProfileCharts.h"
#include "ProfileForm.h"
#include "ResidualCharts.h"
#include "UiTestSupport.h"

#include <QChart>
#include <QCheckBox>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QtTest>

using namespace ppspin;
using ppspin::testing::Edit;

namespace {

// The points marked on a chart, by scatter series.
QList<int> Markers(QChart& chart) {
    QList<int> counts;
    for (QAbstractSeries* series : chart.series())
        if (auto* scatter = qobject_cast<QScatterSeries*>(series))
            counts << scatter->count();
    return counts;
}

QLineEdit* FieldEdit(TForm1& form, const char* input) {
    return Edit(&form, FindEditableInput(input)->Field + 1);
}

} // namespace

class MeasuredTest : public testing::TUiTest {
    Q_OBJECT

    // The table's last columns against the library's comparison of the newest run.
    static void CheckResidualColumns(const TProfileForm& profile) {
        const QTableWidget& table = profile.Table();
        const TComparison comparison = Compare(*profile.Latest(), *profile.Measured());
        const int first = table.columnCount() - 2;
        QCOMPARE(table.horizontalHeaderItem(first)->text(), QString("RMS T_C\n(\u00b0C)"));
        QCOMPARE(table.horizontalHeaderItem(first + 1)->text(), QString("RMS D_um\n(\u00b5m)"));
        for (int q = 0; q < 2; ++q)
            QCOMPARE(table.item(table.rowCount() - 1, first + q)->text(),
                     QString::fromStdString(SignificantText(comparison[q].Rms, 3, '.')));
    }

  private slots:
    void pointsFollowTheRunsAndAFitFillsTheFields() {
        QLocale::setDefault(QLocale::c());
        testing::ScratchDirectory scratch;
        TForm1 form1('.');
        form1.show();
        QVERIFY(QTest::qWaitForWindowActive(&form1));
        TProfileForm& profile = form1.Profile();

        // Without points the dialog says what the fit needs.
        form1.Controller().FitClicked();
        auto* dialog = form1.findChild<QDialog*>("FitDialog");
        QVERIFY(dialog->findChild<QLabel*>("MessageLabel")->text().contains("Measured"));

        profile.findChild<QCheckBox*>("LiveCheck")->click();
        QTRY_VERIFY(profile.Latest().has_value());
        QString error;
        QVERIFY2(profile.LoadMeasured(PPSPIN_MEASURED_EXAMPLE, &error), qPrintable(error));
        TProfileCharts& charts = profile.Charts();
        const auto checkMarkers = [&] {
            QCOMPARE(Markers(charts.Chart(TProfileCharts::TemperatureChart)), QList<int>{15});
            QCOMPARE(Markers(charts.Chart(TProfileCharts::DiameterChart)), QList<int>{15});
            QCOMPARE(Markers(charts.Chart(TProfileCharts::TensionChart)), QList<int>{});
            // The legend's key alone.
            QCOMPARE(Markers(charts.Chart(TProfileCharts::VelocityChart)), QList<int>{0});
        };
        checkMarkers();
        CheckResidualColumns(profile);

        // A Live edit redraws the newest run alone: the markers stay, the
        // columns follow it.
        QLineEdit* speed = FieldEdit(form1, "take-up-speed");
        speed->selectAll();
        QTest::keyClicks(speed, "3200");
        QTRY_COMPARE(profile.Latest()->Input.VL, 3200.0);
        checkMarkers();
        CheckResidualColumns(profile);
        profile.findChild<QPushButton*>("ResidualsButton")->click();
        QCOMPARE(profile.Residuals()->Count(), 2);

        // Escape ends a fit at once, at a fine grid that makes it long, and
        // leaves the fields and the dialog as they were.
        QLineEdit* increment = FieldEdit(form1, "increment");
        const QString coarse = increment->text();
        increment->setText("0.1");
        dialog->findChild<QPushButton*>("FitButton")->click();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_COMPARE(dialog->findChild<QLabel*>("MessageLabel")->text(),
                     QString("The fit was cancelled"));
        QVERIFY(dialog->isVisible());
        QCOMPARE(speed->text(), QString("3200"));
        increment->setText(coarse);

        // The dialog's first choices, the take-up speed and the zone-2 air
        // velocity, fitted from the fields as they stand.
        TFitSetup setup;
        for (const char* name : {"take-up-speed", "zone2-air-velocity"})
            setup.Inputs.push_back({FindEditableInput(name), std::nullopt});
        const TFitResult expected = FitMeasured(form1.FieldTexts(), *profile.Measured(), setup);
        QCOMPARE(expected.End, TFitEnd::Converged);
        dialog->findChild<QPushButton*>("FitButton")->click();
        QTRY_COMPARE(speed->text(), QString::fromStdString(expected.Inputs[0].Text));
        QCOMPARE(FieldEdit(form1, "zone2-air-velocity")->text(),
                 QString::fromStdString(expected.Inputs[1].Text));
        // The fitted run at once, and what the fit says of itself.
        QCOMPARE(profile.Latest()->Input.VL, speed->text().toDouble());
        CheckResidualColumns(profile);
        QVERIFY(dialog->findChild<QLabel*>("ResultLabel")->text().contains("standard error"));

        // Removed, the points leave the charts and the table.
        profile.ClearMeasured();
        QCOMPARE(Markers(charts.Chart(TProfileCharts::DiameterChart)), QList<int>{});
        QVERIFY(profile.Table()
                    .horizontalHeaderItem(profile.Table().columnCount() - 1)
                    ->text()
                    .startsWith("TEN(AP)"));
        QVERIFY(profile.Residuals() == nullptr);
    }
};

QTEST_MAIN(MeasuredTest)
#include "MeasuredTest.moc"
