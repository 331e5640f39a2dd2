// Long work off the Python thread, so that Ctrl+C still stops it.
#pragma once

#include <atomic>
#include <functional>

namespace ppspin::python {

// Runs work on a thread of its own while the calling thread, the GIL
// released, waits for it; every 50 ms it takes the GIL and lets Python run
// its signal handlers. When one raises (Ctrl+C: KeyboardInterrupt), cancel
// is set, the work is waited for, and the handler's error is raised. An
// exception from the work is thrown again here. tick, when given, is called
// with the GIL held every quarter of a second; an error it raises ends the
// work as Ctrl+C does, and is raised then.
void RunOffThread(const std::function<void()>& work, std::atomic<bool>& cancel,
                  const std::function<void()>& tick = {});

} // namespace ppspin::python
