// The run's three records: the operator's inputs, the derived scalars and
// the point tables of the spinline, held together by a run context.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ppspin {

// Capacity of every point table; points are numbered 1 .. MaxPoints.
inline constexpr int MaxPoints = 1001;

// The defaults are written here only: the window's opening texts, the
// defaults of --help and of Python are made from them.
struct TRunInput {
    double D0 = 0.025;         // spinneret hole diameter, cm
    double Q = 0.7;            // polymer output, g/min
    double VL = 3500.0;        // take-up speed, m/min
    double T0 = 190.0;         // melt temperature, degC
    double Z1 = 10.0;          // end of zone 1, cm
    double Zone1A1 = 245700.0; // zone-1 air law Ta = A1 / (z + A2) + A3: degC*cm
    double Zone1A2 = 130.0;    // cm
    double Zone1A3 = -1710.0;  // degC
    double Va1 = 0.0;          // zone-1 cross-air velocity, cm/s
    double Z2 = 35.0;          // end of zone 2, cm
    double Zone2A1 = 34.1;     // degC*cm
    double Zone2A2 = -8.636;   // cm
    double Zone2A3 = 20.0;     // degC
    double Va2 = 50.0;         // cm/s
    double Z3 = 100.0;         // end of zone 3 (end of the spinline), cm
    double Va3 = 0.0;          // cm/s; zone 3 uses zone 2's air law
    double Eta0 = 2000.0;      // zero-shear viscosity at Tref, poise
    double Tref = 190.0;       // reference temperature, degC
    double Dz = 1.0;           // integration increment, cm
    std::string FileName = "result.txt";
};

struct TRunState {
    double W = 0;                        // mass throughput, g/s
    double VLc = 0;                      // take-up speed, cm/s
    std::int32_t N1 = 0, N2 = 0, N3 = 0; // grid points nearest to Z1, Z2, Z3
    std::int32_t NStep = 0;              // N3 - 1
    double F0 = 0;                       // spinneret tension of the trial being run, dyn
    double DF = 0;                       // tension step while bracketing, dyn
    double Ehi = 0, Fhi = 0; // latest trial that arrived too fast: error cm/s, tension dyn
    double Elo = 0, Flo = 0; // latest trial that arrived too slow
    double Vend = 0;         // velocity at the last point of the latest trial, cm/s
    bool Converged = false;
    std::int32_t TrialCount = 0;
};

using TPointTable = std::array<double, MaxPoints + 1>; // index 0 unused

struct TSpinProfile {
    TPointTable T{};   // filament temperature, degC
    TPointTable D{};   // diameter, cm
    TPointTable RHO{}; // density, g/cm3
    TPointTable CP{};  // specific heat, cal/(g degC)
    TPointTable V{};   // velocity, cm/s
    TPointTable ETA{}; // elongational viscosity, poise
    TPointTable Z{};   // position, cm
    TPointTable F{};   // tension, dyn
    TPointTable H{};   // heat-transfer coefficient, cal/(cm2 s degC)
    TPointTable TA{};  // air temperature, degC
    TPointTable VM{};  // velocity in report units, m/min
};

// One calculation's context. Every routine of the model works on the context
// it is given, so that several runs can go on at once.
struct TRun {
    TRunInput RunInput;
    TRunState RunState;
    TSpinProfile SpinProfile;
};

} // namespace ppspin
