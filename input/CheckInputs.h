#pragma once

#include "RunRecords.h"

namespace ppspin {

inline constexpr const char* InputNotCorrectMessage = "Input value is not correct!";

// Why an input was refused: the one message to show and the index of the
// field it concerns. A refusal with no message means the input passed.
struct TRefusal {
    const char* Message = nullptr;
    int Field = -1;
    explicit operator bool() const { return Message != nullptr; }
};

// The checks of the converted inputs, in order; the first failure, or an
// empty refusal when all pass.
TRefusal CheckInputs(const TRunInput& in);

} // namespace ppspin
