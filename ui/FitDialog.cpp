#include "FitDialog.h"

#include "NumberText.h"
#include "TextToFloat.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ppspin {

namespace {

// Where a fit usually starts: the two inputs the example file was made with.
constexpr const char* FirstInputs[] = {"take-up-speed", "zone2-air-velocity"};
constexpr int MaxRunLimit = 1000000;

} // namespace

TFitDialog::TFitDialog(char separator, QWidget* parent) : QDialog(parent), Separator(separator) {
    setObjectName("FitDialog");
    setWindowTitle("Fit to Measured Points");

    auto* inputs = new QGridLayout;
    inputs->addWidget(new QLabel("Inputs to fit", this), 0, 0);
    inputs->addWidget(new QLabel("from", this), 0, 1, Qt::AlignCenter);
    inputs->addWidget(new QLabel("to", this), 0, 2, Qt::AlignCenter);
    const QString boundsTip =
        "Where the fit may take the input; left empty, from a tenth to ten times its value "
        "(from 0 for an air velocity), or ten times its size either way for an air-law "
        "coefficient";
    for (int row = 0; row < MaxFitInputs; ++row) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString("FitInput%1").arg(row + 1));
        box->addItem("\u2014");
        for (const TInputField& input : EditableInputs())
            box->addItem(QString::fromStdString(WindowLabel(input)));
        if (row < static_cast<int>(std::size(FirstInputs)))
            box->setCurrentIndex(1 + EditableIndex(*FindEditableInput(FirstInputs[row])));
        auto* lo = new QLineEdit(this);
        auto* hi = new QLineEdit(this);
        lo->setObjectName(QString("FitFrom%1").arg(row + 1));
        hi->setObjectName(QString("FitTo%1").arg(row + 1));
        for (QLineEdit* edit : {lo, hi}) {
            edit->setToolTip(boundsTip);
            edit->setMaximumWidth(fontMetrics().horizontalAdvance("0000000000"));
        }
        inputs->addWidget(box, row + 1, 0);
        inputs->addWidget(lo, row + 1, 1);
        inputs->addWidget(hi, row + 1, 2);
        InputBoxes[static_cast<std::size_t>(row)] = box;
        LoEdits[static_cast<std::size_t>(row)] = lo;
        HiEdits[static_cast<std::size_t>(row)] = hi;
    }
    inputs->setColumnStretch(0, 1);

    RunLimit = new QSpinBox(this);
    RunLimit->setObjectName("RunLimit");
    RunLimit->setRange(10, MaxRunLimit);
    RunLimit->setValue(TFitSetup{}.MaxRuns);
    RunLimit->setToolTip("The fit stops after this many runs, converged or not");
    auto* limitRow = new QHBoxLayout;
    auto* limitLabel = new QLabel("&Run limit:", this);
    limitLabel->setBuddy(RunLimit);
    limitRow->addWidget(limitLabel);
    limitRow->addWidget(RunLimit);
    limitRow->addStretch(1);

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName("FitProgress");
    ProgressBar->setTextVisible(false);
    ProgressLabel = new QLabel(this);
    ProgressLabel->setObjectName("ProgressLabel");
    MessageLabel = new QLabel(this);
    MessageLabel->setObjectName("MessageLabel");
    ResultLabel = new QLabel(this);
    ResultLabel->setObjectName("ResultLabel");
    for (QLabel* label : {MessageLabel, ResultLabel}) {
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    CloseButton = buttons->button(QDialogButtonBox::Close);
    FitButton = buttons->addButton("&Fit", QDialogButtonBox::ActionRole);
    FitButton->setObjectName("FitButton");
    FitButton->setDefault(true);
    connect(FitButton, &QPushButton::clicked, this, &TFitDialog::FitRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFitDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addLayout(limitRow);
    layout->addWidget(ProgressBar);
    layout->addWidget(ProgressLabel);
    layout->addWidget(MessageLabel);
    layout->addWidget(ResultLabel, 1);
    layout->addWidget(buttons);
    setMinimumWidth(480);
}

bool TFitDialog::Setup(TFitSetup& setup, QString& message) const {
    setup.Inputs.clear();
    for (int row = 0; row < MaxFitInputs; ++row) {
        const int chosen = InputBoxes[static_cast<std::size_t>(row)]->currentIndex();
        if (chosen <= 0)
            continue;
        const TInputField& input = EditableInputs()[static_cast<std::size_t>(chosen - 1)];
        const QString lo = LoEdits[static_cast<std::size_t>(row)]->text().trimmed();
        const QString hi = HiEdits[static_cast<std::size_t>(row)]->text().trimmed();
        TFitInput fit{&input, std::nullopt};
        if (!lo.isEmpty() || !hi.isEmpty()) {
            double from = 0, to = 0;
            if (!TextToFloat(lo.toStdString(), Separator, from) ||
                !TextToFloat(hi.toStdString(), Separator, to)) {
                message = "Bounds of " + QString::fromStdString(WindowLabel(input)) +
                          ": give both as numbers, or neither";
                return false;
            }
            fit.Bounds = std::pair(from, to);
        }
        setup.Inputs.push_back(fit);
    }
    setup.MaxRuns = RunLimit->value();
    return true;
}

void TFitDialog::SetFitting(bool on) {
    Fitting = on;
    FitButton->setEnabled(!on);
    for (int row = 0; row < MaxFitInputs; ++row)
        for (QWidget* w : std::initializer_list<QWidget*>{InputBoxes[static_cast<std::size_t>(row)],
                                                          LoEdits[static_cast<std::size_t>(row)],
                                                          HiEdits[static_cast<std::size_t>(row)]})
            w->setEnabled(!on);
    RunLimit->setEnabled(!on);
    CloseButton->setText(on ? "Cancel" : "Close");
    if (on) {
        setCursor(Qt::WaitCursor);
        ProgressBar->setRange(0, RunLimit->value());
        ProgressBar->setValue(0);
        ProgressLabel->clear();
        MessageLabel->setText("Fitting\u2026");
        ResultLabel->clear();
    } else {
        unsetCursor();
    }
}

void TFitDialog::ShowProgress(const TFitProgress& progress) {
    ProgressBar->setValue(std::min(progress.Runs, ProgressBar->maximum()));
    ProgressLabel->setText(QString("%1 of %2 runs, weighted sum of squares %3")
                               .arg(progress.Runs)
                               .arg(ProgressBar->maximum())
                               .arg(Number(progress.Objective, 4)));
}

void TFitDialog::ShowMessage(const QString& text) {
    MessageLabel->setText(text);
}

QString TFitDialog::Message() const {
    return MessageLabel->text();
}

void TFitDialog::reject() {
    if (Fitting) {
        MessageLabel->setText("Cancelling\u2026");
        emit CancelRequested();
        return;
    }
    QDialog::reject();
}

QString TFitDialog::Number(double x, int digits) const {
    return QString::fromStdString(SignificantText(x, digits, Separator));
}

void TFitDialog::ShowResult(const TFitResult& result) {
    switch (result.End) {
    case TFitEnd::Converged:
        ProgressBar->setValue(ProgressBar->maximum()); // done, well within its limit
        ShowMessage("The values found are in the main window's fields, and their run in the "
                    "Profile window.");
        break;
    case TFitEnd::RunLimit:
        ShowMessage(QString::fromStdString(result.Message) +
                    ": the best values so far are below, the fields unchanged.");
        break;
    default:
        ShowMessage(QString::fromStdString(result.Message));
        ResultLabel->clear();
        return;
    }
    QStringList lines;
    for (const TFittedInput& input : result.Inputs) {
        // The label names the unit.
        QString line = QString::fromStdString(WindowLabel(*input.Input)) + " = " +
                       QString::fromStdString(input.Text);
        if (result.End == TFitEnd::Converged)
            line += ", standard error " + (input.StandardError ? Number(*input.StandardError, 3)
                                                               : QString("undetermined"));
        lines << line;
    }
    for (std::size_t q = 0; q < result.After.size() && q < result.Before.size(); ++q) {
        const TMeasuredSeries& series = *result.After[q].Series;
        const std::size_t n = series.Points.size();
        lines << QString("RMS %1: %2 \u2192 %3 %4 (%5 %6)")
                     .arg(series.Column->Name)
                     .arg(Number(result.Before[q].Rms, 3))
                     .arg(Number(result.After[q].Rms, 3))
                     .arg(QString::fromUtf8(series.Column->Unit))
                     .arg(n)
                     .arg(n == 1 ? "point" : "points");
    }
    lines << QString("%1 runs, %2 failed").arg(result.Runs).arg(result.FailedRuns);
    for (const std::string& warning : result.Warnings)
        lines << "Warning: " + QString::fromStdString(warning);
    ResultLabel->setText(lines.join('\n'));
}

} // namespace ppspin
