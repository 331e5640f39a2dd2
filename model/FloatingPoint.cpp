#include "FloatingPoint.h"

#include "RunError.h"

namespace ppspin {

namespace {

// Explicit checks note here what the flags would hold: per thread, as the
// flags are, so that runs on several threads keep their faults apart.
thread_local unsigned NotedFaults = NoFault;

unsigned RaisedFaults() {
#ifdef PPSPIN_FP_FLAGS
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    return ((raised & FE_DIVBYZERO) ? DivisionByZero : NoFault) |
           ((raised & FE_OVERFLOW) ? Overflow : NoFault) |
           ((raised & FE_INVALID) ? InvalidOperation : NoFault);
#else
    return NotedFaults;
#endif
}

} // namespace

void NoteFault(TFault fault) {
    NotedFaults |= fault;
}

void ClearFloatingPointFaults() {
    NotedFaults = NoFault;
#ifdef PPSPIN_FP_FLAGS
    std::feclearexcept(FE_ALL_EXCEPT);
#endif
#ifdef FE_TONEAREST
    std::fesetround(FE_TONEAREST);
#endif
}

void TestFloatingPointFaults() {
    const unsigned raised = RaisedFaults();
    if (raised == NoFault)
        return;
    // An invalid operation is usually the consequence of an infinity made by
    // one of the others, so those are named first.
    if (raised & DivisionByZero)
        throw RunError(TRunErrorKind::FloatingPoint, "Floating point division by zero");
    if (raised & Overflow)
        throw RunError(TRunErrorKind::FloatingPoint, "Floating point overflow");
    throw RunError(TRunErrorKind::FloatingPoint, "Invalid floating point operation");
}

} // namespace ppspin
