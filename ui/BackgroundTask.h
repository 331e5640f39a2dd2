// Work beside the event loop, one piece at a time on a thread of its own,
// its result handed back to an object's thread: the goal seek and the fit
// take from milliseconds to seconds, and the windows stay responsive.
#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace ppspin {

class TBackgroundTask {
  public:
    // What the work hands back: called on the receiver's thread.
    using TDelivery = std::function<void()>;
    // What the receiver is told when the work throws: why, in a few words.
    using TFailure = std::function<void(const std::string& reason)>;

    explicit TBackgroundTask(QObject& receiver) : Receiver(receiver) {}
    // Cancels work still running and waits for it to end.
    ~TBackgroundTask();
    TBackgroundTask(const TBackgroundTask&) = delete;
    TBackgroundTask& operator=(const TBackgroundTask&) = delete;

    bool IsRunning() const { return Running; }
    // Runs work on a thread of its own; the delivery it returns follows on
    // the receiver's thread, or failed with the reason should work throw,
    // after which IsRunning is false. False, and nothing started, while work
    // runs.
    bool Start(std::function<TDelivery()> work, TFailure failed);
    // Calls f on the receiver's thread once the events queued before it are
    // handled; from the work's thread, this is how it reports progress.
    void Post(TDelivery f);
    // Read by the work: set, it should end early and still deliver.
    const std::atomic<bool>* CancelFlag() const { return &Cancelled; }
    void Cancel() { Cancelled = true; }

  private:
    QObject& Receiver;
    std::thread Worker;
    std::atomic<bool> Cancelled = false;
    bool Running = false;
};

} // namespace ppspin
