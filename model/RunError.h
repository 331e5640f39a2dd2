// The one error a run ends with; its text is what the operator is shown.
#pragma once

#include <stdexcept>
#include <string>

namespace ppspin {

// What ended a run, so that callers need not read the message.
enum class TRunErrorKind {
    Refused,       // an input the model cannot hold or compute
    FloatingPoint, // division by zero, overflow or an invalid operation
    NotConverged,  // the shooting gave up
    Cancelled,     // the caller asked the run to stop
    File,          // the report could not be written
};

class RunError : public std::runtime_error {
  public:
    RunError(TRunErrorKind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}
    TRunErrorKind Kind() const { return kind_; }

  private:
    TRunErrorKind kind_;
};

} // namespace ppspin
