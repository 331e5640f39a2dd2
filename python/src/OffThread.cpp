#include "OffThread.h"

#include <pybind11/pybind11.h>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

namespace ppspin::python {

namespace py = pybind11;

namespace {

// The thread that does a Python thread's work, kept from call to call:
// starting one for every call would cost more than a default run.
class TWorker {
  public:
    TWorker() : Thread([this] { Serve(); }) {}

    ~TWorker() {
        {
            const std::lock_guard lock(Mutex);
            Stopping = true;
        }
        Changed.notify_all();
        Thread.join();
    }

    TWorker(const TWorker&) = delete;
    TWorker& operator=(const TWorker&) = delete;

    // Hands work over; Wait then tells, every interval, whether it is done.
    void Start(const std::function<void()>& work) {
        {
            const std::lock_guard lock(Mutex);
            Work = &work;
            Done = false;
            Failure = nullptr;
        }
        Changed.notify_all();
    }

    bool Wait(std::chrono::milliseconds interval) {
        std::unique_lock lock(Mutex);
        return Changed.wait_for(lock, interval, [this] { return Done; });
    }

    std::exception_ptr Failure;

  private:
    void Serve() {
        std::unique_lock lock(Mutex);
        for (;;) {
            Changed.wait(lock, [this] { return Stopping || Work != nullptr; });
            if (Work == nullptr)
                return;
            const std::function<void()>& work = *Work;
            lock.unlock();
            std::exception_ptr failure;
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            Work = nullptr;
            Failure = failure;
            Done = true;
            Changed.notify_all();
        }
    }

    std::mutex Mutex;
    std::condition_variable Changed;
    const std::function<void()>* Work = nullptr;
    bool Done = false;
    bool Stopping = false;
    std::thread Thread; // last: it starts serving at once
};

} // namespace

void RunOffThread(const std::function<void()>& work, std::atomic<bool>& cancel,
                  const std::function<void()>& tick) {
    constexpr int WaitsPerTick = 5; // of 50 ms
    thread_local TWorker worker;
    bool interrupted = false;
    {
        const py::gil_scoped_release release;
        worker.Start(work);
        for (int waits = 1; !worker.Wait(std::chrono::milliseconds(50)); ++waits) {
            if (interrupted)
                continue; // the work is winding up
            const py::gil_scoped_acquire gil;
            interrupted = PyErr_CheckSignals() != 0;
            if (!interrupted && tick && waits % WaitsPerTick == 0) {
                try {
                    tick();
                } catch (py::error_already_set& error) {
                    error.restore(); // raised below, once the work has stopped
                    interrupted = true;
                }
            }
            cancel = cancel || interrupted;
        }
    }
    if (interrupted)
        throw py::error_already_set();
    if (worker.Failure)
        std::rethrow_exception(std::exchange(worker.Failure, nullptr));
}

} // namespace ppspin::python
