// TProfileForm: the Profile window. Shows the latest converged profile as
// charts, keeps up to five earlier ones beside it for comparison, and saves
// the charts as a picture and the profile as CSV.
#pragma once

#include "ProfileSnapshot.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QPushButton;

namespace ppspin {

class TProfileCharts;

class TProfileForm : public QWidget {
    Q_OBJECT
  public:
    static constexpr int MaxKept = 5;

    explicit TProfileForm(QWidget* parent = nullptr);

    TProfileCharts& Charts() const { return *ChartsWidget; }
    const std::vector<TProfileSnapshot>& Kept() const { return KeptRuns; }
    // The latest profile shown, kept or not.
    const std::optional<TProfileSnapshot>& Latest() const { return LatestRun; }

    // The charts as drawn now, at size pixels, PNG or SVG by the name's ending.
    bool SaveImage(const QString& path, QSize size, QString* error) const;
    // The latest profile as ppspin-cli --csv writes it.
    bool SaveData(const QString& path) const;

  public slots:
    // A new converged run: it replaces the newest profile; kept ones stay.
    void ShowProfile(const ppspin::TProfileSnapshot& profile);
    // Pins the latest profile, in a colour of its own.
    void Keep();
    // Removes the kept profiles.
    void Clear();
    // Ask for a file name, then save.
    void SaveImageClicked();
    void SaveDataClicked();

  private:
    void Redraw();
    void ShowError(const QString& text);

    TProfileCharts* ChartsWidget = nullptr;
    QLabel* Summary = nullptr;
    QPushButton* KeepButton = nullptr;
    QPushButton* ClearButton = nullptr;
    QPushButton* SaveImageButton = nullptr;
    QPushButton* SaveDataButton = nullptr;

    std::vector<TProfileSnapshot> KeptRuns;
    std::optional<TProfileSnapshot> LatestRun;
    bool LatestKept = false; // drawn as a kept run, not again as the newest
};

} // namespace ppspin
