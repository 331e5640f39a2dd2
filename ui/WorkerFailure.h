// Work on a thread of its own that throws must not end the program: what it
// threw is caught there and told on the GUI thread, in a few words.
#pragma once

#include <exception>
#include <string>

namespace ppspin {

// Why failure ended the work, e.g. "out of memory"; call where failure is
// told, it rethrows.
std::string FailureReason(std::exception_ptr failure);

} // namespace ppspin
