#pragma once

#include "RunRecords.h"

namespace ppspin {

// One trial: integrates the spinline from the spinneret with tension F0 down
// to point N3, or until the filament runs away above 1.2 times the take-up
// speed, and leaves the velocity of the last point in Vend.
void MarchSpinline(TRun& run);

} // namespace ppspin
