// A study or the sensitivities computed on a thread of their own, so that
// the windows stay responsive: what arrives is handed to the GUI thread by
// queued signals, to be taken in order.
#pragma once

#include "Sensitivity.h"
#include "Sweep.h"

#include <QObject>

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ppspin {

class TStudyRunner : public QObject {
    Q_OBJECT
  public:
    explicit TStudyRunner(QObject* parent = nullptr);
    // Cancels what runs and waits for it.
    ~TStudyRunner() override;

    // Start on jobs threads; only when nothing runs.
    void StartStudy(const TStudy& study, int jobs);
    void StartSensitivities(const TFieldTexts& texts, const TRunOptions& options, int jobs);
    // Runs work on the worker thread, as the two above run theirs, then
    // says it finished; only when nothing runs.
    void StartWork(std::function<void()> work);
    // Stops the runs in progress before their next trial; rows done are kept.
    // Safe from any thread.
    void Cancel();
    bool Running() const { return Worker.joinable(); }

    // What arrived since the last call: rows in order, and runs done of total.
    struct TArrived {
        std::vector<TSweepRow> Rows;
        std::vector<TSensitivityRow> SensitivityRows;
        std::size_t Done = 0, Total = 0;
    };
    TArrived Take();

    // Once finished: whether a cancel cut it short, and why the
    // sensitivities have no rows (empty when they have).
    bool Cancelled() const { return WasCancelled; }
    const TSensitivities& Sensitivities() const { return Result; }
    // Once finished: why the work ended in an exception, e.g. "out of
    // memory"; empty when it did not.
    std::string Failure() const;

  signals:
    // From the worker: something to take. Sent once until taken.
    void Arrived();
    // From the worker, last; Running() is false by the time it is received.
    void Finished();

  private:
    void Progress(std::size_t done, std::size_t total);
    void Notify();
    void Join();

    std::thread Worker;
    std::atomic<bool> CancelFlag = false;
    std::mutex Lock;
    TArrived Pending;      // under Lock
    bool Notified = false; // under Lock
    bool WasCancelled = false;
    TSensitivities Result;
    std::exception_ptr Failed; // what the work threw
};

} // namespace ppspin
