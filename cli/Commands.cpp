#include "Commands.h"

#include "NumberText.h"
#include "OutputNames.h"
#include "Plots.h"
#include "ProfileCsv.h"
#include "Report.h"
#include "ReportedRun.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace ppspin::cli {

namespace {

std::string Absolute(const std::string& path) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}

// text with the temporary file's name given as the target's, which is the
// one the user knows.
std::string Renamed(std::string text, const std::string& temporary, const std::string& target) {
    for (auto at = text.find(temporary); at != std::string::npos;
         at = text.find(temporary, at + target.size()))
        text.replace(at, temporary.size(), target);
    return text;
}

// Completes every file first, so that a write that fails publishes none of
// them, then publishes them in turn. Renames of several files cannot be one
// step: when one fails, those before it stay published. Null entries are
// files not asked for.
bool PublishTogether(const std::vector<TFileReplacement*>& files) {
    std::string reason;
    for (bool publish : {false, true}) {
        for (TFileReplacement* file : files) {
            if (file != nullptr && !(publish ? file->Publish(reason) : file->Complete(reason))) {
                PrintError(CanNotWriteToFileMessage(file->Target(), reason));
                return false;
            }
        }
    }
    return true;
}

} // namespace

void PrintError(const std::string& line) {
    // Whole, whatever bytes it holds: a NUL would end fputs early.
    const std::string text = line + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
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
    // Every file of the run is begun, and so checked, before the
    // calculation, and each is published only once all are written.
    TFileReplacement report(o.Texts[FileNameField]);
    std::optional<TFileReplacement> csv, plot, residualPlot;
    TRunFiles files{&report, {}};
    for (auto [path, file] : {std::pair(&o.Csv, &csv), std::pair(&o.Plot, &plot),
                              std::pair(&o.ResidualPlot, &residualPlot)})
        if (!path->empty())
            files.Outputs.push_back(&file->emplace(*path));
    // On the heap: the point tables are large for a stack.
    const TRunOutcome outcome =
        RunWithFiles(*std::make_unique<TRun>(), o.Texts, RunOptions(o), files);
    if (!outcome.Converged()) {
        PrintError(outcome.Message);
        return ExitStatus(outcome.Kind);
    }
    const TProfileSnapshot& profile = *outcome.Snapshot;
    if (csv)
        csv->Write(ProfileCsv(profile)); // a failure shows when it is completed
    TProfilePicture picture{&profile, {}};
    TComparison comparison;
    if (measured) {
        picture.Markers = MeasuredMarkers(*measured);
        comparison = Compare(profile, *measured);
    }
    if (std::string error;
        plot && !PlotProfile(picture, plot->TemporaryPath(), o.PlotSize, error)) {
        PrintError(Renamed(error, plot->TemporaryPath(), o.Plot));
        return ExitRunError;
    }
    if (std::string error;
        residualPlot && !PlotResiduals(ResidualPlotOf(comparison, profile.Input.Z3),
                                       residualPlot->TemporaryPath(), o.PlotSize, error)) {
        PrintError(Renamed(error, residualPlot->TemporaryPath(), o.ResidualPlot));
        return ExitRunError;
    }
    if (!PublishTogether({&report, csv ? &*csv : nullptr, plot ? &*plot : nullptr,
                          residualPlot ? &*residualPlot : nullptr}))
        return ExitRunError;
    out.WriteLine(std::to_string(profile.Trials) + " trials, spinneret tension " +
                  DecimalText(profile.F0, 4) + " dyn, velocity at the last point " +
                  DecimalText(profile.Points.back().VM, 1) + " m/min, report " +
                  Absolute(o.Texts[FileNameField]));
    for (const TQuantityComparison& quantity : comparison)
        out.WriteLine(RmsLine(quantity));
    return ExitOk;
}

} // namespace ppspin::cli
