// The Fit dialog: which inputs of the main window to fit to the measured
// points (1 to 6, by their labels, each within optional bounds), the run
// limit, the progress of a fit, and what it found. It stays open beside the
// windows with its choices; the fitting itself is the main window's
// controller's.
#pragma once

#include "Fit.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace ppspin {

class TFitDialog : public QDialog {
    Q_OBJECT
  public:
    // Bounds are typed with separator, as in the main window's fields.
    TFitDialog(char separator, QWidget* parent = nullptr);

    // The inputs chosen, in the order of their rows, each with its bounds
    // where both are given, and the run limit; false, with why in message,
    // when a bound is not a number or is given without the other.
    bool Setup(TFitSetup& setup, QString& message) const;

    // While a fit runs: the choices and Fit disabled, Close become Cancel,
    // the last result gone.
    void SetFitting(bool on);
    void ShowProgress(const ppspin::TFitProgress& progress);
    // Why no fit was made, or how it went.
    void ShowMessage(const QString& text);
    QString Message() const;
    // The values found with their standard errors, the RMS before and
    // after, the runs and the warnings; for a fit that did not converge,
    // what it has to show.
    void ShowResult(const ppspin::TFitResult& result);

  signals:
    void FitRequested();
    // Escape or Cancel while a fit runs.
    void CancelRequested();

  public slots:
    // While a fit runs it asks for the fit to end, and the dialog stays.
    void reject() override;

  private:
    QString Number(double x, int digits) const;

    char Separator;
    std::array<QComboBox*, MaxFitInputs> InputBoxes{};
    std::array<QLineEdit*, MaxFitInputs> LoEdits{}, HiEdits{};
    QSpinBox* RunLimit = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QLabel* ProgressLabel = nullptr;
    QLabel* MessageLabel = nullptr;
    QLabel* ResultLabel = nullptr;
    QPushButton* FitButton = nullptr;
    QPushButton* CloseButton = nullptr;
    bool Fitting = false;
};

} // namespace ppspin
