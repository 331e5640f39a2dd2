// The command line: which command ppspin-cli runs, on which options.
#pragma once

#include "Commands.h"
#include "Output.h"

namespace ppspin::cli {

enum class TCommand { Single, Study, Solve, Sensitivity, Fit };

// Reads the command line into o and command. Returns -1 to go on, else the
// exit status; help, version and refusals are written on the way.
int ParseCommandLine(int argc, char** argv, TOptions& o, TCommand& command, TOutput& out);

} // namespace ppspin::cli
