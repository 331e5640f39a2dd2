// The main window's controller and the Fit dialog: the Profile window's
// measured points fitted from the fields as they stand, off the event
// loop's thread, and the values found put into the fields.
#include "CheckInputs.h"
#include "ConvertInputs.h"
#include "FitDialog.h"
#include "FitTask.h"
#include "InputCatalogue.h"
#include "MainController.h"
#include "Main_PP.h"
#include "ProfileForm.h"

#include <algorithm>
#include <thread>

namespace ppspin {

namespace {

const QString NoMeasuredMessage =
    "No measured points to fit: load them with Measured\u2026 in the Profile window first.";

} // namespace

void TMainController::FitClicked() {
    if (FitWindow == nullptr) {
        FitWindow = new TFitDialog(Window.DecimalSeparator(), &Window);
        connect(FitWindow, &TFitDialog::FitRequested, this, &TMainController::StartFit);
        connect(FitWindow, &TFitDialog::CancelRequested, FitTask, &TFitTask::Cancel);
        connect(FitTask, &TFitTask::Progress, FitWindow, &TFitDialog::ShowProgress);
        // Closed while fitting: the fit is of no more use.
        connect(FitWindow, &QDialog::finished, FitTask, &TFitTask::Cancel);
    }
    if (!FitTask->IsRunning()) {
        if (!Profile.Measured())
            FitWindow->ShowMessage(NoMeasuredMessage);
        else if (FitWindow->Message() == NoMeasuredMessage)
            FitWindow->ShowMessage({}); // loaded since
    }
    FitWindow->show();
    FitWindow->raise();
    FitWindow->activateWindow();
}

void TMainController::StartFit() {
    if (FitTask->IsRunning())
        return;
    const std::shared_ptr<const TMeasuredData> data = Profile.Measured();
    if (!data) {
        FitWindow->ShowMessage(NoMeasuredMessage);
        return;
    }
    TFitSetup setup;
    QString message;
    if (!FitWindow->Setup(setup, message)) {
        FitWindow->ShowMessage(message);
        return;
    }
    // The fields are refused as GO refuses them, and the one to mend waits
    // with its text selected.
    const TFieldTexts texts = Window.FieldTexts();
    TRunInput input;
    TRefusal refusal = ConvertInputs(texts, Window.DecimalSeparator(), input);
    if (!refusal)
        refusal = CheckInputs(input);
    if (refusal) {
        FitWindow->ShowMessage(RefusalText(refusal.Field, refusal.Message));
        Window.FocusField(refusal.Field);
        return;
    }
    if (const std::string off = MeasuredRangeRefusal(*data, input.Z3); !off.empty()) {
        FitWindow->ShowMessage(Profile.MeasuredPath() + ": " + QString::fromStdString(off));
        return;
    }
    setup.DecimalSeparator = Window.DecimalSeparator();
    setup.Jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    // The window's words for the inputs.
    setup.InputName = [](const TInputField& field) { return WindowLabel(field); };
    FitWindow->SetFitting(true);
    Window.SetRunCursors(Qt::WaitCursor);
    FitTask->Start(texts, data, setup);
}

void TMainController::FitFinished(const TFitResult& result) {
    Window.SetRunCursors(Qt::ArrowCursor);
    if (FitWindow == nullptr)
        return;
    FitWindow->SetFitting(false);
    if (!FitWindow->isVisible()) {
        FitWindow->ShowMessage({});
        return;
    }
    FitWindow->ShowResult(result);
    if (result.End != TFitEnd::Converged)
        return;
    for (const TFittedInput& fitted : result.Inputs)
        Window.SetFieldText(fitted.Input->Field, QString::fromStdString(fitted.Text));
    ShowFieldsRun(FitWindow);
}

} // namespace ppspin
