// TStudyForm: the Study window. A sweep of one input, a map of two, or the
// sensitivities of every editable input, computed in the background from
// the main window's field texts; drawn and listed as the rows arrive, and
// saved as ppspin-cli saves them. A point picked in a picture or the table
// goes back to the main window's fields.
#pragma once

#include "FieldTexts.h"

#include <QElapsedTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QButtonGroup;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTimer;

namespace ppspin {

class TRangeEditor;
class TStudyPicture;
class TStudyRunner;
class TStudyTable;
class TXYPlotPage;

class TStudyForm : public QWidget {
    Q_OBJECT
  public:
    enum class TMode { Sweep, Map, Sensitivities };

    // Numbers are typed, and values shown, with separator.
    explicit TStudyForm(char separator, QWidget* parent = nullptr);
    ~TStudyForm() override;

    // Where Run takes its texts from: the main window's fields as they stand.
    void SetTextsSource(std::function<TFieldTexts()> source);
    // The ranges around the values of texts.
    void StartFrom(const TFieldTexts& texts);

    TMode Mode() const;
    void SetMode(TMode mode);
    // The first input's range, or the second's of a map.
    TRangeEditor& Range(int k) const;
    bool IsRunning() const;
    const TStudyTable& Results() const { return *Table; }
    TStudyRunner& Runner() const { return *Worker; }

    // Every row done, as ppspin-cli --summary writes them; false when
    // nothing has run or the file cannot be written (an earlier file is
    // then left as it was).
    bool SaveData(const QString& path) const;
    // The picture of the rows done, as ppspin-cli --summary-plot draws it.
    bool SaveImage(const QString& path, QSize size, QString* error) const;

  public slots:
    void Run();
    // Stops the runs; the rows done stay.
    void Cancel();
    // Ask for a file name, then save.
    void SaveDataClicked();
    void SaveImageClicked();
    // The inputs of a row go to the main window.
    void ChoosePoint(int row);

  signals:
    // The field texts of a point picked: the study's, with its values.
    void PointChosen(const ppspin::TFieldTexts& texts);
    // A run ended, done, cancelled or failed.
    void Finished();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QPushButton* AddButton(const QString& text, const QString& name);
    void TakeArrived();
    void RunFinished();
    void RefreshPictures();
    void ShowProgress(std::size_t done, std::size_t total);
    void SetRunning(bool running);
    void Refuse(const QString& message, QWidget* field = nullptr);
    void SelectRow(int row);
    // Each column as wide as its texts, a message column no wider than a
    // short message.
    void FitColumns();

    char Separator;
    std::function<TFieldTexts()> Source;
    TFieldTexts RunTexts;    // of the latest run
    bool HasResults = false; // a run has started
    QButtonGroup* Modes = nullptr;
    TRangeEditor* Ranges[2] = {};
    QPushButton* RunButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* SaveDataButton = nullptr;
    QPushButton* SaveImageButton = nullptr;
    QProgressBar* Progress = nullptr;
    QStackedWidget* Pictures = nullptr;
    TXYPlotPage* SweepChart = nullptr;
    TStudyPicture* Picture = nullptr;
    QTableView* TableView = nullptr;
    TStudyTable* Table = nullptr;
    QTimer* PictureTimer = nullptr;
    qint64 PictureCost = 0; // ms the latest drawing took
    QElapsedTimer Clock;
    std::unique_ptr<TStudyRunner> Worker;
};

} // namespace ppspin
