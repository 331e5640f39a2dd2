// The desktop program's own arguments, answered before any window (or
// display) is needed; everything else is Qt's.
#pragma once

namespace ppspin {

// With --help or --version among the arguments, prints the answer and returns
// the exit status (1 where it could not be written); otherwise -1: start the
// window.
int AnswerWithoutWindow(int argc, char* argv[]);

} // namespace ppspin
