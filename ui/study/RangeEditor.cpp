#include "RangeEditor.h"

#include "NumberText.h"
#include "TextToFloat.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace ppspin {

namespace {

QLineEdit* NumberEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(110);
    return edit;
}

} // namespace

TRangeEditor::TRangeEditor(const QString& caption, char separator, QWidget* parent)
    : QWidget(parent), Separator(separator) {
    InputBox = new QComboBox(this);
    InputBox->setObjectName("InputBox");
    for (const TInputField& input : EditableInputs())
        InputBox->addItem(QString::fromStdString(WindowLabel(input)));
    InputBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    FromEdit = NumberEdit("FromEdit", this);
    ToEdit = NumberEdit("ToEdit", this);
    StepEdit = NumberEdit("StepEdit", this);
    CountLabel = new QLabel(this);
    CountLabel->setObjectName("CountLabel");
    CountLabel->setMinimumWidth(fontMetrics().horizontalAdvance("10000 values"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto add = [&](const QString& text, QWidget* buddy) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        layout->addWidget(label);
        layout->addWidget(buddy);
    };
    add(caption, InputBox);
    layout->addSpacing(8);
    add("FROM", FromEdit);
    add("TO", ToEdit);
    add("STEP", StepEdit);
    layout->addWidget(CountLabel);
    layout->addStretch(1);

    connect(InputBox, &QComboBox::currentIndexChanged, this,
            [this] { StartFrom(Source ? Source() : DefaultFieldTexts(Separator)); });
    for (QLineEdit* edit : {FromEdit, ToEdit, StepEdit})
        connect(edit, &QLineEdit::textChanged, this, &TRangeEditor::Count);
}

const TInputField& TRangeEditor::Input() const {
    return EditableInputs()[static_cast<std::size_t>(InputBox->currentIndex())];
}

void TRangeEditor::SetTextsSource(std::function<TFieldTexts()> source) {
    Source = std::move(source);
}

void TRangeEditor::Choose(const char* name, const TFieldTexts& texts) {
    const QSignalBlocker quiet(InputBox);
    InputBox->setCurrentIndex(EditableIndex(*FindEditableInput(name)));
    StartFrom(texts);
}

void TRangeEditor::StartFrom(const TFieldTexts& texts) {
    double value = 0;
    TextToFloat(texts[static_cast<std::size_t>(Input().Field)], Separator, value);
    const auto text = [&](double x) {
        return QString::fromStdString(SignificantText(x, 3, Separator));
    };
    if (value == 0)
        SetRange(Input().Domain == TInputDomain::Free ? "-1" : "0", "1", text(0.05));
    else
        SetRange(text(std::min(value / 2, value * 1.5)), text(std::max(value / 2, value * 1.5)),
                 text(std::abs(value) / 20));
}

void TRangeEditor::SetRange(const QString& from, const QString& to, const QString& step) {
    FromEdit->setText(from);
    ToEdit->setText(to);
    StepEdit->setText(step);
    for (QLineEdit* edit : {FromEdit, ToEdit, StepEdit})
        edit->setCursorPosition(0);
}

bool TRangeEditor::Read(TSweepRange& range, std::string& message, QLineEdit*& field) const {
    range.Input = &Input();
    const struct {
        const char* Name;
        QLineEdit* Edit;
        double* Value;
    } parts[] = {{"FROM", FromEdit, &range.From},
                 {"TO", ToEdit, &range.To},
                 {"STEP", StepEdit, &range.Step}};
    for (const auto& part : parts) {
        if (!TextToFloat(part.Edit->text().toStdString(), Separator, *part.Value)) {
            message = std::string("Sweep range is not correct: ") + part.Name + " is not a number";
            field = part.Edit;
            return false;
        }
    }
    if (CheckSweepRange(range, message))
        return true;
    field = range.From > range.To ? ToEdit : StepEdit;
    return false;
}

void TRangeEditor::Count() {
    TSweepRange range;
    std::string message;
    QLineEdit* field = nullptr;
    if (!Read(range, message, field)) {
        CountLabel->clear();
        return;
    }
    const std::size_t n = SweepValues(range).size();
    CountLabel->setText(QString::number(n) + (n == 1 ? " value" : " values"));
}

} // namespace ppspin
