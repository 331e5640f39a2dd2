#include "ProfileForm.h"

#include "FileReplacement.h"
#include "ImageExport.h"
#include "Measured.h"
#include "ProfileCharts.h"
#include "ProfileCsv.h"
#include "ProfilePlot.h"
#include "ResidualCharts.h"
#include "RunTable.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ppspin {

namespace {

// A short line in the run's colour, as the legend draws it.
QIcon RunSwatch(const QColor& colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.fillRect(QRect(1, 6, 14, 4), colour);
    return QIcon(pixmap);
}

QTableWidgetItem* ItemAt(QTableWidget& table, int row, int column) {
    QTableWidgetItem* item = table.item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        table.setItem(row, column, item);
    }
    return item;
}

// Where the session is remembered.
constexpr const char* LiveKey = "profile/live";
constexpr const char* GeometryKey = "profile/geometry";

} // namespace

TProfileForm::TProfileForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("ProfileForm");
    setWindowTitle("Profile");
    resize(900, 940);

    // One row of controls, room left for more.
    Controls = new QHBoxLayout;
    LiveCheck = new QCheckBox("&Live", this);
    LiveCheck->setObjectName("LiveCheck");
    LiveCheck->setToolTip("Recompute the newest run as the main window's fields change; "
                          "no report is written");
    Controls->addWidget(LiveCheck);
    Controls->addSpacing(12);
    KeepButton = AddButton("&Keep", "KeepButton");
    KeepButton->setToolTip("Keep this profile drawn for comparison with the next runs");
    ClearButton = AddButton("Cl&ear", "ClearButton");
    ClearButton->setToolTip("Remove the kept profiles");
    SaveImageButton = AddButton("Save &Image\u2026", "SaveImageButton");
    SaveDataButton = AddButton("Save &Data\u2026", "SaveDataButton");
    SaveDataButton->setToolTip("Save the profiles of every run shown as CSV");
    Controls->addSpacing(12);
    QPushButton* goalSeekButton = AddButton("&Goal Seek\u2026", "GoalSeekButton");
    goalSeekButton->setToolTip("Find the value of an input that gives an output its target");
    QPushButton* studyButton = AddButton("&Study\u2026", "StudyButton");
    studyButton->setToolTip("Sweeps, maps and sensitivities from the main window's fields");
    QPushButton* defaultsButton = AddButton("De&faults", "DefaultsButton");
    defaultsButton->setToolTip("Put the defaults back in every field of the main window");
    Controls->addStretch(1);
    QPushButton* closeButton = AddButton("&Close", "CloseButton");

    ChartsWidget = new TProfileCharts(this);
    // Live redraws at every key; the saved picture draws every point.
    ChartsWidget->SetSimplified(true);
    Pages = new QStackedWidget(this);
    Pages->addWidget(ChartsWidget);

    RunTable = new QTableWidget(this);
    RunTable->setObjectName("RunTable");
    RunTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    RunTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    RunTable->verticalHeader()->hide();
    RunTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    RunTable->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    RunTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    // As tall as its rows, no taller: every run in sight, the rest for the charts.
    RunTable->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    RunTable->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    RunTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    StatusLine = new QLabel(this);
    StatusLine->setObjectName("StatusLine");
    StatusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);

    connect(LiveCheck, &QCheckBox::toggled, this, [this](bool on) {
        // A message about a text no longer followed would mislead.
        if (!on)
            Refusal.clear();
        StatusLine->setText(StatusText());
        QSettings().setValue(LiveKey, on);
        emit LiveChanged(on);
    });
    // Live as the operator last left it.
    LiveCheck->setChecked(QSettings().value(LiveKey, false).toBool());
    connect(KeepButton, &QPushButton::clicked, this, &TProfileForm::Keep);
    connect(ClearButton, &QPushButton::clicked, this, &TProfileForm::Clear);
    connect(SaveImageButton, &QPushButton::clicked, this, &TProfileForm::SaveImageClicked);
    connect(SaveDataButton, &QPushButton::clicked, this, &TProfileForm::SaveDataClicked);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(goalSeekButton, &QPushButton::clicked, this, &TProfileForm::GoalSeekRequested);
    connect(studyButton, &QPushButton::clicked, this, &TProfileForm::StudyRequested);
    connect(defaultsButton, &QPushButton::clicked, this, &TProfileForm::DefaultsRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(Controls);
    layout->addLayout(MeasuredControls());
    layout->addWidget(Pages, 1);
    layout->addWidget(RunTable);
    layout->addWidget(StatusLine);

    Redraw();
}

QPushButton* TProfileForm::AddButton(const QString& text, const QString& name, QHBoxLayout* row) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    (row != nullptr ? row : Controls)->addWidget(b);
    return b;
}

std::vector<const TProfileSnapshot*> TProfileForm::ShownRuns() const {
    std::vector<const TProfileSnapshot*> runs;
    for (const TProfileSnapshot& run : KeptRuns)
        runs.push_back(&run);
    if (LatestRun && !LatestKept)
        runs.push_back(&*LatestRun);
    return runs;
}

bool TProfileForm::IsLive() const {
    return LiveCheck->isChecked();
}

QString TProfileForm::StatusText() const {
    if (!Refusal.isEmpty())
        return Refusal;
    if (!LatestRun)
        return "No converged run yet.";
    QStringList parts;
    if (!KeptRuns.empty())
        parts << QString("%1 of %2 kept").arg(KeptRuns.size()).arg(MaxKept);
    if (const QString off = OffSpinline(); !off.isEmpty())
        parts << off;
    return parts.join("; ");
}

void TProfileForm::ShowProfile(const TProfileSnapshot& profile) {
    // Only the newest run's values change when it is drawn as the newest.
    const bool newestOnly = LatestRun && !LatestKept;
    LatestRun = profile;
    LatestKept = false;
    Refusal.clear();
    Redraw(newestOnly);
}

void TProfileForm::ShowRefusal(const QString& message) {
    Refusal = message;
    StatusLine->setText(StatusText());
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
    if (ResidualsShown() && LatestRun)
        return RenderResidualPlot(NewestResidualPlot(), path, size, error);
    // The legend's names as the window's, which the table explains.
    return RenderProfilePlot(KeptRuns, LatestKept || !LatestRun ? nullptr : &*LatestRun, path, size,
                             error, ChartsWidget->RunNames(),
                             MeasuredPoints ? MeasuredMarkers(*MeasuredPoints)
                                            : std::vector<TMeasuredMarkers>());
}

bool TProfileForm::SaveData(const QString& path) const {
    const std::vector<const TProfileSnapshot*> runs = ShownRuns();
    return !runs.empty() &&
           ReplaceFileWith(QFile::encodeName(path).toStdString(), ProfilesCsv(runs));
}

void TProfileForm::SaveImageClicked() {
    const QString path = AskImagePath(this, ResidualsShown() ? "residuals.png" : "profile.png");
    if (path.isEmpty())
        return;
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

void TProfileForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TProfileForm::Redraw(bool newestOnly) {
    const std::vector<const TProfileSnapshot*> runs = ShownRuns();
    if (!newestOnly || !ChartsWidget->ReplaceNewest(*runs.back())) {
        // The table names the runs; the legend just numbers them.
        QStringList names;
        for (int r = 0; r < static_cast<int>(runs.size()); ++r)
            names << RunNumber(r);
        ChartsWidget->SetRuns(KeptRuns, LatestKept || !LatestRun ? nullptr : &*LatestRun, names);
    }
    FillTable();

    const int kept = static_cast<int>(KeptRuns.size());
    KeepButton->setEnabled(LatestRun && !LatestKept && kept < MaxKept);
    ClearButton->setEnabled(kept > 0);
    SaveImageButton->setEnabled(LatestRun.has_value());
    SaveDataButton->setEnabled(LatestRun.has_value());
    RedrawMeasured();
    StatusLine->setText(StatusText());
}

void TProfileForm::FillTable() {
    const std::vector<const TProfileSnapshot*> runs = ShownRuns();
    const TRunTableTexts texts = RunTableTexts(runs, QLocale(), MeasuredPoints.get());
    if (RunTable->columnCount() != texts.Headings.size())
        RunTable->setColumnCount(static_cast<int>(texts.Headings.size()));
    RunTable->setHorizontalHeaderLabels(texts.Headings);
    RunTable->setRowCount(static_cast<int>(texts.Rows.size()));
    {
        // The columns are fitted to their contents once for the table, not
        // once for every cell that changes: Live changes a row at each key.
        const QSignalBlocker quiet(RunTable->model());
        for (int r = 0; r < static_cast<int>(texts.Rows.size()); ++r) {
            const bool newest = r == static_cast<int>(KeptRuns.size());
            for (int c = 0; c < texts.Rows[r].size(); ++c) {
                QTableWidgetItem* item = ItemAt(*RunTable, r, c);
                item->setText(texts.Rows[r][c]);
                // The run's number beside its colour; numbers aligned on the right.
                if (c == 0)
                    item->setIcon(RunSwatch(newest ? NewestRunColour() : KeptRunColour(r)));
                item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                              : Qt::AlignRight | Qt::AlignVCenter);
            }
        }
    }
    RunTable->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
    RunTable->viewport()->update();
}

bool TProfileForm::RestorePlace() {
    const QByteArray geometry = QSettings().value(GeometryKey).toByteArray();
    return !geometry.isEmpty() && restoreGeometry(geometry);
}

void TProfileForm::hideEvent(QHideEvent* event) {
    QSettings().setValue(GeometryKey, saveGeometry());
    QWidget::hideEvent(event);
}

void TProfileForm::ShowError(const QString& text) {
    QMessageBox::warning(this, "Profile", text);
}

} // namespace ppspin
