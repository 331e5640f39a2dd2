#include "OffThread.h"

#include <pybind11/pybind11.h>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace ppspin::python {

namespace py = pybind11;

void RunOffThread(const std::function<void()>& work, std::atomic<bool>& cancel) {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool interrupted = false;
    std::exception_ptr failure;
    {
        const py::gil_scoped_release release;
        std::thread worker([&] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
            const std::lock_guard lock(mutex);
            done = true;
            finished.notify_all();
        });
        std::unique_lock lock(mutex);
        while (!finished.wait_for(lock, std::chrono::milliseconds(50), [&] { return done; })) {
            if (interrupted)
                continue; // the work is winding up
            lock.unlock();
            {
                const py::gil_scoped_acquire gil;
                interrupted = PyErr_CheckSignals() != 0;
            }
            cancel = cancel || interrupted;
            lock.lock();
        }
        lock.unlock();
        worker.join();
    }
    if (interrupted)
        throw py::error_already_set();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace ppspin::python
