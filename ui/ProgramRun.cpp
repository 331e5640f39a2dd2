#include "ProgramRun.h"

namespace ppspin {

TRun ProgramRun;

} // namespace ppspin
