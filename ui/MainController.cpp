#include "MainController.h"

#include "CheckInputs.h"
#include "GoalSeek.h"
#include "GoalSeekDialog.h"
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
    connect(&Profile, &TProfileForm::DefaultsRequested, this, &TMainController::SetDefaults);
    connect(&Profile, &TProfileForm::StudyRequested, this, &TMainController::StudyClicked);
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
    options.WriteReport = false;
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
    TGoalSeekDialog dialog(Window.DecimalSeparator(),
                           Profile.isVisible() ? static_cast<QWidget*>(&Profile) : &Window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    TGoal goal;
    goal.Input = &dialog.Input();
    goal.Output = &dialog.Output();
    goal.DecimalSeparator = Window.DecimalSeparator();
    goal.Jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (!dialog.Target(goal.Target)) {
        Window.ShowMessage(InputNotCorrectMessage);
        return;
    }
    Window.SetRunCursors(Qt::WaitCursor);
    const TGoalSeekResult result = GoalSeek(Window.FieldTexts(), goal);
    Window.SetRunCursors(Qt::ArrowCursor);
    if (result.End != TGoalSeekEnd::Found) {
        Window.ShowMessage(QString::fromStdString(result.Message));
        return;
    }
    // The value as a short field text; the Profile window shows its run at once.
    Window.SetFieldText(goal.Input->Field, QString::fromStdString(result.Solutions.front().Text));
    RunLive();
    Window.BitBtn4Click();
}

} // namespace ppspin
