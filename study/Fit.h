// Fitting inputs to measured points: the values of 1 to 6 editable inputs,
// within bounds, that minimise the sum of squared weighted residuals (see
// ResidualScales), the other inputs as they are. The search is NLopt's
// BOBYQA, derivative-free: the shooting leaves every output noisy at the
// 0.1 % level, which misleads finite differences.
#pragma once

#include "AdjustTension.h"
#include "FieldTexts.h"
#include "FitStatistics.h"
#include "InputCatalogue.h"
#include "Measured.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ppspin {

inline constexpr int MaxFitInputs = 6;

struct TFitInput {
    const TInputField* Input = nullptr; // an editable input
    // Where its value may go; without them, see FitBounds.
    std::optional<std::pair<double, double>> Bounds;
};

struct TFitProgress {
    int Runs = 0;         // calculations made so far
    double Objective = 0; // the least sum of squared weighted residuals so far
};

struct TFitSetup {
    std::vector<TFitInput> Inputs;
    char DecimalSeparator = '.'; // of the texts
    int MaxTrials = ppspin::MaxTrials;
    int MaxRuns = 2000; // of the search, the run at the start included
    int Jobs = 1;       // runs of the Jacobian made at once
    // Set from any thread, it ends the fit before its next run.
    const std::atomic<bool>* Cancel = nullptr;
    // Called after every run of the search, the start's included, on the
    // fit's thread.
    std::function<void(const TFitProgress&)> Progress;
    // How refusals and warnings name an input; its option name without one.
    std::function<std::string(const TInputField&)> InputName;
};

enum class TFitEnd {
    Converged,
    RunLimit,    // the search used its runs without converging
    Refused,     // the inputs, their bounds or the texts they start from
    StartFailed, // the run at the starting values failed
    Failed,      // the search itself failed
    Cancelled,
};

struct TFittedInput {
    const TInputField* Input = nullptr;
    double Start = 0, Value = 0;
    double Lo = 0, Hi = 0; // the bounds searched
    // Approximate, from the Jacobian at the optimum; none when the points
    // do not determine it, or when the fit did not converge.
    std::optional<double> StandardError;
    // The value to as many significant digits as its standard error
    // warrants (two of the error's), 6 without one: what a field should show.
    std::string Text;
};

struct TFitResult {
    TFitEnd End = TFitEnd::Converged;
    std::string Message;               // why it did not converge
    std::vector<TFittedInput> Inputs;  // in the setup's order
    TComparison Before, After;         // at the start, and at the values found
    int Runs = 0;                      // calculations made, the Jacobian's included
    int FailedRuns = 0;                // of them, those that did not converge (penalised)
    std::vector<std::string> Warnings; // see FitStatistics
    // Of the inputs, in the setup's order; empty when the fit did not converge.
    std::vector<std::vector<std::optional<double>>> Covariance;
};

// The bounds of an input without given ones: a factor of ten either way of
// a positive start (down to a tenth of it where the domain is positive, to
// 0 where it is non-negative); ten times its magnitude either way for a
// free input. None for a start of 0, which gives no scale.
std::optional<std::pair<double, double>> FitBounds(const TInputField& input, double start);

// Why the setup cannot start from texts; empty when it can.
std::string FitRefusal(const TFieldTexts& texts, const TFitSetup& setup);

// Fits the setup's inputs to data, computing in memory (no file is touched),
// the other fields' texts as in texts, read with the setup's separator.
// The data's points must lie on the spinline of the texts (see
// MeasuredRangeRefusal); runs whose spinline ends before a point count as
// failed.
TFitResult FitMeasured(const TFieldTexts& texts, const TMeasuredData& data, const TFitSetup& setup);

} // namespace ppspin
