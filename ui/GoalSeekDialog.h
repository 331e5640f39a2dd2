// The Goal Seek dialog: which input to vary, which output to bring to what
// target, and the values found. It stays open beside the windows, keeping
// its choices, so that a refused field can be mended and the seek tried
// again; the seeking itself is the main window's controller's.
#pragma once

#include "InputCatalogue.h"
#include "RunOutputs.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ppspin {

class TGoalSeekDialog : public QDialog {
    Q_OBJECT
  public:
    // Numbers are typed with separator, as in the main window's fields.
    TGoalSeekDialog(char separator, QWidget* parent = nullptr);

    const TInputField& Input() const;
    const TOutputColumn& Output() const;
    // The target typed; false when the text is not a number.
    bool Target(double& value) const;

    // While a seek runs: Seek disabled, the wait cursor, the last values
    // and message gone.
    void SetSeeking(bool on);
    // Why no value was found, or what was.
    void ShowMessage(const QString& text);
    // The values found, nearest first; the first is the one chosen.
    void ShowSolutions(const QStringList& texts);

  signals:
    void SeekRequested();
    // Another of the values found was picked.
    void SolutionChosen(int index);

  private:
    char Separator;
    QComboBox* InputBox = nullptr;
    QComboBox* OutputBox = nullptr;
    QLineEdit* TargetEdit = nullptr;
    QListWidget* SolutionList = nullptr;
    QLabel* MessageLabel = nullptr;
    QPushButton* SeekButton = nullptr;
};

} // namespace ppspin
