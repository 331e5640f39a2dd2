#pragma once

#include "RunRecords.h"

#include <atomic>

namespace ppspin {

// Compares the latest trial's end velocity with the take-up speed: accepts
// it within 0.1 %, otherwise corrects F0 by a fixed step until the take-up
// speed is bracketed, then by false position through the bracket.
void AdjustTension(TRun& run);

// Trials a run may take before it is given up as not converging.
inline constexpr int MaxTrials = 5000;

// The run loop: MarchSpinline and AdjustTension until converged. Throws
// RunError("Calculation did not converge") after maxTrials missed trials,
// and RunError("Calculation was cancelled") once *cancel is set: it is
// looked at before every trial, from whichever thread sets it.
void RunTrials(TRun& run, int maxTrials = MaxTrials, const std::atomic<bool>* cancel = nullptr);

} // namespace ppspin
