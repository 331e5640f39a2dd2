// Helpers shared by the model tests.
#pragma once

#include "MiscCalc.h"

#include <vector>

namespace ppspin::testing {

// Restores the default inputs and sets a run up from them.
inline void SetUpDefaultRun() {
    RunInput = TRunInput{};
    SetUpRun();
}

// One trial of the shooting as the run loop sees it.
struct Trial {
    double f0;     // tension the trial started with, dyn
    int lastPoint; // last point the trial wrote
    double vend;   // cm/s
};

// Points up to a stop are fresh; the first point above the run-away limit is
// therefore where the trial stopped.
inline int LastPointWritten() {
    const double limit = 1.2 * RunState.VLc;
    for (int k = 2; k <= RunState.N3; ++k)
        if (SpinProfile.V[k] > limit)
            return k;
    return RunState.N3;
}

// Runs the loop trial by trial, recording each one.
inline std::vector<Trial> RunRecordingTrials(int maxTrials = 50) {
    std::vector<Trial> trials;
    while (!RunState.Converged && static_cast<int>(trials.size()) < maxTrials) {
        const double f0 = RunState.F0;
        MarchSpinline();
        trials.push_back({f0, LastPointWritten(), RunState.Vend});
        AdjustTension();
    }
    return trials;
}

} // namespace ppspin::testing
