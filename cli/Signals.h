// Interrupted runs leave no hidden temporary files behind.
#pragma once

namespace ppspin::cli {

// From here on SIGINT, SIGTERM and SIGHUP end the process as they would
// have, once the temporary files of outputs not yet published are removed.
// A signal ignored when the program started stays ignored. Call first in
// main, before any thread starts: the signals are blocked in every thread
// and waited for by one of their own, so that the removal can take locks
// and run whatever the other threads are doing.
void RemoveTemporariesOnSignals();

} // namespace ppspin::cli
