// What ppspin-cli does, one function a command, on the options it read.
#pragma once

#include "FieldTexts.h"
#include "Measured.h"
#include "Output.h"
#include "PlotOptions.h"
#include "RunCalculation.h"
#include "SummaryTarget.h"

#include <memory>
#include <string>
#include <vector>

namespace ppspin::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitRunError = 1;
inline constexpr int ExitRefused = 2;

struct TOptions {
    char DecimalSeparator = '.';
    TFieldTexts Texts;
    std::string Csv, Plot, Summary, SummaryPlot, ReportDir;
    std::vector<std::string> Sweeps; // one, or two for a grid
    std::string Solve, Target, Bracket;
    std::string InputsFrom;             // a report whose inputs the run starts from
    std::string Measured, ResidualPlot; // measured points, and their residuals' chart
    std::string Fit;                    // NAME[,NAME...]
    std::vector<std::string> FitBounds; // NAME=LO:HI each
    int MaxRuns = 2000;
    bool Sensitivity = false;
    TPlotSize PlotSize;
    int MaxTrials = ppspin::MaxTrials;
    int Jobs = 1;
};

// One run from the texts: the report, the summary line or the message;
// with measured points, their RMS differences from the run after it.
int RunOnce(const TOptions& o, TOutput& out);
// The same with the measured points already read, or none.
int RunSingle(const TOptions& o, const TMeasuredData* measured, TOutput& out);
// Why a single run's files cannot be written as named; empty when they can.
std::string SingleRunClash(const TOptions& o);
// A study over one input, or a grid over two.
int RunStudy(const TOptions& o, TOutput& out);
// Goal seeking, then a single run at the value found.
int RunSolve(TOptions o, TOutput& out);
// The elasticity of every output to every editable input.
int RunSensitivity(const TOptions& o, TOutput& out);
// Fitting inputs to the measured points, then a single run at the values found.
int RunFit(TOptions o, TOutput& out);

// Reads the --measured file and checks that its points lie on the spinline
// of the texts. -1 to go on, else the exit status, the message printed.
int ReadMeasuredOption(const TOptions& o, TMeasuredData& data);
// "rms D_um 0.84 (12 points)"; with before, "rms D_um 1.3 -> 0.84 (12 points)".
std::string RmsLine(const TQuantityComparison& after, const TQuantityComparison* before = nullptr);

// "LO:HI" as two numbers written with separator; false when it is not.
bool ParseInterval(const std::string& text, char separator, double& lo, double& hi);

void PrintError(const std::string& line);
int ExitStatus(TRunOutcomeKind kind);

// How the options have a single run made.
TRunOptions RunOptions(const TOptions& o);

} // namespace ppspin::cli
