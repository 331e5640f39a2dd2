// ppspin-cli: the spinline calculation without a window, from the same field
// texts, with the same checks, messages and report as the desktop program;
// also parameter studies over one input.
#include "FieldOptions.h"
#include "MiscCalc.h"
#include "Plots.h"
#include "PpspinVersion.h"
#include "ProfileSnapshot.h"
#include "ReadInputs.h"
#include "Report.h"
#include "Sweep.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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
    TFieldTexts Texts;
    std::string Csv, Plot, PlotSize, Sweep, Summary, SummaryPlot, ReportDir;
};

std::string Decimal(double x, int decimals) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

void PrintLine(std::FILE* stream, const std::string& line) {
    std::fputs(line.c_str(), stream);
    std::fputc('\n', stream);
}

std::string Absolute(const std::string& path) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return !file.fail();
}

// One run from the texts; prints the summary or the message.
int RunOnce(const TOptions& o, TPlotSize plotSize) {
    try {
        std::string message;
        if (!ReadInputs(o.Texts, message)) {
            PrintLine(stderr, message);
            return message == FileCanNotOpenMessage ? ExitRunError : ExitRefused;
        }
        SetUpRun();
        RunTrials();
        if (!WriteResultRows()) {
            PrintLine(stderr, CanNotWriteResultMessage);
            return ExitRunError;
        }
    } catch (const RunError& e) {
        PrintLine(stderr, e.what());
        return ExitRunError;
    }
    const TProfileSnapshot profile = TakeProfileSnapshot();
    if (!o.Csv.empty() && !WriteProfileCsv(profile, o.Csv)) {
        PrintLine(stderr, "Can not write CSV file " + o.Csv);
        return ExitRunError;
    }
    std::string error;
    if (!o.Plot.empty() && !PlotProfile(profile, o.Plot, plotSize, error)) {
        PrintLine(stderr, error);
        return ExitRunError;
    }
    PrintLine(stdout, std::to_string(profile.Trials) + " trials, spinneret tension " +
                          Decimal(profile.F0, 4) + " dyn, velocity at the last point " +
                          Decimal(profile.Points.back().VM, 1) + " m/min, report " +
                          Absolute(o.Texts[FieldCount - 1]));
    return ExitOk;
}

// A study: one run per swept value; refusals and run errors are recorded
// in the summary and the study goes on.
int RunStudy(const TOptions& o, TPlotSize plotSize) {
    TSweepRange range;
    std::string message;
    if (!ParseSweepRange(o.Sweep, range, message)) {
        PrintLine(stderr, message);
        return ExitRefused;
    }
    if (!o.ReportDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(o.ReportDir, ec);
        if (ec) {
            PrintLine(stderr, "Can not create report folder " + o.ReportDir);
            return ExitRunError;
        }
    }
    const std::vector<double> values = SweepValues(range);
    const bool progress = isatty(fileno(stderr)) != 0;
    std::vector<TSweepRow> rows;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (progress)
            std::fprintf(stderr, "\r%zu/%zu %s=%s   ", i + 1, values.size(), range.Option->Name,
                         ValueText(values[i]).c_str());
        rows.push_back(RunSweepPoint(o.Texts, range, values[i], o.ReportDir));
    }
    if (progress)
        std::fputc('\n', stderr);

    const std::string summary = SummaryCsv(range.Option->Name, rows);
    if (o.Summary.empty()) {
        std::fputs(summary.c_str(), stdout);
    } else if (!WriteText(o.Summary, summary)) {
        PrintLine(stderr, "Can not write summary file " + o.Summary);
        return ExitRunError;
    }
    std::string error;
    if (!o.SummaryPlot.empty() &&
        !PlotSummary(range.Option->Help, rows, o.SummaryPlot, plotSize, error)) {
        PrintLine(stderr, error);
        return ExitRunError;
    }
    return ExitOk;
}

} // namespace

int main(int argc, char** argv) {
    DecimalSeparator = UserDecimalSeparator();
    TOptions o;
    o.Texts = DefaultFieldTexts(DecimalSeparator);

    CLI::App app{"Melt spinning of a polypropylene filament: computes the spinline and writes "
                 "the report file, as the desktop program ppspin does."};
    app.footer("Numbers are written as in the window's fields, with the locale's decimal "
               "separator.\nExit status: 0 success, 2 input refused, 1 run error (floating-point "
               "fault, no convergence, file failure).");
    app.set_version_flag("--version", std::string("ppspin-cli ") + PpspinVersion);
    // Wide enough that each option stays two spaces from its description,
    // which help2man needs to tell the two apart in the man page.
    app.get_formatter()->column_width(34);
    for (const auto& f : FieldOptions)
        app.add_option(std::string("--") + f.Name, o.Texts[static_cast<std::size_t>(f.Field)],
                       f.Help)
            ->capture_default_str();
    app.add_option("--output", o.Texts[FieldCount - 1], "Result report file")
        ->capture_default_str();
    app.add_option("--csv", o.Csv, "Also write the converged profile as CSV to this file");
    app.add_option("--plot", o.Plot, "Also draw the profile charts into this .png or .svg file");
    app.add_option("--plot-size", o.PlotSize, "Size of --plot and --summary-plot (WxH pixels)")
        ->default_str("1600x1200");
    auto* sweep = app.add_option("--sweep", o.Sweep,
                                 "Study: one run per value of an input, NAME=FROM:TO:STEP with "
                                 "NAME an option above, e.g. take-up-speed=1000:5000:250");
    app.add_option("--summary", o.Summary, "Study summary CSV file (default: standard output)")
        ->needs(sweep);
    app.add_option("--summary-plot", o.SummaryPlot,
                   "Chart of the study summary into this .png or .svg file")
        ->needs(sweep);
    app.add_option("--report-dir", o.ReportDir,
                   "Keep every study run's report in this folder, named by the swept value")
        ->needs(sweep);
    sweep->excludes(app.get_option("--csv"))->excludes(app.get_option("--plot"));
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? ExitOk : ExitRefused;
    }

    TPlotSize plotSize;
    if (!o.PlotSize.empty() && !ParsePlotSize(o.PlotSize, plotSize)) {
        PrintLine(stderr, "Plot size is not correct: expected WxH, e.g. 1600x1200");
        return ExitRefused;
    }
    for (const std::string* plot : {&o.Plot, &o.SummaryPlot}) {
        if (!plot->empty() && !IsPlotFileName(*plot)) {
            PrintLine(stderr, "Plot file name must end in .png or .svg: " + *plot);
            return ExitRefused;
        }
    }
    return o.Sweep.empty() ? RunOnce(o, plotSize) : RunStudy(o, plotSize);
}
