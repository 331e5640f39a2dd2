#include "RunRecords.h"

namespace ppspin {

TRunInput RunInput;
TRunState RunState;
TSpinProfile SpinProfile;

} // namespace ppspin
