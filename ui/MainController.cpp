#include "MainController.h"

#include "CheckInputs.h"
#include "FitTask.h"
#include "GoalSeek.h"
#include "GoalSeekDialog.h"
#include "GoalSeekTask.h"
#include "InputCatalogue.h"
#include "Main_PP.h"
#include "ProfileForm.h"
#include "ReportCaseFile.h"
#include "RunCalculation.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include <thread>

namespace ppspin {

namespace {

// Where the session remembers the reports opened lately.
constexpr const char* RecentReportsKey = "recentReports";
constexpr int MaxRecentReports = 8;

} // namespace

TMainController::TMainController(TForm1& window, TProfileForm& profile)
    : QObject(&window), Window(window), Profile(profile), LiveRun(std::make_unique<TRun>()) {
    LiveTimer = new QTimer(this);
    LiveTimer->setSingleShot(true);
    LiveTimer->setInterval(0);
    connect(LiveTimer, &QTimer::timeout, this, &TMainController::RunLive);
    connect(&Profile, &TProfileForm::LiveChanged, this, [this](bool on) {
        if (on)
            LiveTimer->start();
        else
            LiveTimer->stop();
    });
    // Live may come back on from the last session.
    if (Profile.IsLive())
        LiveTimer->start();
    connect(&Profile, &TProfileForm::GoalSeekRequested, this, &TMainController::GoalSeekClicked);
    SeekTask = new TGoalSeekTask(this);
    connect(SeekTask, &TGoalSeekTask::Finished, this, &TMainController::SeekFinished);
    connect(&Profile, &TProfileForm::DefaultsRequested, this, &TMainController::SetDefaults);
    connect(&Profile, &TProfileForm::StudyRequested, this, &TMainController::StudyClicked);
    connect(&Profile, &TProfileForm::FitRequested, this, &TMainController::FitClicked);
    FitTask = new TFitTask(this);
    connect(FitTask, &TFitTask::Finished, this, &TMainController::FitFinished);
}

TMainController::~TMainController() = default;

void TMainController::FieldEdited() {
    // Restarting the pending shot drops the run it would have made.
    if (Profile.IsLive())
        LiveTimer->start();
}

void TMainController::RunLive() {
    TRunOptions options;
    options.DecimalSeparator = Window.DecimalSeparator();
    const TRunOutcome outcome = RunCalculation(*LiveRun, Window.FieldTexts(), options);
    if (outcome.Converged())
        Profile.ShowProfile(*outcome.Snapshot);
    else
        Profile.ShowRefusal(QString::fromLocal8Bit(outcome.Message));
}

void TMainController::OpenReportClicked() {
    const QString path = QFileDialog::getOpenFileName(&Window, "Open Report", QDir::currentPath(),
                                                      "Reports (*.txt);;All files (*)");
    if (!path.isEmpty())
        OpenReport(path);
}

void TMainController::OpenReport(const QString& path) {
    TFieldTexts texts = Window.FieldTexts();
    std::string message;
    switch (ReadReportFile(QFile::encodeName(path).toStdString(), Window.DecimalSeparator(), texts,
                           message)) {
    case TCaseRead::Read:
        break;
    case TCaseRead::Unreadable:
        Window.ShowMessage("Can not read report " + QDir::toNativeSeparators(path));
        return;
    case TCaseRead::Refused:
        Window.ShowMessage(QDir::toNativeSeparators(path) + ":\n" +
                           QString::fromStdString(message));
        return;
    }
    for (const TInputField& input : EditableInputs())
        Window.SetFieldText(input.Field, QString::fromStdString(texts[input.Field]));
    RememberReport(path);
    if (!ToldAsPrinted) {
        ToldAsPrinted = true;
        QMessageBox::information(
            &Window, QApplication::applicationName(),
            "The fields hold the report's inputs as its header printed them, each to the "
            "decimals of its line: an increment of 0.25, for one, comes back as 0.3.");
    }
}

QStringList TMainController::RecentReports() const {
    return QSettings().value(RecentReportsKey).toStringList();
}

void TMainController::RememberReport(const QString& path) {
    QStringList recent = RecentReports();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    QSettings().setValue(RecentReportsKey, recent.mid(0, MaxRecentReports));
    emit RecentReportsChanged();
}

void TMainController::SetDefaults() {
    const TFieldTexts defaults = DefaultFieldTexts(Window.DecimalSeparator());
    for (int i = 0; i < FieldCount; ++i)
        Window.SetFieldText(i, QString::fromStdString(defaults[i]));
}

void TMainController::GoalSeekClicked() {
    if (SeekDialog == nullptr) {
        SeekDialog = new TGoalSeekDialog(Window.DecimalSeparator(), &Window);
        connect(SeekDialog, &TGoalSeekDialog::SeekRequested, this, &TMainController::StartSeek);
        connect(SeekDialog, &TGoalSeekDialog::SolutionChosen, this, &TMainController::TakeSolution);
        // Closed while seeking: the search is of no more use.
        connect(SeekDialog, &QDialog::finished, SeekTask, &TGoalSeekTask::Cancel);
    }
    SeekDialog->show();
    SeekDialog->raise();
    SeekDialog->activateWindow();
}

void TMainController::StartSeek() {
    if (SeekTask->IsRunning())
        return;
    TGoal goal;
    goal.Input = &SeekDialog->Input();
    goal.Output = &SeekDialog->Output();
    if (!SeekDialog->Target(goal.Target)) {
        SeekDialog->ShowMessage(QString("Target: ") + InputNotCorrectMessage);
        return;
    }
    goal.DecimalSeparator = Window.DecimalSeparator();
    goal.Jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    // The window's words, and no more digits than a reader takes in.
    goal.Wording = {WindowLabel(*goal.Input), goal.Output->Title, " = ", 6};
    SoughtInput = goal.Input;
    Solutions.clear();
    SeekDialog->SetSeeking(true);
    Window.SetRunCursors(Qt::WaitCursor);
    SeekTask->Start(Window.FieldTexts(), goal);
}

void TMainController::SeekFinished(const TGoalSeekResult& result) {
    Window.SetRunCursors(Qt::ArrowCursor);
    if (SeekDialog == nullptr)
        return;
    SeekDialog->SetSeeking(false);
    if (result.End == TGoalSeekEnd::Cancelled || !SeekDialog->isVisible()) {
        SeekDialog->ShowMessage({});
        return;
    }
    if (result.End != TGoalSeekEnd::Found) {
        SeekDialog->ShowMessage(result.End == TGoalSeekEnd::Refused
                                    ? RefusalText(result.Field, result.Message)
                                    : QString::fromStdString(result.Message));
        // The field to mend waits with its text selected, as after GO.
        if (result.End == TGoalSeekEnd::Refused)
            Window.FocusField(result.Field);
        return;
    }
    Solutions = result.Solutions;
    QStringList values;
    for (const TGoalSolution& solution : Solutions)
        values << QString::fromStdString(solution.Text) + " " +
                      QString::fromUtf8(SoughtInput->Unit);
    SeekDialog->ShowSolutions(values);
    const QString input = QString::fromStdString(WindowLabel(*SoughtInput));
    SeekDialog->ShowMessage(Solutions.size() == 1
                                ? "One value of " + input + " gives the target."
                                : QString("%1 values of %2 give the target; the nearest is in the "
                                          "field unless another is picked.")
                                      .arg(Solutions.size())
                                      .arg(input));
    TakeSolution(0);
}

void TMainController::TakeSolution(int index) {
    if (SoughtInput == nullptr || index < 0 || index >= static_cast<int>(Solutions.size()))
        return;
    // The value as a short field text; the Profile window shows its run at once.
    Window.SetFieldText(SoughtInput->Field,
                        QString::fromStdString(Solutions[static_cast<std::size_t>(index)].Text));
    // Further values are picked in the dialog.
    ShowFieldsRun(SeekDialog);
}

void TMainController::ShowFieldsRun(QWidget* front) {
    RunLive();
    if (!Profile.isVisible()) {
        Window.BitBtn4Click();
        if (front != nullptr) {
            front->raise();
            front->activateWindow();
        }
    }
}

QString TMainController::RefusalText(int field, const std::string& message) {
    // A text that does not convert says so without naming its field.
    if (field >= 0 && message == InputNotCorrectMessage)
        return QString::fromUtf8(InputField(field).Title) + ": " + QString::fromStdString(message);
    return QString::fromStdString(message);
}

} // namespace ppspin
