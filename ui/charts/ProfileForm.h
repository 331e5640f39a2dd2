// TProfileForm: the Profile window. Shows the latest converged profile as
// charts, keeps up to five earlier ones beside it for comparison, lists the
// runs' results in a table, and saves the charts as a picture and the runs
// as CSV. With Live on, the main window recomputes the newest run as its
// fields change.
#pragma once

#include "ProfileSnapshot.h"

#include <QWidget>

#include <optional>
#include <vector>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;

namespace ppspin {

class TProfileCharts;

class TProfileForm : public QWidget {
    Q_OBJECT
  public:
    static constexpr int MaxKept = 5;

    explicit TProfileForm(QWidget* parent = nullptr);

    TProfileCharts& Charts() const { return *ChartsWidget; }
    QTableWidget& Table() const { return *RunTable; }
    const std::vector<TProfileSnapshot>& Kept() const { return KeptRuns; }
    // The latest profile shown, kept or not.
    const std::optional<TProfileSnapshot>& Latest() const { return LatestRun; }
    // What the charts and the table show: the kept runs, then the newest.
    std::vector<const TProfileSnapshot*> ShownRuns() const;
    bool IsLive() const;
    QString StatusText() const;
    // Puts the window where the operator last left it; false when the
    // session has no place remembered yet.
    bool RestorePlace();

    // The charts as drawn now, at size pixels, PNG or SVG by the name's ending.
    bool SaveImage(const QString& path, QSize size, QString* error) const;
    // Every run shown, as ProfilesCsv writes them; false when there is none
    // or the file cannot be written (an earlier file is then left as it was).
    bool SaveData(const QString& path) const;

  public slots:
    // A new converged run: it replaces the newest profile; kept ones stay.
    void ShowProfile(const ppspin::TProfileSnapshot& profile);
    // A run that did not converge: its message in the status line, while
    // the charts and the table keep the last converged run.
    void ShowRefusal(const QString& message);
    // Pins the latest profile, in a colour of its own.
    void Keep();
    // Removes the kept profiles.
    void Clear();
    // Ask for a file name, then save.
    void SaveImageClicked();
    void SaveDataClicked();

  signals:
    // The Live check box was switched.
    void LiveChanged(bool on);
    // The buttons that act on the main window's fields.
    void GoalSeekRequested();
    void StudyRequested();
    void DefaultsRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QPushButton* AddButton(const QString& text, const QString& name);
    // Draws every run anew; with newestOnly, only the newest run's values
    // changed and the charts redraw just those.
    void Redraw(bool newestOnly = false);
    void FillTable();
    void ShowError(const QString& text);

    TProfileCharts* ChartsWidget = nullptr;
    QTableWidget* RunTable = nullptr;
    QLabel* StatusLine = nullptr;
    QHBoxLayout* Controls = nullptr; // the row of controls above the charts
    QCheckBox* LiveCheck = nullptr;
    QPushButton* KeepButton = nullptr;
    QPushButton* ClearButton = nullptr;
    QPushButton* SaveImageButton = nullptr;
    QPushButton* SaveDataButton = nullptr;

    std::vector<TProfileSnapshot> KeptRuns;
    std::optional<TProfileSnapshot> LatestRun;
    bool LatestKept = false; // drawn as a kept run, not again as the newest
    QString Refusal;         // why the latest Live text gave no run
};

} // namespace ppspin
