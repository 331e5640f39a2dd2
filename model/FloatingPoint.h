// Floating-point faults are detected from the status flags, never by traps:
// the flags are cleared when a run starts and tested after each step.
#pragma once

namespace ppspin {

// Clears the status flags and selects round-to-nearest.
void ClearFloatingPointFaults();

// Throws RunError naming the fault when division by zero, overflow or an
// invalid operation has been raised since the last clear. Underflow and
// inexact results pass. Math functions count as free of side effects, so a
// result must be stored before the check for the check to see its faults;
// one that is never used need not be computed at all.
void CheckFloatingPointFaults();

} // namespace ppspin
