#include "Commands.h"

#include "OutputNames.h"
#include "Plots.h"
#include "ProfileCsv.h"

#include <charconv>
#include <cstdio>
#include <filesystem>

namespace ppspin::cli {

namespace {

std::string Decimal(double x, int decimals) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

std::string Absolute(const std::string& path) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}

} // namespace

void PrintError(const std::string& line) {
    std::fputs((line + "\n").c_str(), stderr);
}

int ExitStatus(TRunOutcomeKind kind) {
    switch (kind) {
    case TRunOutcomeKind::Converged:
        return ExitOk;
    case TRunOutcomeKind::Refused:
        return ExitRefused;
    default:
        return ExitRunError;
    }
}

TRunOptions RunOptions(const TOptions& o) {
    TRunOptions options;
    options.DecimalSeparator = o.DecimalSeparator;
    options.MaxTrials = o.MaxTrials;
    return options;
}

bool TSummaryTarget::Open(const TOptions& o, TOutput& out) {
    stream_ = &out;
    if (o.Summary.empty())
        return true;
    // Not replaced whole: it grows row by row, so that a long study can be
    // watched and an interrupted one keeps its finished rows.
    std::FILE* file = std::fopen(o.Summary.c_str(), "wb");
    if (file == nullptr) {
        PrintError("Can not write summary file " + o.Summary);
        return false;
    }
    file_ = std::make_unique<TOutput>(file, "summary file " + o.Summary);
    stream_ = file_.get();
    return true;
}

bool TSummaryTarget::Close() {
    if (!file_)
        return !stream_->Failed();
    if (file_->Close())
        return true;
    PrintError(file_->FailureMessage());
    return false;
}

int RunOnce(const TOptions& o, TOutput& out) {
    if (o.Measured.empty())
        return RunSingle(o, nullptr, out);
    TMeasuredData measured;
    if (const int status = ReadMeasuredOption(o, measured); status >= 0)
        return status;
    return RunSingle(o, &measured, out);
}

std::string SingleRunClash(const TOptions& o) {
    const std::vector<TNamedOutput> outputs = {{"--output", o.Texts[FileNameField]},
                                               {"--csv", o.Csv},
                                               {"--plot", o.Plot},
                                               {"--residual-plot", o.ResidualPlot}};
    if (std::string clash = OutputClash(outputs); !clash.empty())
        return clash;
    return InputClash({"--measured", o.Measured}, outputs);
}

int RunSingle(const TOptions& o, const TMeasuredData* measured, TOutput& out) {
    if (const std::string clash = SingleRunClash(o); !clash.empty()) {
        PrintError(clash);
        return ExitRefused;
    }
    // On the heap: the point tables are large for a stack.
    const TRunOutcome outcome = RunCalculation(*std::make_unique<TRun>(), o.Texts, RunOptions(o));
    if (!outcome.Converged()) {
        PrintError(outcome.Message);
        return ExitStatus(outcome.Kind);
    }
    const TProfileSnapshot& profile = *outcome.Snapshot;
    if (!o.Csv.empty() && !WriteProfileCsv(profile, o.Csv)) {
        PrintError("Can not write CSV file " + o.Csv);
        return ExitRunError;
    }
    TProfilePicture picture{&profile, {}};
    TComparison comparison;
    if (measured) {
        picture.Markers = MeasuredMarkers(*measured);
        comparison = Compare(profile, *measured);
    }
    std::string error;
    if (!o.Plot.empty() && !PlotProfile(picture, o.Plot, o.PlotSize, error)) {
        PrintError(error);
        return ExitRunError;
    }
    if (!o.ResidualPlot.empty() && !PlotResiduals(ResidualPlotOf(comparison, profile.Input.Z3),
                                                  o.ResidualPlot, o.PlotSize, error)) {
        PrintError(error);
        return ExitRunError;
    }
    out.WriteLine(std::to_string(profile.Trials) + " trials, spinneret tension " +
                  Decimal(profile.F0, 4) + " dyn, velocity at the last point " +
                  Decimal(profile.Points.back().VM, 1) + " m/min, report " +
                  Absolute(o.Texts[FileNameField]));
    for (const TQuantityComparison& quantity : comparison)
        out.WriteLine(RmsLine(quantity));
    return ExitOk;
}

} // namespace ppspin::cli
