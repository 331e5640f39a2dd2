// ppspin-cli: the spinline calculation without a window, from the same field
// texts, with the same checks, messages and report as the desktop program;
// also parameter studies over one input.
#include "Arguments.h"
#include "FieldOptions.h"
#include "FieldTexts.h"
#include "Output.h"
#include "OrderedRuns.h"
#include "OutputNames.h"
#include "Plots.h"
#include "PpspinVersion.h"
#include "RunCalculation.h"
#include "Sweep.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

using namespace ppspin;
using namespace ppspin::cli;

constexpr int ExitOk = 0;
constexpr int ExitRunError = 1;
constexpr int ExitRefused = 2;

struct TOptions {
    char DecimalSeparator = '.';
    TFieldTexts Texts;
    std::string Csv, Plot, PlotSizeText, Sweep, Summary, SummaryPlot, ReportDir;
    TPlotSize PlotSize;
    int MaxTrials = ppspin::MaxTrials;
    int Jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    bool Study = false;
};

std::string Decimal(double x, int decimals) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

void PrintError(const std::string& line) {
    std::fputs((line + "\n").c_str(), stderr);
}

std::string Absolute(const std::string& path) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
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

// A run context of its own: the point tables are too large for the stack of
// every thread that may run one.
std::unique_ptr<TRun> NewRun(char separator) {
    auto run = std::make_unique<TRun>();
    run->DecimalSeparator = separator;
    return run;
}

// One run from the texts; prints the summary or the message.
int RunOnce(const TOptions& o, TOutput& out) {
    if (const std::string clash = OutputClash({{"--output", o.Texts[FileNameField]},
                                               {"--csv", o.Csv},
                                               {"--plot", o.Plot}});
        !clash.empty()) {
        PrintError(clash);
        return ExitRefused;
    }
    TRunOptions options;
    options.MaxTrials = o.MaxTrials;
    const TRunOutcome outcome = RunCalculation(*NewRun(o.DecimalSeparator), o.Texts, options);
    if (!outcome.Converged()) {
        PrintError(outcome.Message);
        return ExitStatus(outcome.Kind);
    }
    const TProfileSnapshot& profile = *outcome.Snapshot;
    if (!o.Csv.empty() && !WriteProfileCsv(profile, o.Csv)) {
        PrintError("Can not write CSV file " + o.Csv);
        return ExitRunError;
    }
    std::string error;
    if (!o.Plot.empty() && !PlotProfile(profile, o.Plot, o.PlotSize, error)) {
        PrintError(error);
        return ExitRunError;
    }
    out.WriteLine(std::to_string(profile.Trials) + " trials, spinneret tension " +
                  Decimal(profile.F0, 4) + " dyn, velocity at the last point " +
                  Decimal(profile.Points.back().VM, 1) + " m/min, report " +
                  Absolute(o.Texts[FileNameField]));
    return ExitOk;
}

// A study: one run per swept value; refusals and run errors are recorded
// in the summary and the study goes on. Each row is written as soon as its
// value is done, so that an interrupted study keeps the rows it finished.
int RunStudy(const TOptions& o, TOutput& out) {
    TStudy study;
    study.Texts = o.Texts;
    study.ReportDir = o.ReportDir;
    study.MaxTrials = o.MaxTrials;
    std::string message;
    if (!ParseSweepRange(o.Sweep, o.DecimalSeparator, study.Range, message)) {
        PrintError(message);
        return ExitRefused;
    }
    const std::vector<double> values = SweepValues(study.Range);
    std::vector<TNamedOutput> outputs = {{"--summary", o.Summary},
                                         {"--summary-plot", o.SummaryPlot}};
    if (!o.ReportDir.empty())
        for (double value : values)
            outputs.push_back(
                {"--report-dir", ReportPath(o.ReportDir, study.Range, value, o.DecimalSeparator)});
    if (const std::string clash = OutputClash(outputs); !clash.empty()) {
        PrintError(clash);
        return ExitRefused;
    }
    if (!o.ReportDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(o.ReportDir, ec);
        if (ec) {
            PrintError("Can not create report folder " + o.ReportDir);
            return ExitRunError;
        }
    }

    std::FILE* summaryFile = stdout;
    if (!o.Summary.empty()) {
        summaryFile = std::fopen(o.Summary.c_str(), "wb");
        if (summaryFile == nullptr) {
            PrintError("Can not write summary file " + o.Summary);
            return ExitRunError;
        }
    }
    TOutput fileOut(summaryFile, "summary file " + o.Summary);
    TOutput& summary = o.Summary.empty() ? out : fileOut;
    summary.Write(SummaryHeader(study.Range.Option->Name));
    summary.Flush();

    const bool progress = isatty(fileno(stderr)) != 0;
    std::vector<TSweepRow> rows;
    bool reportsLost = false;
    RunInOrder<TSweepRow>(
        values.size(), o.Jobs, o.DecimalSeparator,
        [&](TRun& run, std::size_t i) { return RunSweepPoint(run, study, values[i]); },
        [&](TSweepRow&& row, std::size_t i) {
            if (progress)
                std::fprintf(stderr, "\r%zu/%zu %s=%s   ", i + 1, values.size(),
                             study.Range.Option->Name,
                             ValueText(values[i], o.DecimalSeparator).c_str());
            reportsLost = reportsLost || row.Kind == TRunOutcomeKind::FileError;
            summary.Write(SummaryRow(row));
            rows.push_back(std::move(row));
            return summary.Flush();
        });
    if (progress)
        std::fputc('\n', stderr);
    if (summaryFile != stdout && std::fclose(summaryFile) != 0 && !fileOut.Failed())
        fileOut.Write(""), PrintError("Can not write summary file " + o.Summary);
    if (fileOut.Failed()) {
        PrintError(fileOut.FailureMessage());
        return ExitRunError;
    }
    if (out.Failed())
        return ExitRunError; // reported once, when the program ends

    std::string error;
    if (!o.SummaryPlot.empty() &&
        !PlotSummary(study.Range.Option->Help, rows, o.SummaryPlot, o.PlotSize, error)) {
        PrintError(error);
        return ExitRunError;
    }
    if (reportsLost) {
        PrintError("Not every report could be written to " + o.ReportDir +
                   ": see the summary's status column");
        return ExitRunError;
    }
    return ExitOk;
}

// Reads the command line into o. Returns -1 to go on, else the exit status.
int ParseCommandLine(int argc, char** argv, TOptions& o, TOutput& out) {
    CLI::App app{"Melt spinning of a polypropylene filament: computes the spinline and writes "
                 "the report file, as the desktop program ppspin does."};
    app.footer("Numbers are written as in the window's fields, with the locale's decimal "
               "separator; --NAME= gives a field an empty text.\n\nExit status: 0 success, 2 "
               "input refused, 1 run error (floating-point fault, no convergence, file "
               "failure).\n\nFiles are replaced whole or not at all: a run that fails leaves an "
               "earlier report as it was.");
    app.set_version_flag("--version", std::string("ppspin-cli ") + PpspinVersion);
    // Wide enough that each option stays two spaces from its description,
    // which help2man needs to tell the two apart in the man page.
    app.get_formatter()->column_width(34);
    for (const auto& f : FieldOptions)
        app.add_option(std::string("--") + f.Name, o.Texts[static_cast<std::size_t>(f.Field)],
                       f.Help)
            ->capture_default_str();
    app.add_option("--output", o.Texts[FileNameField], "Result report file")
        ->capture_default_str();
    app.add_option("--max-trials", o.MaxTrials,
                   "Trials of the tension shooting before a run is given up")
        ->capture_default_str()
        ->check(CLI::Range(1, 1000000));
    app.add_option("--jobs", o.Jobs, "Values of a study run at once (default: every hardware thread)")
        ->check(CLI::Range(1, 1024));
    auto* csv =
        app.add_option("--csv", o.Csv, "Also write the converged profile as CSV to this file");
    auto* plot =
        app.add_option("--plot", o.Plot, "Also draw the profile charts into this .png or .svg file");
    auto* plotSize =
        app.add_option("--plot-size", o.PlotSizeText, "Size of --plot and --summary-plot (WxH pixels)")
            ->default_str("1600x1200");
    auto* sweep = app.add_option("--sweep", o.Sweep,
                                 "Study: one run per value of an input, NAME=FROM:TO:STEP with "
                                 "NAME an option above, e.g. take-up-speed=1000:5000:250");
    auto* summary =
        app.add_option("--summary", o.Summary, "Study summary CSV file (default: standard output)")
            ->needs(sweep);
    auto* summaryPlot = app.add_option("--summary-plot", o.SummaryPlot,
                                       "Chart of the study summary into this .png or .svg file")
                            ->needs(sweep);
    auto* reportDir =
        app.add_option("--report-dir", o.ReportDir,
                       "Keep every study run's report in this folder, named by the swept value")
            ->needs(sweep);
    sweep->excludes(csv)->excludes(plot);

    std::set<std::string> valueOptions;
    for (const CLI::Option* option : app.get_options())
        if (option->get_expected_min() > 0)
            for (const std::string& name : option->get_lnames())
                valueOptions.insert(name);
    std::vector<std::string> args(argv + 1, argv + argc), normalised;
    std::string message;
    if (!NormaliseArguments(args, valueOptions, normalised, message)) {
        PrintError(message);
        return ExitRefused;
    }
    try {
        std::reverse(normalised.begin(), normalised.end()); // as CLI11 takes a vector
        app.parse(normalised);
    } catch (const CLI::ParseError& e) {
        std::ostringstream help, error;
        const int status = app.exit(e, help, error);
        out.Write(help.str());
        std::fputs(error.str().c_str(), stderr);
        return status == 0 ? ExitOk : ExitRefused;
    }

    // Given but empty, a file name names nothing.
    for (CLI::Option* option : {csv, plot, summary, summaryPlot, reportDir}) {
        if (option->count() > 0 && option->as<std::string>().empty()) {
            PrintError(option->get_name() + ": the file name is empty");
            return ExitRefused;
        }
    }
    o.Study = sweep->count() > 0;
    if (plotSize->count() > 0 && !ParsePlotSize(o.PlotSizeText, o.PlotSize)) {
        PrintError("Plot size is not correct: expected WxH, e.g. 1600x1200");
        return ExitRefused;
    }
    for (const std::string* file : {&o.Plot, &o.SummaryPlot}) {
        if (!file->empty() && !IsPlotFileName(*file)) {
            PrintError("Plot file name must end in .png or .svg: " + *file);
            return ExitRefused;
        }
    }
    // A picture that cannot be drawn is known before any run.
    if (!o.Plot.empty() || !o.SummaryPlot.empty()) {
        std::string error;
        if (!LoadPlots(error)) {
            PrintError(error);
            return ExitRunError;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    TOptions o;
    o.DecimalSeparator = UserDecimalSeparator();
    o.Texts = DefaultFieldTexts(o.DecimalSeparator);
    TOutput out(stdout, "standard output");

    int status = ParseCommandLine(argc, argv, o, out);
    if (status < 0)
        status = o.Study ? RunStudy(o, out) : RunOnce(o, out);
    ReleasePlots();
    // What a script reads must be complete, or the status must say it is not.
    if (!out.Flush() || out.Failed()) {
        PrintError(out.FailureMessage());
        return ExitRunError;
    }
    return status;
}
