// What the main window does besides GO: Live runs for the Profile window,
// reports opened as cases and remembered, the defaults, goal seeking, and
// fitting inputs to measured points.
// Each reads and fills the window's fields; none writes a report.
#pragma once

#include "FieldTexts.h"
#include "Fit.h"
#include "GoalSeek.h"
#include "RunRecords.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <vector>

class QTimer;

namespace ppspin {

class TFitDialog;
class TFitTask;
class TForm1;
class TGoalSeekDialog;
class TGoalSeekTask;
class TProfileForm;
class TStudyForm;

class TMainController : public QObject {
    Q_OBJECT
  public:
    TMainController(TForm1& window, TProfileForm& profile);
    ~TMainController() override;

    // The reports opened lately, newest first, as Open Recent lists them.
    QStringList RecentReports() const;

  public slots:
    // Live: the fields as they stand, computed in memory for the Profile window.
    void RunLive();
    // A field was edited: with Live on, a run follows once the events
    // queued now are handled, so that edits arriving faster than runs are
    // computed only as they end.
    void FieldEdited();
    // Fills the fields from a report's header; runs nothing. A file that is
    // no report of this program changes no field and says why.
    void OpenReport(const QString& path);
    // Asks for a report, then opens it.
    void OpenReportClicked();
    // The fields' opening texts, in every field.
    void SetDefaults();
    // Opens the Goal Seek dialog, which asks for an input, an output and
    // its target; each seek puts the nearest value found into the input's
    // field, or another when it is picked, shown in the Profile window.
    // Never runs GO.
    void GoalSeekClicked();
    // Opens the Fit dialog, which asks for the inputs to fit to the
    // Profile window's measured points; a fit that converges puts their
    // values into the fields, shown in the Profile window. Never runs GO.
    void FitClicked();
    // Opens the Study window; the first time, its ranges lie around the
    // fields' values.
    void StudyClicked();
    // A point of a study: its texts in the fields, its run in the Profile
    // window. Never runs GO.
    void ShowStudyPoint(const ppspin::TFieldTexts& texts);

  signals:
    void RecentReportsChanged();

  private:
    // Puts path first among the reports opened lately.
    void RememberReport(const QString& path);
    // The dialog's goal, sought from the fields as they stand.
    void StartSeek();
    void SeekFinished(const TGoalSeekResult& result);
    // Puts a value found into its field and shows its run.
    void TakeSolution(int index);
    // The dialog's inputs, fitted from the fields as they stand (in FitControl.cpp).
    void StartFit();
    void FitFinished(const TFitResult& result);
    // The fields' run in the Profile window, which opens if hidden while
    // front keeps the keyboard.
    void ShowFieldsRun(QWidget* front);
    // A refused field's message, naming the field where the message does not.
    static QString RefusalText(int field, const std::string& message);

    TForm1& Window;
    TProfileForm& Profile;
    // Live computes on a context of its own: GO's records stay as GO left them.
    std::unique_ptr<TRun> LiveRun;
    QTimer* LiveTimer = nullptr;
    TStudyForm* Study = nullptr; // made when first asked for
    bool ToldAsPrinted = false;  // Open Report says once that values are as printed
    // Made at the first Goal Seek, then kept with its choices.
    QPointer<TGoalSeekDialog> SeekDialog;
    TGoalSeekTask* SeekTask = nullptr;
    const TInputField* SoughtInput = nullptr;
    std::vector<TGoalSolution> Solutions; // of the last seek, nearest first
    // Made at the first Fit, then kept with its choices.
    QPointer<TFitDialog> FitWindow;
    TFitTask* FitTask = nullptr;
};

} // namespace ppspin
