// TProfileForm: the Profile window. Shows the latest converged profile as
// charts, keeps up to five earlier ones beside it for comparison, lists the
// runs' results in a table, and saves the charts as a picture and the runs
// as CSV. With Live on, the main window recomputes the newest run as its
// fields change. Measured points loaded from a file are marked on the
// charts, and the table and a residual chart say how far each run is from
// them.
#pragma once

#include "MeasuredData.h"
#include "MeasuredPictures.h"
#include "ProfileSnapshot.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QVBoxLayout;

namespace ppspin {

class TProfileCharts;
class TResidualCharts;

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

    // Reads measured points from path in place of any loaded before; false,
    // with why in *error and nothing changed, when the file is refused or a
    // point lies off the newest run's spinline.
    bool LoadMeasured(const QString& path, QString* error);
    // The measured points loaded, none when there are none, and their file.
    const std::shared_ptr<const TMeasuredData>& Measured() const { return MeasuredPoints; }
    const QString& MeasuredPath() const { return MeasuredFile; }
    // The residual chart of the newest run in place of the profile charts.
    bool ResidualsShown() const;
    // The residual chart drawn now; none while the profile charts are shown.
    TResidualCharts* Residuals() const { return ResidualChart; }

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
    // Asks for a measured file, then loads it; a refused one is said in a
    // warning box, and a cancelled choice keeps the points loaded.
    void MeasuredClicked();
    // Removes the measured points: markers, residual columns and chart.
    void ClearMeasured();
    // Shows the residual chart of the newest run, or the profile charts.
    void ShowResiduals(bool on);

  signals:
    // The Live check box was switched.
    void LiveChanged(bool on);
    // The buttons that act on the main window's fields.
    void GoalSeekRequested();
    void FitRequested();
    void StudyRequested();
    void DefaultsRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QPushButton* AddButton(const QString& text, const QString& name, QHBoxLayout* row = nullptr);
    // The row of controls for measured points (in ProfileMeasured.cpp).
    QHBoxLayout* MeasuredControls();
    // Draws every run anew; with newestOnly, only the newest run's values
    // changed and the charts redraw just those.
    void Redraw(bool newestOnly = false);
    void FillTable();
    void ShowError(const QString& text);
    // The measured part of Redraw: the buttons, and the residual chart when shown.
    void RedrawMeasured();
    // Which shown run's spinline ends before a measured point, as the
    // status line says it; empty when none does.
    QString OffSpinline() const;
    // The residuals of the newest run; none where its spinline ends before a point.
    TResidualPlot NewestResidualPlot() const;

    TProfileCharts* ChartsWidget = nullptr;
    QTableWidget* RunTable = nullptr;
    QLabel* StatusLine = nullptr;
    QHBoxLayout* Controls = nullptr; // the row of controls above the charts
    QCheckBox* LiveCheck = nullptr;
    QPushButton* KeepButton = nullptr;
    QPushButton* ClearButton = nullptr;
    QPushButton* SaveImageButton = nullptr;
    QPushButton* SaveDataButton = nullptr;
    QPushButton* ResidualsButton = nullptr;
    QPushButton* ClearMeasuredButton = nullptr;
    QLabel* MeasuredLabel = nullptr;
    QStackedWidget* Pages = nullptr; // the profile charts, or the residual page
    QWidget* ResidualPage = nullptr;
    QLabel* ResidualTitle = nullptr;
    TResidualCharts* ResidualChart = nullptr;

    std::vector<TProfileSnapshot> KeptRuns;
    std::optional<TProfileSnapshot> LatestRun;
    bool LatestKept = false; // drawn as a kept run, not again as the newest
    QString Refusal;         // why the latest Live text gave no run
    // Shared with a fit that reads them while other points may be loaded.
    std::shared_ptr<const TMeasuredData> MeasuredPoints;
    QString MeasuredFile;
};

} // namespace ppspin
