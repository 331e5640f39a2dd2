// ppspin-cli: the spinline calculation without a window, from the same field
// texts, with the same checks, messages and report as the desktop program;
// also parameter studies, grids, goal seeking, sensitivities, and comparing
// with measured points and fitting inputs to them.
#include "CommandLine.h"
#include "Plots.h"
#include "Signals.h"

#ifdef PPSPIN_RUNS_ON_TBB
#include <oneapi/tbb/global_control.h>

#include <algorithm>
#endif

int main(int argc, char** argv) {
    using namespace ppspin;
    using namespace ppspin::cli;
    RemoveTemporariesOnSignals();
    TOptions o;
    o.DecimalSeparator = UserDecimalSeparator();
    o.Texts = DefaultFieldTexts(o.DecimalSeparator);
    TOutput out(stdout, "standard output");

    TCommand command = TCommand::Single;
    int status = ParseCommandLine(argc, argv, o, command, out);
    if (status < 0) {
#ifdef PPSPIN_RUNS_ON_TBB
        // A study runs on --jobs threads, which may be more than oneTBB
        // allows a process by default: it would then run fewer and warn on
        // stderr. Process-wide, so set here and not by the study library.
        const tbb::global_control threads(
            tbb::global_control::max_allowed_parallelism,
            std::max(
                static_cast<std::size_t>(o.Jobs),
                tbb::global_control::active_value(tbb::global_control::max_allowed_parallelism)));
#endif
        switch (command) {
        case TCommand::Single:
            status = RunOnce(o, out);
            break;
        case TCommand::Study:
            status = RunStudy(o, out);
            break;
        case TCommand::Solve:
            status = RunSolve(o, out);
            break;
        case TCommand::Sensitivity:
            status = RunSensitivity(o, out);
            break;
        case TCommand::Fit:
            status = RunFit(o, out);
            break;
        }
    }
    ReleasePlots();
    // What a script reads must be complete, or the status must say it is not.
    if (!out.Flush() || out.Failed()) {
        PrintError(out.FailureMessage());
        return ExitRunError;
    }
    return status;
}
