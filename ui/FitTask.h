// Fitting inputs to measured points beside the event loop, with the runs
// made reported as they come: a fit takes from milliseconds to many
// seconds, and the windows stay responsive meanwhile.
#pragma once

#include "BackgroundTask.h"
#include "FieldTexts.h"
#include "Fit.h"

#include <QObject>

#include <memory>

namespace ppspin {

class TFitTask : public QObject {
    Q_OBJECT
  public:
    explicit TFitTask(QObject* parent = nullptr) : QObject(parent) {}

    bool IsRunning() const { return Work.IsRunning(); }
    // Fits setup's inputs to data from texts on a thread of its own;
    // Progress and then Finished follow on this object's thread. The data
    // are kept until Finished has been handled: its comparisons point into
    // them; a failed fit saying why should the fit throw. One fit at a
    // time: ignored while one runs.
    void Start(const TFieldTexts& texts, std::shared_ptr<const TMeasuredData> data,
               TFitSetup setup);
    // Ends the fit before its next run; Finished still follows, cancelled.
    void Cancel() { Work.Cancel(); }

  signals:
    void Progress(const ppspin::TFitProgress& progress);
    void Finished(const ppspin::TFitResult& result);

  private:
    TBackgroundTask Work{*this};
};

} // namespace ppspin
