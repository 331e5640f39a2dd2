#include "StudyForm.h"

#include "FileReplacement.h"
#include "HeadlessPlots.h"
#include "ImageExport.h"
#include "NumberText.h"
#include "PictureData.h"
#include "RangeEditor.h"
#include "Sensitivity.h"
#include "StudyPicture.h"
#include "StudyPlots.h"
#include "StudyRunner.h"
#include "StudyTable.h"
#include "XYPlot.h"

#include <QButtonGroup>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <thread>

namespace ppspin {

namespace {

QString Duration(double seconds) {
    if (seconds < 1)
        return QStringLiteral("under 1 s");
    const auto s = static_cast<long long>(std::lround(seconds));
    if (s < 60)
        return QString("%1 s").arg(s);
    return QString("%1 min %2 s").arg(s / 60).arg(s % 60);
}

// Every k-th point of a long sweep, and its last: drawn while rows arrive,
// it looks the same at the charts' width and takes a fraction of the time.
TXYPlot Thinned(TXYPlot plot, std::size_t most) {
    const std::size_t n = plot.X.size(), k = (n + most - 1) / most;
    if (k <= 1)
        return plot;
    const auto thin = [&](auto& values) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (i % k == 0 || i + 1 == n)
                values[kept++] = values[i];
        values.resize(kept);
    };
    thin(plot.X);
    for (TXYSeries& series : plot.Series)
        thin(series.Y);
    return plot;
}

int Jobs() {
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

} // namespace

TStudyForm::TStudyForm(char separator, QWidget* parent)
    : QWidget(parent, Qt::Window), Separator(separator), Worker(std::make_unique<TStudyRunner>()) {
    setObjectName("StudyForm");
    setWindowTitle("Study");
    resize(1280, 820);

    auto* modeRow = new QHBoxLayout;
    Modes = new QButtonGroup(this);
    const std::pair<const char*, TMode> modes[] = {
        {"S&weep", TMode::Sweep}, {"&Map", TMode::Map}, {"Se&nsitivities", TMode::Sensitivities}};
    for (const auto& [text, mode] : modes) {
        auto* button = new QRadioButton(text, this);
        button->setObjectName(QString(text).remove('&') + "Mode");
        Modes->addButton(button, static_cast<int>(mode));
        modeRow->addWidget(button);
    }
    modeRow->addStretch(1);
    Ranges[0] = new TRangeEditor("In&put:", separator, this);
    Ranges[0]->setObjectName("Range1");
    Ranges[1] = new TRangeEditor("&Second input:", separator, this);
    Ranges[1]->setObjectName("Range2");

    auto* controls = new QHBoxLayout;
    RunButton = AddButton("&Run", "RunButton");
    RunButton->setToolTip("Compute the study on every core (Enter)");
    controls->addWidget(RunButton);
    CancelButton = AddButton("Cancel", "CancelButton");
    CancelButton->setToolTip("Stop the runs, keeping the rows done (Escape)");
    controls->addWidget(CancelButton);
    Progress = new QProgressBar(this);
    Progress->setObjectName("StudyProgress");
    Progress->setRange(0, 1);
    Progress->setValue(0);
    Progress->setFormat(QString());
    controls->addWidget(Progress, 1);
    SaveDataButton = AddButton("Save &Data\u2026", "SaveDataButton");
    SaveDataButton->setToolTip("Save the rows as ppspin-cli --summary writes them");
    controls->addWidget(SaveDataButton);
    SaveImageButton = AddButton("Save &Image\u2026", "SaveImageButton");
    controls->addWidget(SaveImageButton);
    QPushButton* closeButton = AddButton("&Close", "CloseButton");
    controls->addWidget(closeButton);

    Pictures = new QStackedWidget(this);
    SweepChart = new TXYPlotPage(Pictures);
    SweepChart->setObjectName("SweepChart");
    Picture = new TStudyPicture(Pictures);
    Pictures->addWidget(SweepChart);
    Pictures->addWidget(Picture);

    Table = new TStudyTable(separator, this);
    TableView = new QTableView(this);
    TableView->setObjectName("StudyTable");
    TableView->setModel(Table);
    TableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    TableView->setSelectionMode(QAbstractItemView::SingleSelection);
    TableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TableView->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    TableView->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(Pictures);
    splitter->addWidget(TableView);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({760, 500});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(modeRow);
    layout->addWidget(Ranges[0]);
    layout->addWidget(Ranges[1]);
    layout->addLayout(controls);
    layout->addWidget(splitter, 1);

    PictureTimer = new QTimer(this);
    PictureTimer->setSingleShot(true);
    connect(PictureTimer, &QTimer::timeout, this, &TStudyForm::RefreshPictures);

    connect(Modes, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (!on)
            return;
        SetMode(Mode());
        // Enter then runs the mode chosen, wherever the keyboard was.
        Modes->button(id)->setFocus(Qt::OtherFocusReason);
    });
    connect(RunButton, &QPushButton::clicked, this, &TStudyForm::Run);
    connect(CancelButton, &QPushButton::clicked, this, &TStudyForm::Cancel);
    connect(SaveDataButton, &QPushButton::clicked, this, &TStudyForm::SaveDataClicked);
    connect(SaveImageButton, &QPushButton::clicked, this, &TStudyForm::SaveImageClicked);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(TableView, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { ChoosePoint(index.row()); });
    // The chart's points may be fewer than the rows while they arrive.
    const auto rowOf = [this](int point) {
        const double x = SweepChart->Plot().X[static_cast<std::size_t>(point)];
        const std::vector<TSweepRow>& rows = Table->Rows();
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&](const TSweepRow& r) { return r.Values.front() == x; });
        return row == rows.end() ? -1 : static_cast<int>(row - rows.begin());
    };
    connect(SweepChart, &TXYPlotPage::PointClicked, this,
            [this, rowOf](int point) { SelectRow(rowOf(point)); });
    connect(SweepChart, &TXYPlotPage::PointActivated, this,
            [this, rowOf](int point) { ChoosePoint(rowOf(point)); });
    connect(Picture, &TStudyPicture::PointClicked, this, &TStudyForm::SelectRow);
    connect(Picture, &TStudyPicture::PointActivated, this, &TStudyForm::ChoosePoint);
    connect(Worker.get(), &TStudyRunner::Arrived, this, &TStudyForm::TakeArrived);
    connect(Worker.get(), &TStudyRunner::Finished, this, &TStudyForm::RunFinished);

    const TFieldTexts defaults = DefaultFieldTexts(separator);
    Ranges[0]->Choose("take-up-speed", defaults);
    Ranges[1]->Choose("zone2-air-velocity", defaults);
    Modes->button(static_cast<int>(TMode::Sweep))->setChecked(true);
    SetRunning(false);
}

// The runner, the last member, goes first: its thread may still hand rows
// to this window.
TStudyForm::~TStudyForm() = default;

QPushButton* TStudyForm::AddButton(const QString& text, const QString& name) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

void TStudyForm::SetTextsSource(std::function<TFieldTexts()> source) {
    Source = std::move(source);
    for (TRangeEditor* range : Ranges)
        range->SetTextsSource(Source);
}

void TStudyForm::StartFrom(const TFieldTexts& texts) {
    for (TRangeEditor* range : Ranges)
        range->StartFrom(texts);
}

TStudyForm::TMode TStudyForm::Mode() const {
    return static_cast<TMode>(Modes->checkedId());
}

void TStudyForm::SetMode(TMode mode) {
    Modes->button(static_cast<int>(mode))->setChecked(true);
    Ranges[0]->setVisible(mode != TMode::Sensitivities);
    Ranges[1]->setVisible(mode == TMode::Map);
}

TRangeEditor& TStudyForm::Range(int k) const {
    return *Ranges[k];
}

bool TStudyForm::IsRunning() const {
    return Worker->Running();
}

void TStudyForm::Refuse(const QString& message, QWidget* field) {
    QMessageBox::warning(this, windowTitle(), message);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

void TStudyForm::Run() {
    if (IsRunning())
        return;
    RunTexts = Source ? Source() : DefaultFieldTexts(Separator);
    const TMode mode = Mode();
    std::size_t total = SensitivityRunCount();
    if (mode == TMode::Sensitivities) {
        TRunOptions options;
        options.DecimalSeparator = Separator;
        Table->StartSensitivities();
        Worker->StartSensitivities(RunTexts, options, Jobs());
    } else {
        TStudy study;
        study.Texts = RunTexts;
        study.DecimalSeparator = Separator;
        for (int k = 0; k < (mode == TMode::Map ? 2 : 1); ++k) {
            TSweepRange range;
            std::string message;
            QLineEdit* field = nullptr;
            if (!Ranges[k]->Read(range, message, field)) {
                Refuse(QString::fromStdString(message), field);
                return;
            }
            study.Ranges.push_back(range);
        }
        if (const std::string refusal = StudyRefusal(study); !refusal.empty()) {
            Refuse(QString::fromStdString(refusal));
            return;
        }
        total = StudyPoints(study).size();
        Table->StartStudy(study);
        Worker->StartStudy(study, Jobs());
    }
    HasResults = true;
    Pictures->setCurrentWidget(mode == TMode::Sweep ? static_cast<QWidget*>(SweepChart) : Picture);
    Picture->Clear();
    RefreshPictures();
    Clock.start();
    Progress->setRange(0, static_cast<int>(total));
    ShowProgress(0, total);
    SetRunning(true);
}

void TStudyForm::Cancel() {
    Worker->Cancel();
}

void TStudyForm::TakeArrived() {
    TStudyRunner::TArrived arrived = Worker->Take();
    const bool first = Table->rowCount() == 0;
    Table->AddRows(std::move(arrived.Rows));
    Table->AddRows(std::move(arrived.SensitivityRows));
    if (first && Table->rowCount() > 0)
        FitColumns();
    if (arrived.Total > 0)
        ShowProgress(arrived.Done, arrived.Total);
    // Drawing a large map takes a while: at most a quarter of the time.
    if (!PictureTimer->isActive())
        PictureTimer->start(static_cast<int>(std::clamp<qint64>(4 * PictureCost, 100, 2000)));
}

void TStudyForm::ShowProgress(std::size_t done, std::size_t total) {
    Progress->setMaximum(static_cast<int>(total));
    Progress->setValue(static_cast<int>(done));
    QString text = QString("%1 of %2 runs").arg(done).arg(total);
    if (done > 0 && done < total)
        text += ", " +
                Duration(Clock.elapsed() / 1000.0 * static_cast<double>(total - done) /
                         static_cast<double>(done)) +
                " left";
    Progress->setFormat(text);
}

void TStudyForm::RunFinished() {
    TakeArrived();
    FitColumns();
    PictureTimer->stop();
    RefreshPictures();
    const std::size_t done = static_cast<std::size_t>(Progress->value());
    const std::size_t total = static_cast<std::size_t>(Progress->maximum());
    Progress->setFormat(Worker->Cancelled()
                            ? QString("Cancelled after %1 of %2 runs").arg(done).arg(total)
                            : QString("%1 of %2 runs in %3")
                                  .arg(done)
                                  .arg(total)
                                  .arg(Duration(Clock.elapsed() / 1000.0)));
    SetRunning(false);
    if (const std::string failure = Worker->Failure(); !failure.empty()) {
        const QString text = "The study stopped: " + QString::fromStdString(failure);
        Progress->setFormat(text);
        QMessageBox box(QMessageBox::Critical, windowTitle(), text, QMessageBox::Ok, this);
        box.exec();
    } else if (Table->IsSensitivities() && !Worker->Cancelled()) {
        const TSensitivities& result = Worker->Sensitivities();
        if (const std::string failure = SensitivitiesFailure(result); !failure.empty()) {
            Progress->setFormat(QString::fromStdString(failure));
            const bool refused =
                !result.Refusal.empty() || result.Current.Kind == TRunOutcomeKind::Refused;
            QMessageBox box(refused ? QMessageBox::Warning : QMessageBox::Critical, windowTitle(),
                            QString::fromStdString(failure), QMessageBox::Ok, this);
            box.exec();
        }
    }
    emit Finished();
}

void TStudyForm::RefreshPictures() {
    QElapsedTimer cost;
    cost.start();
    if (Table->IsSensitivities()) {
        TSensitivities sensitivities;
        sensitivities.Rows = Table->SensitivityRows();
        Picture->ShowTornado(TornadoOf(sensitivities));
    } else if (Table->Study().Ranges.size() == 1) {
        const TXYPlot plot = XYPlotOf(SummaryPlotOf(Table->Study(), Table->Rows()));
        SweepChart->SetPlot(IsRunning() ? Thinned(plot, 1000) : plot);
    } else if (Table->Study().Ranges.size() == 2) {
        // Maps of rows that would only wait behind others are not made.
        if (!IsRunning() || Picture->WantsMaps())
            Picture->ShowMaps(GridMapsOf(Table->Study(), Table->Rows()));
        else
            PictureTimer->start(100);
    }
    PictureCost = cost.elapsed();
}

void TStudyForm::SetRunning(bool running) {
    RunButton->setEnabled(!running);
    CancelButton->setEnabled(running);
    SaveDataButton->setEnabled(!running && HasResults);
    SaveImageButton->setEnabled(!running && HasResults);
    for (QAbstractButton* button : Modes->buttons())
        button->setEnabled(!running);
    for (TRangeEditor* range : Ranges)
        range->setEnabled(!running);
}

void TStudyForm::FitColumns() {
    TableView->resizeColumnsToContents();
    // A long message has its tooltip; the outputs stay in sight.
    const int status =
        Table->IsSensitivities() ? 3 : static_cast<int>(Table->Study().Ranges.size());
    const int widest = fontMetrics().horizontalAdvance(QString(28, 'x'));
    if (TableView->columnWidth(status) > widest)
        TableView->setColumnWidth(status, widest);
}

void TStudyForm::SelectRow(int row) {
    if (row < 0 || row >= Table->rowCount())
        return;
    TableView->selectRow(row);
    TableView->scrollTo(Table->index(row, 0));
}

void TStudyForm::ChoosePoint(int row) {
    if (row < 0 || row >= Table->rowCount())
        return;
    SelectRow(row);
    TFieldTexts texts = RunTexts;
    if (!Table->IsSensitivities()) {
        const TStudy& study = Table->Study();
        for (std::size_t r = 0; r < study.Ranges.size(); ++r)
            texts[static_cast<std::size_t>(study.Ranges[r].Input->Field)] =
                NumberText(Table->Rows()[static_cast<std::size_t>(row)].Values[r], Separator);
    }
    emit PointChosen(texts);
}

bool TStudyForm::SaveData(const QString& path) const {
    return HasResults && !IsRunning() &&
           ReplaceFileWith(QFile::encodeName(path).toStdString(), Table->Csv());
}

bool TStudyForm::SaveImage(const QString& path, QSize size, QString* error) const {
    std::string message = "Nothing to draw yet";
    bool ok = false;
    const std::string file = path.toStdString();
    if (!HasResults || IsRunning()) {
    } else if (Table->IsSensitivities()) {
        TSensitivities sensitivities;
        sensitivities.Rows = Table->SensitivityRows();
        ok = RenderTornado(TornadoOf(sensitivities), file, size.width(), size.height(), message);
    } else if (Table->Study().Ranges.size() == 1) {
        ok = RenderSummaryPlot(SummaryPlotOf(Table->Study(), Table->Rows()), file, size.width(),
                               size.height(), message);
    } else {
        ok = RenderGridMaps(GridMapsOf(Table->Study(), Table->Rows()), file, size.width(),
                            size.height(), message);
    }
    if (!ok && error != nullptr)
        *error = QString::fromStdString(message);
    return ok;
}

void TStudyForm::SaveDataClicked() {
    const QString path =
        QFileDialog::getSaveFileName(this, "Save Data", "study.csv", "CSV file (*.csv)");
    if (!path.isEmpty() && !SaveData(path))
        QMessageBox::warning(this, windowTitle(), "Data can not be written: " + path);
}

void TStudyForm::SaveImageClicked() {
    const QString path = AskImagePath(this, "study.png");
    if (path.isEmpty())
        return;
    QString error;
    if (!SaveImage(path, DefaultPlotSize, &error))
        QMessageBox::warning(this, windowTitle(), error);
}

void TStudyForm::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (key == Qt::Key_Escape && plain) {
        if (IsRunning())
            Cancel();
        else
            close();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain) {
        // In the table or a picture, Enter takes the row picked there.
        const QWidget* focus = focusWidget();
        if (focus != nullptr &&
            (TableView->isAncestorOf(focus) || focus == TableView || Pictures->isAncestorOf(focus)))
            ChoosePoint(TableView->currentIndex().row());
        else if (RunButton->isEnabled())
            Run();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TStudyForm::closeEvent(QCloseEvent* event) {
    // A study nobody watches is not left running.
    Cancel();
    QWidget::closeEvent(event);
}

} // namespace ppspin
