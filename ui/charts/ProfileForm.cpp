#include "ProfileForm.h"

#include "ImageExport.h"
#include "ProfileCharts.h"
#include "ProfilePlot.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace ppspin {

TProfileForm::TProfileForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("ProfileForm");
    setWindowTitle("Profile");
    resize(900, 860);

    ChartsWidget = new TProfileCharts(this);
    Summary = new QLabel(this);
    Summary->setObjectName("Summary");

    const auto button = [this](const QString& text, const QString& name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    KeepButton = button("&Keep", "KeepButton");
    KeepButton->setToolTip("Keep this profile drawn for comparison with the next runs");
    ClearButton = button("C&lear", "ClearButton");
    ClearButton->setToolTip("Remove the kept profiles");
    SaveImageButton = button("Save &Image\u2026", "SaveImageButton");
    SaveDataButton = button("Save &Data\u2026", "SaveDataButton");
    auto* closeButton = button("&Close", "CloseButton");

    connect(KeepButton, &QPushButton::clicked, this, &TProfileForm::Keep);
    connect(ClearButton, &QPushButton::clicked, this, &TProfileForm::Clear);
    connect(SaveImageButton, &QPushButton::clicked, this, &TProfileForm::SaveImageClicked);
    connect(SaveDataButton, &QPushButton::clicked, this, &TProfileForm::SaveDataClicked);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Summary, 1);
    for (QPushButton* b : {KeepButton, ClearButton, SaveImageButton, SaveDataButton, closeButton})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ChartsWidget, 1);
    layout->addLayout(buttons);

    Redraw();
}

void TProfileForm::ShowProfile(const TProfileSnapshot& profile) {
    LatestRun = profile;
    LatestKept = false;
    Redraw();
}

void TProfileForm::Keep() {
    if (!LatestRun || LatestKept || static_cast<int>(KeptRuns.size()) >= MaxKept)
        return;
    KeptRuns.push_back(*LatestRun);
    LatestKept = true;
    Redraw();
}

void TProfileForm::Clear() {
    KeptRuns.clear();
    LatestKept = false;
    Redraw();
}

bool TProfileForm::SaveImage(const QString& path, QSize size, QString* error) const {
    return RenderProfilePlot(KeptRuns, LatestKept || !LatestRun ? nullptr : &*LatestRun, path, size,
                             error);
}

bool TProfileForm::SaveData(const QString& path) const {
    return LatestRun && WriteProfileCsv(*LatestRun, QFile::encodeName(path).toStdString());
}

void TProfileForm::SaveImageClicked() {
    QString filter;
    QString path = QFileDialog::getSaveFileName(this, "Save Image", "profile.png",
                                                "PNG image (*.png);;SVG image (*.svg)", &filter);
    if (path.isEmpty())
        return;
    if (!IsImageFileName(path))
        path += filter.startsWith("SVG") ? ".svg" : ".png";
    QString error;
    if (!SaveImage(path, DefaultPlotSize, &error))
        ShowError(error);
}

void TProfileForm::SaveDataClicked() {
    const QString path =
        QFileDialog::getSaveFileName(this, "Save Data", "profile.csv", "CSV file (*.csv)");
    if (path.isEmpty())
        return;
    if (!SaveData(path))
        ShowError("Data can not be written: " + path);
}

void TProfileForm::Redraw() {
    ChartsWidget->SetRuns(KeptRuns, LatestKept || !LatestRun ? nullptr : &*LatestRun);

    const int kept = static_cast<int>(KeptRuns.size());
    KeepButton->setEnabled(LatestRun && !LatestKept && kept < MaxKept);
    ClearButton->setEnabled(kept > 0);
    SaveImageButton->setEnabled(LatestRun.has_value());
    SaveDataButton->setEnabled(LatestRun.has_value());

    if (!LatestRun) {
        Summary->setText("No converged run yet.");
        return;
    }
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = QString("Latest run: %1 trials, spinneret tension %2 dyn")
                       .arg(LatestRun->Trials)
                       .arg(locale.toString(LatestRun->F0, 'f', 3));
    if (kept > 0)
        text += QString(" \u2014 %1 of %2 kept").arg(kept).arg(MaxKept);
    Summary->setText(text);
}

void TProfileForm::ShowError(const QString& text) {
    QMessageBox::warning(this, "Profile", text);
}

} // namespace ppspin
