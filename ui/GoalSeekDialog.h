// The Goal Seek dialog: which input to vary, which output to bring to what
// target. The seeking itself is the main window's.
#pragma once

#include "InputCatalogue.h"
#include "RunOutputs.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

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

  private:
    char Separator;
    QComboBox* InputBox = nullptr;
    QComboBox* OutputBox = nullptr;
    QLineEdit* TargetEdit = nullptr;
};

} // namespace ppspin
