#include "BackgroundTask.h"

#include <utility>

namespace ppspin {

TBackgroundTask::~TBackgroundTask() {
    Cancelled = true;
    if (Worker.joinable())
        Worker.join();
}

bool TBackgroundTask::Start(std::function<TDelivery()> work) {
    if (Running)
        return false;
    // The last work has handed its result over, and ends at once.
    if (Worker.joinable())
        Worker.join();
    Running = true;
    Cancelled = false;
    Worker = std::thread([this, work = std::move(work)] {
        TDelivery deliver = work();
        Post([this, deliver = std::move(deliver)] {
            Running = false;
            deliver();
        });
    });
    return true;
}

void TBackgroundTask::Post(TDelivery f) {
    // Queued to the receiver: dropped should it be gone by then, which the
    // join of its task's destructor rules out anyway.
    QMetaObject::invokeMethod(&Receiver, std::move(f), Qt::QueuedConnection);
}

} // namespace ppspin
