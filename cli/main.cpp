// Headless run of the default case; prints one summary line.
#include "MiscCalc.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace {

std::string Decimal(double x, int decimals) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

} // namespace

int main() {
    using namespace ppspin;
    try {
        SetUpRun();
        RunTrials();
    } catch (const RunError& e) {
        std::fputs(e.what(), stderr);
        std::fputc('\n', stderr);
        return 1;
    }
    const std::string line = std::to_string(RunState.TrialCount) + " trials, spinneret tension " +
                             Decimal(RunState.F0, 4) + " dyn, velocity at the last point " +
                             Decimal(SpinProfile.V[RunState.N3] * 60 / 100, 1) + " m/min\n";
    std::fputs(line.c_str(), stdout);
    return 0;
}
