#include "GoalSeekDialog.h"

#include "TextToFloat.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
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
        InputBox->addItem(QString::fromUtf8(input.Label));
    InputBox->setCurrentIndex(EditableIndex(*FindEditableInput("take-up-speed")));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("&Seek");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow("&Output:", OutputBox);
    form->addRow("&Target:", TargetEdit);
    form->addRow("by varying &input:", InputBox);
    form->addRow(buttons);
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

} // namespace ppspin
