// Helpers shared by the model tests.
#pragma once

#include "MiscCalc.h"

#include <vector>

namespace ppspin::testing {

// A run set up from the default inputs.
inline void SetUpDefaultRun(TRun& run) {
    run.RunInput = TRunInput{};
    SetUpRun(run);
}

// Keeps a result as the march keeps its results, before it reads the fault
// flags: a math call whose result nobody uses may be left out altogether.
inline void Keep(double value) {
    volatile double kept = value;
    (void)kept;
}

// One trial of the shooting as the run loop sees it.
struct Trial {
    double f0;     // tension the trial started with, dyn
    int lastPoint; // last point the trial wrote
    double vend;   // cm/s
};

// Points up to a stop are fresh; the first point above the run-away limit is
// therefore where the trial stopped.
inline int LastPointWritten(const TRun& run) {
    const double limit = 1.2 * run.RunState.VLc;
    for (int k = 2; k <= run.RunState.N3; ++k)
        if (run.SpinProfile.V[k] > limit)
            return k;
    return run.RunState.N3;
}

// Runs the loop trial by trial, recording each one.
inline std::vector<Trial> RunRecordingTrials(TRun& run, int maxTrials = 50) {
    std::vector<Trial> trials;
    while (!run.RunState.Converged && static_cast<int>(trials.size()) < maxTrials) {
        const double f0 = run.RunState.F0;
        MarchSpinline(run);
        trials.push_back({f0, LastPointWritten(run), run.RunState.Vend});
        AdjustTension(run);
    }
    return trials;
}

} // namespace ppspin::testing
