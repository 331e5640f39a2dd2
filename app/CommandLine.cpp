#include "CommandLine.h"

#include "PpspinVersion.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace ppspin {

namespace {

// The man page is made from this text by help2man: options start two spaces
// in and stay two spaces from their description.
constexpr const char* HelpText =
    "Usage: ppspin [OPTION]... [QT OPTION]...\n"
    "The desktop calculator for melt spinning of a polypropylene filament: the\n"
    "spinline from the spinneret to the take-up under three zones of quench air,\n"
    "with its report, charts, studies and fitting to measured points.\n"
    "\n"
    "Options:\n"
    "  --help     display this help and exit\n"
    "  --version  output version information and exit\n"
    "\n"
    "Qt's own options, such as -platform NAME or -style NAME, are accepted.\n"
    "ppspin-cli runs the same calculation without a window.\n";

bool Print(const std::string& text) {
    // Written whole and flushed, or the status says it was not.
    const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    if (!written)
        std::fputs("ppspin: cannot write to standard output\n", stderr);
    return written;
}

} // namespace

int AnswerWithoutWindow(int argc, char* argv[]) {
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return Print(HelpText) ? 0 : 1;
        version = version || std::strcmp(argv[i], "--version") == 0;
    }
    if (!version)
        return -1;
    return Print(std::string("ppspin ") + PpspinVersion + "\n") ? 0 : 1;
}

} // namespace ppspin
