// Prints how runs of many input sets end, one line each: built once with
// the floating-point status flags and once with explicit fault checks, the
// two must print the same lines. The sets reach far beyond the inputs in
// use, to the faults, though no further than the input checks let them.
#include "MiscCalc.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <utility>

namespace {

using namespace ppspin;

// The inputs, and whether the checks let them take any sign: the others
// are positive, the air velocities zero or positive.
constexpr std::pair<double TRunInput::*, bool> Numbers[] = {
    {&TRunInput::D0, false},     {&TRunInput::Q, false},       {&TRunInput::VL, false},
    {&TRunInput::T0, false},     {&TRunInput::Z1, false},      {&TRunInput::Zone1A1, true},
    {&TRunInput::Zone1A2, true}, {&TRunInput::Zone1A3, true},  {&TRunInput::Va1, false},
    {&TRunInput::Z2, false},     {&TRunInput::Zone2A1, true},  {&TRunInput::Zone2A2, true},
    {&TRunInput::Zone2A3, true}, {&TRunInput::Va2, false},     {&TRunInput::Z3, false},
    {&TRunInput::Va3, false},    {&TRunInput::Eta0, false},    {&TRunInput::Tref, false},
    {&TRunInput::Dz, false},
};

// Each input kept at its default, or moved by up to three decades (an air
// velocity of zero to one about 50 cm/s), its sign flipped now and then
// where the checks allow, or set to an extreme.
TRunInput RandomInput(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> unit(0, 1);
    TRunInput in;
    for (const auto& [number, free] : Numbers) {
        const double u = unit(rng);
        if (u < 0.6)
            continue;
        double& x = in.*number;
        if (u < 0.95) {
            x = (x == 0 ? 50 : x) * std::exp(std::log(10.0) * (6 * unit(rng) - 3));
            if (free && unit(rng) < 0.2)
                x = -x;
        } else {
            constexpr std::array extremes = {1e-300, 1e300, 1e-160, 1e160};
            x = extremes[rng() % extremes.size()] * (free && rng() % 2 ? -1 : 1);
        }
    }
    // Grids beyond the tables are refused at once; most sets should run.
    if (in.Z3 / in.Dz > 2000 && unit(rng) < 0.9)
        in.Dz = in.Z3 / 100;
    return in;
}

std::string Bits(double x) {
    return std::to_string(std::bit_cast<std::uint64_t>(x));
}

std::string Outcome(TRun& run) {
    try {
        SetUpRun(run);
        RunTrials(run, 60);
        const TSpinProfile& p = run.SpinProfile;
        const int n = run.RunState.N3;
        return "converged " + std::to_string(run.RunState.TrialCount) + " " +
               Bits(run.RunState.F0) + " " + Bits(p.V[n]) + " " + Bits(p.T[n]) + " " +
               Bits(p.H[n]);
    } catch (const RunError& e) {
        return std::to_string(static_cast<int>(e.Kind())) + " " + e.what() + " after " +
               std::to_string(run.RunState.TrialCount) + " trials";
    }
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::stoi(argv[1]) : 20000;
    std::mt19937_64 rng(20261209);
    const auto run = std::make_unique<TRun>();
    for (int i = 0; i < count; ++i) {
        run->RunInput = RandomInput(rng);
        const std::string line = std::to_string(i) + ": " + Outcome(*run) + "\n";
        std::fputs(line.c_str(), stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
