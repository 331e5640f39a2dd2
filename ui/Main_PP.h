// TForm1: the main window. The operator edits the run's twenty fields here
// and starts a run with GO; the folder browser decides where the report goes.
#pragma once

#include "FieldTexts.h"
#include "ProgramRun.h"

#include <QDialog>

#include <array>
#include <memory>

class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace ppspin {

class TFinishForm;
class TFolderBrowser;
class TForm2;
class TProfileForm;

class TForm1 : public QDialog {
    Q_OBJECT
  public:
    // GO computes on run; the program's own context unless a test brings one.
    explicit TForm1(QWidget* parent = nullptr, TRun& run = ProgramRun);
    ~TForm1() override;

    // The dialogs are created after the main window; they are handed over here.
    void SetDialogs(TForm2* form2, TFinishForm* finishForm);

    // The texts of Edit1 .. Edit20 as they stand.
    TFieldTexts FieldTexts() const;

  public slots:
    // GO: one complete run, from reading the fields to the finish dialog.
    void BitBtn1Click();
    // Shows the reference information until the operator closes it.
    void BitBtn3Click();
    // Shows the Profile window beside the main window.
    void BitBtn4Click();
    // Live: the fields as they stand, computed in memory for the Profile window.
    void RunLive();
    // Fills the fields from a report's header; runs nothing. A file that is
    // no report of this program changes no field and says why.
    void OpenReport(const QString& path);
    // Asks for a report, then opens it.
    void OpenReportClicked();
    // The fields' opening texts, in every field.
    void SetDefaults();
    // Asks for an input, an output and its target, seeks the input's value
    // and puts it in its field, shown in the Profile window. Never runs GO.
    void GoalSeekClicked();
    void ShowAbout();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* BuildLeftHalf();
    QWidget* BuildRightHalf();
    void SetRunCursors(Qt::CursorShape shape);
    void ShowMessage(const QString& text);
    void ShowRunError(const QString& text);
    // Puts the cursor in the field a refusal named, its text selected.
    void FocusField(int field);
    // Starts a Live run once the events queued now are handled, so that
    // edits arriving faster than runs are computed only as they end.
    void ScheduleLiveRun();
    // Open Report, Open Recent, Defaults and About, in the window's context
    // menu; Ctrl+O opens a report.
    void BuildActions();
    // Puts path first among the reports opened lately.
    void RememberReport(const QString& path);
    void FillRecentMenu();

    TRun& Run;
    std::array<QLineEdit*, FieldCount> Edits{};
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    TFolderBrowser* FolderBrowser = nullptr;
    TForm2* Form2 = nullptr;
    TFinishForm* FinishForm = nullptr;
    TProfileForm* ProfileForm = nullptr;
    QMenu* RecentMenu = nullptr;
    bool Centred = false;
    bool ProfilePlaced = false;
    bool ToldAsPrinted = false; // Open Report says once that values are as printed
    // Live computes on a context of its own: GO's records stay as GO left them.
    std::unique_ptr<TRun> LiveRun;
    QTimer* LiveTimer = nullptr;
};

} // namespace ppspin
