// The desktop program's one run context: GO computes on it, and its records
// RunInput, RunState and SpinProfile hold the latest run for the program's life.
#pragma once

#include "RunRecords.h"

namespace ppspin {

extern TRun ProgramRun;

} // namespace ppspin
