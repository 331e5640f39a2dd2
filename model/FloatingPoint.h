// Floating-point faults: a division by zero, an overflow or an invalid
// operation ends a run; underflow and inexact results pass. They are noted
// while a step computes and tested at the checks after it, in one of two
// ways chosen when the model is built:
//  - the hardware's status flags (<cfenv>), raised by every operation, never
//    trapped;
//  - explicit checks, where there are no flags (WebAssembly) or
//    PPSPIN_FP_EXPLICIT asks for them: the model's fault points below note
//    what their operation would raise, and a non-finite value a step,
//    stage or adjustment computed counts as the fault that made it.
// The fault points are the operations of the model that can fault from
// finite operands other than a sum or a product: quotients with a divisor
// that is not a constant, exponentials, logarithms and square roots. With
// the flags they are the plain operations, so the equations compute exactly
// as written either way.
#pragma once

#include <cfenv>
#include <cmath>

namespace ppspin {

#if !defined(PPSPIN_FP_EXPLICIT) && defined(FE_DIVBYZERO) && defined(FE_OVERFLOW) &&             \
    defined(FE_INVALID)
#define PPSPIN_FP_FLAGS 1
inline constexpr bool ExplicitFaultChecks = false;
#else
inline constexpr bool ExplicitFaultChecks = true;
#endif

enum TFault : unsigned { NoFault = 0, DivisionByZero = 1, Overflow = 2, InvalidOperation = 4 };

// Notes a fault for the next check; explicit checks only.
void NoteFault(TFault fault);

// Clears the faults noted and selects round-to-nearest.
void ClearFloatingPointFaults();

// Values computed within a step that explicit checks test as they are: an
// infinity met here is an overflow, a NaN an invalid operation, even should
// a later operation absorb it. Nothing with the flags, which saw the
// operation itself.
template <typename... Results> inline void NoteResults(Results... results) {
    if constexpr (ExplicitFaultChecks) {
        const auto note = [](double x) {
            if (std::isnan(x))
                NoteFault(InvalidOperation);
            else if (std::isinf(x))
                NoteFault(Overflow);
        };
        (note(results), ...);
    }
}

// Throws RunError naming the fault when division by zero, overflow or an
// invalid operation has been raised since the last clear. Math functions
// count as free of side effects, so a result must be stored before the
// check for the flags to see its faults, and one that is never used need
// not be computed at all. results: the values the step stored, noted first.
void TestFloatingPointFaults();
template <typename... Results> inline void CheckFloatingPointFaults(Results... results) {
    NoteResults(results...);
    TestFloatingPointFaults();
}

// The fault points. An infinity or a NaN among the operands is the result
// of a fault already, one the flags saw where it arose: a sum or a product
// may have overflowed.

// a / b.
inline double Quotient(double a, double b) {
    const double q = a / b;
    if constexpr (ExplicitFaultChecks) {
        if (!std::isfinite(a) || !std::isfinite(b))
            NoteResults(a, b);
        else if (b == 0)
            NoteFault(a == 0 ? InvalidOperation : DivisionByZero);
        else
            NoteResults(q);
    }
    return q;
}

inline double Exp(double x) {
    const double e = std::exp(x);
    if constexpr (ExplicitFaultChecks)
        NoteResults(x, e);
    return e;
}

inline double Log(double x) {
    if constexpr (ExplicitFaultChecks) {
        NoteResults(x);
        if (x == 0)
            NoteFault(DivisionByZero);
        else if (x < 0)
            NoteFault(InvalidOperation);
    }
    return std::log(x);
}

inline double Sqrt(double x) {
    if constexpr (ExplicitFaultChecks) {
        NoteResults(x);
        if (x < 0)
            NoteFault(InvalidOperation);
    }
    return std::sqrt(x);
}

} // namespace ppspin
