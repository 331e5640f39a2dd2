// TForm1: the main window. The operator edits the run's twenty fields here
// and starts a run with GO; the folder browser decides where the report goes.
// What the window does besides GO (Live, cases, goal seeking) is its
// controller's; the window holds the widgets and wires them.
#pragma once

#include "FieldTexts.h"
#include "RunRecords.h"

#include <QDialog>

#include <array>
#include <memory>

class QFrame;
class QLineEdit;
class QMenu;
class QPushButton;

namespace ppspin {

class TFinishForm;
class TFolderBrowser;
class TForm2;
class TMainController;
class TProfileForm;

class TForm1 : public QDialog {
    Q_OBJECT
  public:
    // The fields are read and written, and the report's numbers written,
    // with separator: the user's locale's in the program.
    explicit TForm1(char separator, QWidget* parent = nullptr);
    ~TForm1() override;

    // The dialogs are created after the main window; they are handed over here.
    void SetDialogs(TForm2* form2, TFinishForm* finishForm);

    char DecimalSeparator() const { return Separator; }
    // The texts of Edit1 .. Edit20 as they stand.
    TFieldTexts FieldTexts() const;
    // Puts text into the field of index field, shown from its start.
    void SetFieldText(int field, const QString& text);
    // Puts the cursor in the field of index field, its text selected.
    void FocusField(int field);
    TMainController& Controller() const { return *Control; }
    TProfileForm& Profile() const { return *ProfileForm; }

    // One message with an OK button: a refusal's with the warning icon, a
    // run error's with the error icon.
    void ShowMessage(const QString& text);
    void ShowRunError(const QString& text);
    // The cursors of the window and of GO.
    void SetRunCursors(Qt::CursorShape shape);

  public slots:
    // GO: one complete run, from reading the fields to the finish dialog.
    void BitBtn1Click();
    // Shows the reference information until the operator closes it.
    void BitBtn3Click();
    // Shows the Profile window beside the main window.
    void BitBtn4Click();
    void ShowAbout();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // EditN on its label panel, captioned as the catalogue says.
    QFrame* Labelled(int number, QWidget* parent);
    QWidget* BuildLeftHalf();
    QWidget* BuildRightHalf();
    // Open Report (Ctrl+O), Open Recent (Ctrl+R), Defaults (Ctrl+Shift+D)
    // and About (F1), in the window's context menu and after the edit
    // actions of each field's.
    void BuildActions();
    void FillRecentMenu();
    // Puts the hidden Profile window where it leaves this one clear.
    void PlaceProfile();

    const char Separator;
    // GO computes on it; its records hold the latest run.
    std::unique_ptr<TRun> Run;
    std::array<QLineEdit*, FieldCount> Edits{};
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    TFolderBrowser* FolderBrowser = nullptr;
    TForm2* Form2 = nullptr;
    TFinishForm* FinishForm = nullptr;
    TProfileForm* ProfileForm = nullptr;
    TMainController* Control = nullptr;
    QMenu* RecentMenu = nullptr;
    bool Centred = false;
    bool ProfilePlaced = false;
};

} // namespace ppspin
