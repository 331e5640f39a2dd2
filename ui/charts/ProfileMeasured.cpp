// The Profile window's measured points: loading them, their markers and
// residual columns through every change of runs, Live's included, and the
// residual chart of the newest run.
#include "ProfileForm.h"

#include "Measured.h"
#include "ProfileCharts.h"
#include "ResidualCharts.h"
#include "RunTable.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace ppspin {

namespace {

// Why points cannot be compared with the run numbered index, as ppspin-cli
// refuses them: empty when every point lies on its spinline.
QString OffSpinlineOf(const TMeasuredData& data, const QString& file, const TProfileSnapshot& run,
                      int index) {
    const std::string why = MeasuredRangeRefusal(data, run.Input.Z3);
    if (why.empty())
        return {};
    return RunNumber(index) + ": " + QFileInfo(file).fileName() + ": " +
           QString::fromStdString(why);
}

} // namespace

QHBoxLayout* TProfileForm::MeasuredControls() {
    auto* row = new QHBoxLayout;
    QPushButton* load = AddButton("&Measured\u2026", "MeasuredButton", row);
    load->setToolTip("Load points measured on a line (CSV: z_cm and any of v_m_min, F_dyn, T_C, "
                     "D_cm or D_um) to compare the runs with");
    ResidualsButton = AddButton("&Residuals", "ResidualsButton", row);
    ResidualsButton->setCheckable(true);
    ResidualsButton->setToolTip(
        "Measured minus model along the spinline for the newest run, in place of the profiles");
    QPushButton* fit = AddButton("Fi&t\u2026", "FitButton", row);
    fit->setToolTip("Fit inputs of the main window to the measured points");
    ClearMeasuredButton = AddButton("Remo&ve Measured", "ClearMeasuredButton", row);
    ClearMeasuredButton->setToolTip("Remove the measured points, their columns and chart");
    row->addSpacing(12);
    MeasuredLabel = new QLabel(this);
    MeasuredLabel->setObjectName("MeasuredLabel");
    MeasuredLabel->setTextFormat(Qt::PlainText);
    // A long file name is cut rather than widen the window.
    MeasuredLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(MeasuredLabel, 1);

    ResidualPage = new QWidget(this);
    auto* page = new QVBoxLayout(ResidualPage);
    page->setContentsMargins(0, 0, 0, 0);
    ResidualTitle = new QLabel(ResidualPage);
    ResidualTitle->setObjectName("ResidualTitle");
    ResidualTitle->setTextFormat(Qt::PlainText);
    ResidualTitle->setAlignment(Qt::AlignCenter);
    page->addWidget(ResidualTitle);
    Pages->addWidget(ResidualPage);

    connect(load, &QPushButton::clicked, this, &TProfileForm::MeasuredClicked);
    connect(ResidualsButton, &QPushButton::toggled, this, &TProfileForm::ShowResiduals);
    connect(fit, &QPushButton::clicked, this, &TProfileForm::FitRequested);
    connect(ClearMeasuredButton, &QPushButton::clicked, this, &TProfileForm::ClearMeasured);
    return row;
}

bool TProfileForm::LoadMeasured(const QString& path, QString* error) {
    auto data = std::make_shared<TMeasuredData>();
    std::string message;
    if (!ReadMeasuredFile(QFile::encodeName(path).toStdString(), *data, message)) {
        if (error != nullptr)
            *error = QString::fromLocal8Bit(message);
        return false;
    }
    // The model has no value beyond its spinline to compare a point with.
    if (LatestRun)
        message = MeasuredRangeRefusal(*data, LatestRun->Input.Z3);
    if (!message.empty()) {
        if (error != nullptr)
            *error = path + ": " + QString::fromStdString(message);
        return false;
    }
    MeasuredPoints = std::move(data);
    MeasuredFile = path;
    ChartsWidget->SetMarkers(MeasuredMarkers(*MeasuredPoints));
    Redraw();
    return true;
}

void TProfileForm::MeasuredClicked() {
    const QString folder =
        MeasuredFile.isEmpty() ? QDir::currentPath() : QFileInfo(MeasuredFile).path();
    const QString path = QFileDialog::getOpenFileName(this, "Measured Points", folder,
                                                      "CSV files (*.csv);;All files (*)");
    if (path.isEmpty())
        return;
    QString error;
    if (!LoadMeasured(path, &error))
        ShowError(error);
}

void TProfileForm::ClearMeasured() {
    ShowResiduals(false);
    MeasuredPoints.reset();
    MeasuredFile.clear();
    ChartsWidget->SetMarkers({});
    Redraw();
}

bool TProfileForm::ResidualsShown() const {
    return Pages->currentWidget() == ResidualPage;
}

void TProfileForm::ShowResiduals(bool on) {
    on = on && MeasuredPoints && LatestRun;
    {
        const QSignalBlocker quiet(ResidualsButton);
        ResidualsButton->setChecked(on);
    }
    Pages->setCurrentWidget(on ? ResidualPage : static_cast<QWidget*>(ChartsWidget));
    RedrawMeasured();
}

QString TProfileForm::OffSpinline() const {
    if (!MeasuredPoints)
        return {};
    const std::vector<const TProfileSnapshot*> runs = ShownRuns();
    for (int r = 0; r < static_cast<int>(runs.size()); ++r)
        if (QString off = OffSpinlineOf(*MeasuredPoints, MeasuredFile, *runs[r], r); !off.isEmpty())
            return off;
    return {};
}

TResidualPlot TProfileForm::NewestResidualPlot() const {
    const double zEnd = LatestRun->Input.Z3;
    if (const std::string off = MeasuredRangeRefusal(*MeasuredPoints, zEnd); !off.empty()) {
        // A saved picture says why it is empty.
        TResidualPlot none;
        none.Title = "No residuals: " + off;
        none.ZEnd = zEnd;
        return none;
    }
    return ResidualPlotOf(Compare(*LatestRun, *MeasuredPoints), zEnd);
}

void TProfileForm::RedrawMeasured() {
    const bool loaded = MeasuredPoints != nullptr;
    ResidualsButton->setEnabled(loaded && LatestRun);
    ClearMeasuredButton->setEnabled(loaded);
    MeasuredLabel->setText(loaded ? QString("%1: %2 points")
                                        .arg(QFileInfo(MeasuredFile).fileName())
                                        .arg(MeasuredPoints->PointCount())
                                  : QString());
    MeasuredLabel->setToolTip(QDir::toNativeSeparators(MeasuredFile));

    delete ResidualChart;
    ResidualChart = nullptr;
    if (!ResidualsShown())
        return;
    // The newest run is the last shown, kept or not.
    const int newest = static_cast<int>(ShownRuns().size()) - 1;
    const TResidualPlot plot = NewestResidualPlot();
    const QString off = OffSpinlineOf(*MeasuredPoints, MeasuredFile, *LatestRun, newest);
    ResidualTitle->setText(
        off.isEmpty() ? QString::fromStdString(plot.Title) + ", run " + RunNumber(newest) : off);
    ResidualChart = new TResidualCharts(plot, ResidualPage);
    ResidualChart->setObjectName("ResidualCharts");
    ResidualPage->layout()->addWidget(ResidualChart);
}

} // namespace ppspin
