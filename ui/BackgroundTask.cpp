#include "BackgroundTask.h"

#include "WorkerFailure.h"

#include <exception>
#include <utility>

namespace ppspin {

TBackgroundTask::~TBackgroundTask() {
    Cancelled = true;
    if (Worker.joinable())
        Worker.join();
}

bool TBackgroundTask::Start(std::function<TDelivery()> work, TFailure failed) {
    if (Running)
        return false;
    // The last work has handed its result over, and ends at once.
    if (Worker.joinable())
        Worker.join();
    Running = true;
    Cancelled = false;
    Worker = std::thread([this, work = std::move(work), failed = std::move(failed)] {
        TDelivery deliver;
        // Thrown out of this thread, it would end the program.
        std::exception_ptr failure;
        try {
            deliver = work();
        } catch (...) {
            failure = std::current_exception();
        }
        Post([this, deliver = std::move(deliver), failed, failure] {
            Running = false;
            if (failure)
                failed(FailureReason(failure));
            else
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
