// Fitting inputs to measured points, then a single run at the values found.
#include "Fit.h"
#include "Commands.h"
#include "NumberText.h"
#include "QuotedText.h"

#include <algorithm>

namespace ppspin::cli {

namespace {

// The inputs of --fit and the bounds of --fit-bounds.
bool ParseFit(const TOptions& o, TFitSetup& setup, std::string& message) {
    for (std::size_t from = 0;;) {
        const auto comma = o.Fit.find(',', from);
        const std::string name = o.Fit.substr(from, comma - from);
        const TInputField* input = FindEditableInput(name);
        if (input == nullptr) {
            message = "Unknown input to fit: " + QuotedText(name);
            return false;
        }
        setup.Inputs.push_back({input, std::nullopt});
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
    for (const std::string& bounds : o.FitBounds) {
        const auto equals = bounds.find('=');
        const std::string name = bounds.substr(0, std::min(equals, bounds.size()));
        const auto fitted = std::find_if(setup.Inputs.begin(), setup.Inputs.end(),
                                         [&](const TFitInput& f) { return name == f.Input->Name; });
        double lo = 0, hi = 0;
        if (equals == std::string::npos || fitted == setup.Inputs.end() ||
            !ParseInterval(bounds.substr(equals + 1), o.DecimalSeparator, lo, hi)) {
            message = "Fit bounds are not correct: expected NAME=LO:HI with NAME an input of --fit";
            return false;
        }
        fitted->Bounds = std::pair(lo, hi);
    }
    setup.DecimalSeparator = o.DecimalSeparator;
    setup.MaxTrials = o.MaxTrials;
    setup.MaxRuns = o.MaxRuns;
    setup.Jobs = o.Jobs;
    return true;
}

} // namespace

int RunFit(TOptions o, TOutput& out) {
    TFitSetup setup;
    std::string message;
    if (!ParseFit(o, setup, message)) {
        PrintError(message);
        return ExitRefused;
    }
    if (const std::string clash = SingleRunClash(o); !clash.empty()) {
        PrintError(clash);
        return ExitRefused;
    }
    TMeasuredData measured;
    if (const int status = ReadMeasuredOption(o, measured); status >= 0)
        return status;
    const TFitResult fit = FitMeasured(o.Texts, measured, setup);
    switch (fit.End) {
    case TFitEnd::Converged:
    case TFitEnd::RunLimit:
        break;
    case TFitEnd::Refused:
        PrintError(fit.Message);
        return ExitRefused;
    case TFitEnd::StartFailed:
    case TFitEnd::Failed:
    case TFitEnd::Cancelled:
        PrintError(fit.Message);
        return ExitRunError;
    }
    // The values first, in full, as scripts read them.
    for (const TFittedInput& input : fit.Inputs) {
        const std::string text = NumberText(input.Value, o.DecimalSeparator);
        out.WriteLine(std::string(input.Input->Name) + "=" + text);
        o.Texts[static_cast<std::size_t>(input.Input->Field)] = text;
    }
    for (std::size_t q = 0; q < fit.After.size(); ++q)
        out.WriteLine(RmsLine(fit.After[q], &fit.Before[q]));
    out.WriteLine(std::to_string(fit.Runs) + " runs, " + std::to_string(fit.FailedRuns) +
                  " failed");
    if (fit.End == TFitEnd::RunLimit) {
        PrintError(fit.Message);
        return ExitRunError;
    }
    for (const TFittedInput& input : fit.Inputs)
        out.WriteLine("standard error " + std::string(input.Input->Name) + " " +
                      (input.StandardError ? SignificantText(*input.StandardError, 3, '.')
                                           : std::string("undetermined")));
    out.Flush();
    for (const std::string& warning : fit.Warnings)
        PrintError("Warning: " + warning);
    // The values found run as any single run does: report, summary, status.
    return RunSingle(o, &measured, out);
}

} // namespace ppspin::cli
