#include "FloatingPoint.h"

#include "RunError.h"

#include <cfenv>

namespace ppspin {

void ClearFloatingPointFaults() {
    std::feclearexcept(FE_ALL_EXCEPT);
    std::fesetround(FE_TONEAREST);
}

void CheckFloatingPointFaults() {
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    if (raised == 0)
        return;
    // An invalid operation is usually the consequence of an infinity made by
    // one of the others, so those are named first.
    if (raised & FE_DIVBYZERO)
        throw RunError(TRunErrorKind::FloatingPoint, "Floating point division by zero");
    if (raised & FE_OVERFLOW)
        throw RunError(TRunErrorKind::FloatingPoint, "Floating point overflow");
    throw RunError(TRunErrorKind::FloatingPoint, "Invalid floating point operation");
}

} // namespace ppspin
