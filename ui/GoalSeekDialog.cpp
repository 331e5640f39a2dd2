#include "GoalSeekDialog.h"

#include "TextToFloat.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace ppspin {

TGoalSeekDialog::TGoalSeekDialog(char separator, QWidget* parent)
    : QDialog(parent), Separator(separator) {
    setObjectName("GoalSeekDialog");
    setWindowTitle("Goal Seek");

    OutputBox = new QComboBox(this);
    OutputBox->setObjectName("OutputBox");
    for (const TOutputColumn& column : OutputColumns)
        OutputBox->addItem(QString::fromUtf8(column.Title));
    OutputBox->setCurrentIndex(static_cast<int>(FindOutputColumn("D_end_um") - OutputColumns));
    TargetEdit = new QLineEdit(this);
    TargetEdit->setObjectName("TargetEdit");
    InputBox = new QComboBox(this);
    InputBox->setObjectName("InputBox");
    for (const TInputField& input : EditableInputs())
        InputBox->addItem(QString::fromStdString(WindowLabel(input)));
    InputBox->setCurrentIndex(EditableIndex(*FindEditableInput("take-up-speed")));

    SolutionList = new QListWidget(this);
    SolutionList->setObjectName("SolutionList");
    SolutionList->setToolTip("Every value in reach that gives the target, the nearest to the "
                             "field's first; the one picked goes into the field");
    SolutionList->setMaximumHeight(fontMetrics().height() * 5);
    connect(SolutionList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit SolutionChosen(row);
    });
    MessageLabel = new QLabel(this);
    MessageLabel->setObjectName("MessageLabel");
    MessageLabel->setWordWrap(true);
    MessageLabel->setTextFormat(Qt::PlainText);
    MessageLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    SeekButton = buttons->addButton("&Seek", QDialogButtonBox::ActionRole);
    SeekButton->setObjectName("SeekButton");
    SeekButton->setDefault(true);
    connect(SeekButton, &QPushButton::clicked, this, &TGoalSeekDialog::SeekRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow("&Output:", OutputBox);
    form->addRow("&Target:", TargetEdit);
    form->addRow("by varying &input:", InputBox);
    form->addRow("&Values found:", SolutionList);
    form->addRow(MessageLabel);
    form->addRow(buttons);
    setMinimumWidth(440);
    // The target is what changes most from one seek to the next.
    TargetEdit->setFocus();
}

const TInputField& TGoalSeekDialog::Input() const {
    return EditableInputs()[static_cast<std::size_t>(InputBox->currentIndex())];
}

const TOutputColumn& TGoalSeekDialog::Output() const {
    return OutputColumns[OutputBox->currentIndex()];
}

bool TGoalSeekDialog::Target(double& value) const {
    return TextToFloat(TargetEdit->text().toStdString(), Separator, value);
}

void TGoalSeekDialog::SetSeeking(bool on) {
    SeekButton->setEnabled(!on);
    if (on) {
        setCursor(Qt::WaitCursor);
        const QSignalBlocker quiet(SolutionList);
        SolutionList->clear();
        MessageLabel->setText("Seeking\u2026");
    } else {
        unsetCursor();
    }
}

void TGoalSeekDialog::ShowMessage(const QString& text) {
    MessageLabel->setText(text);
}

void TGoalSeekDialog::ShowSolutions(const QStringList& texts) {
    const QSignalBlocker quiet(SolutionList);
    SolutionList->clear();
    SolutionList->addItems(texts);
    SolutionList->setCurrentRow(0);
}

} // namespace ppspin
