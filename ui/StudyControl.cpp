// The main window's controller and the Study window: opening it, and a
// study's point brought back into the fields as a case.
#include "InputCatalogue.h"
#include "MainController.h"
#include "Main_PP.h"
#include "ProfileForm.h"
#include "StudyForm.h"

namespace ppspin {

void TMainController::StudyClicked() {
    if (Study == nullptr) {
        Study = new TStudyForm(Window.DecimalSeparator(), &Window);
        Study->SetTextsSource([this] { return Window.FieldTexts(); });
        Study->StartFrom(Window.FieldTexts());
        connect(Study, &TStudyForm::PointChosen, this, &TMainController::ShowStudyPoint);
    }
    Study->show();
    Study->raise();
    Study->activateWindow();
}

void TMainController::ShowStudyPoint(const TFieldTexts& texts) {
    const TFieldTexts shown = Window.FieldTexts();
    for (const TInputField& input : EditableInputs()) {
        const auto field = static_cast<std::size_t>(input.Field);
        if (shown[field] != texts[field])
            Window.SetFieldText(input.Field, QString::fromStdString(texts[field]));
    }
    // Shown, but the Study window keeps the keyboard for the next point.
    ShowFieldsRun(nullptr);
}

} // namespace ppspin
