// The one error a run ends with; its text is what the operator is shown.
#pragma once

#include <stdexcept>
#include <string>

namespace ppspin {

class RunError : public std::runtime_error {
  public:
    explicit RunError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace ppspin
