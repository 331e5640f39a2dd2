// One input of a study and its values: the input chosen by its window
// label, then FROM, TO and STEP as field texts, and how many values they
// give.
#pragma once

#include "FieldTexts.h"
#include "Sweep.h"

#include <QWidget>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;

namespace ppspin {

class TRangeEditor : public QWidget {
    Q_OBJECT
  public:
    // caption names the input's box, with its shortcut ("In&put:").
    TRangeEditor(const QString& caption, char separator, QWidget* parent = nullptr);

    // Where a range starts when another input is chosen: the main
    // window's fields as they stand.
    void SetTextsSource(std::function<TFieldTexts()> source);
    // Chooses an input by its option name, its range around its text.
    void Choose(const char* name, const TFieldTexts& texts);
    // A range around the chosen input's text: half to one and a half
    // times it, in twenty steps.
    void StartFrom(const TFieldTexts& texts);
    void SetRange(const QString& from, const QString& to, const QString& step);
    const TInputField& Input() const;

    // The range as typed, checked as ppspin-cli checks one. False with the
    // message, and the field to mend in field.
    bool Read(TSweepRange& range, std::string& message, QLineEdit*& field) const;

  private:
    void Count();

    char Separator;
    QComboBox* InputBox = nullptr;
    QLineEdit* FromEdit = nullptr;
    QLineEdit* ToEdit = nullptr;
    QLineEdit* StepEdit = nullptr;
    QLabel* CountLabel = nullptr;
    std::function<TFieldTexts()> Source;
};

} // namespace ppspin
