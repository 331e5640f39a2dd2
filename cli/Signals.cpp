#include "Signals.h"

#include "Plots.h"
#include "TemporaryFiles.h"

#ifndef _WIN32
#include <csignal>
#include <pthread.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#endif

namespace ppspin::cli {

void RemoveTemporariesOnSignals() {
#ifndef _WIN32
    sigset_t taken;
    sigemptyset(&taken);
    bool any = false;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // A shell starts background jobs with SIGINT ignored.
        struct sigaction now {};
        if (sigaction(signal, nullptr, &now) == 0 && now.sa_handler != SIG_IGN) {
            sigaddset(&taken, signal);
            any = true;
        }
    }
    if (!any || pthread_sigmask(SIG_BLOCK, &taken, nullptr) != 0)
        return;
    try {
        std::thread([taken] {
            int signal = 0;
            while (sigwait(&taken, &signal) != 0) {
            }
            RemoveTemporaryFiles();
            RemovePlotTemporaries();
            // The signal's own end, its default action, as the shell expects.
            sigset_t one;
            sigemptyset(&one);
            sigaddset(&one, signal);
            pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
            raise(signal);
            _exit(128 + signal); // not reached
        }).detach();
    } catch (const std::system_error&) {
        // No thread: the signals end the process directly, as before.
        pthread_sigmask(SIG_UNBLOCK, &taken, nullptr);
    }
#endif
}

} // namespace ppspin::cli
