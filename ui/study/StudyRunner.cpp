#include "StudyRunner.h"

#include "WorkerFailure.h"

namespace ppspin {

TStudyRunner::TStudyRunner(QObject* parent) : QObject(parent) {
    // Queued, as Finished comes from the worker: joined before anyone else
    // hears it, since this connection is made first.
    connect(this, &TStudyRunner::Finished, this, &TStudyRunner::Join, Qt::QueuedConnection);
}

TStudyRunner::~TStudyRunner() {
    Cancel();
    if (Worker.joinable())
        Worker.join();
}

void TStudyRunner::StartWork(std::function<void()> work) {
    if (Worker.joinable())
        return;
    CancelFlag = false;
    WasCancelled = false;
    Result = {};
    Pending = {};
    Notified = false;
    Failed = nullptr;
    Worker = std::thread([this, work = std::move(work)] {
        // Thrown out of this thread, it would end the program: it is told
        // once Finished is heard, the thread joined.
        try {
            work();
        } catch (...) {
            Failed = std::current_exception();
        }
        emit Finished();
    });
}

void TStudyRunner::StartStudy(const TStudy& study, int jobs) {
    TStudy cancellable = study;
    cancellable.Cancel = &CancelFlag;
    StartWork([this, study = std::move(cancellable), jobs] {
        const std::vector<std::vector<double>> points = StudyPoints(study);
        std::size_t done = 0;
        RunStudyPoints(study, points, jobs, [&](TSweepRow&& row, std::size_t i) {
            // A row the cancel stopped, or one done after it, is not kept.
            if (CancelFlag)
                return false;
            {
                const std::lock_guard lock(Lock);
                Pending.Rows.push_back(std::move(row));
            }
            done = i + 1;
            Progress(done, points.size());
            return true;
        });
        WasCancelled = done < points.size();
    });
}

void TStudyRunner::StartSensitivities(const TFieldTexts& texts, const TRunOptions& options,
                                      int jobs) {
    TRunOptions cancellable = options;
    cancellable.Cancel = &CancelFlag;
    StartWork([this, texts, options = cancellable, jobs] {
        TSensitivityWatch watch;
        watch.Progress = [this](std::size_t done, std::size_t total) { Progress(done, total); };
        watch.Row = [this](const TSensitivityRow& row) {
            const std::lock_guard lock(Lock);
            Pending.SensitivityRows.push_back(row);
        };
        Result = RunSensitivities(texts, options, jobs, watch);
        WasCancelled = Result.Cancelled;
    });
}

std::string TStudyRunner::Failure() const {
    return Failed ? FailureReason(Failed) : std::string();
}

void TStudyRunner::Cancel() {
    CancelFlag = true;
}

void TStudyRunner::Progress(std::size_t done, std::size_t total) {
    {
        const std::lock_guard lock(Lock);
        Pending.Done = done;
        Pending.Total = total;
    }
    Notify();
}

void TStudyRunner::Notify() {
    {
        const std::lock_guard lock(Lock);
        if (Notified)
            return;
        Notified = true;
    }
    emit Arrived();
}

TStudyRunner::TArrived TStudyRunner::Take() {
    const std::lock_guard lock(Lock);
    TArrived arrived = std::move(Pending);
    Pending = {};
    Pending.Done = arrived.Done;
    Pending.Total = arrived.Total;
    Notified = false;
    return arrived;
}

void TStudyRunner::Join() {
    if (Worker.joinable())
        Worker.join();
}

} // namespace ppspin
