#include "CommandLine.h"

#include "Arguments.h"
#include "InputCatalogue.h"
#include "NumberText.h"
#include "Plots.h"
#include "PpspinVersion.h"
#include "ReportCaseFile.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <sstream>
#include <string>
#include <thread>

namespace ppspin::cli {

namespace {

// The options whose presence decides what runs or needs checking after
// the parse.
struct TDeclared {
    CLI::Option *InputsFrom, *Csv, *Plot, *PlotSize, *Sweep, *Solve, *Sensitivity, *Summary,
        *SummaryPlot, *ReportDir, *Measured, *ResidualPlot, *Fit;
    std::string PlotSizeText;
};

// A count: decimal digits only, from lo to hi, with one message for any
// text refused. CLI11's own reading would take a sign, spaces, 0x10 as
// sixteen or 010 as eight, so the text handed on to it is the count's own.
CLI::Validator Count(int lo, int hi) {
    const std::string range = DecimalText(lo, 0) + " to " + DecimalText(hi, 0);
    return CLI::Validator(
        [lo, hi, range](std::string& text) {
            int value = 0;
            const bool digits = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
                return c >= '0' && c <= '9';
            });
            if (!digits || !ReadInteger(text, value) || value < lo || value > hi)
                return "Value " + text + " is not a whole number from " + range;
            text = DecimalText(value, 0);
            return std::string();
        },
        "INT in [" + DecimalText(lo, 0) + " - " + DecimalText(hi, 0) + "]");
}

void DeclareOptions(CLI::App& app, TOptions& o, TDeclared& d) {
    app.footer("Numbers are written as in the window's fields, with the locale's decimal "
               "separator; --NAME= gives a field an empty text.\n\nExit status: 0 success, 2 "
               "input refused, 1 run error (floating-point fault, no convergence, file "
               "failure).\n\nFiles are replaced whole or not at all: a run that fails leaves an "
               "earlier report as it was.");
    app.set_version_flag("--version", std::string("ppspin-cli ") + PpspinVersion);
    // Wide enough that each option stays two spaces from its description,
    // which help2man needs to tell the two apart in the man page.
    app.get_formatter()->column_width(34);
    for (const TInputField& input : EditableInputs())
        app.add_option(std::string("--") + input.Name,
                       o.Texts[static_cast<std::size_t>(input.Field)], HelpText(input))
            ->capture_default_str();
    const TInputField& fileName = InputField(FileNameField);
    app.add_option(std::string("--") + fileName.Name, o.Texts[FileNameField], HelpText(fileName))
        ->capture_default_str();
    d.InputsFrom = app.add_option(
        "--inputs-from", o.InputsFrom,
        "Start from the inputs in this report's header (as printed there); the input options "
        "given override single inputs");
    app.add_option("--max-trials", o.MaxTrials,
                   "Trials of the tension shooting before a run is given up")
        ->capture_default_str()
        ->transform(Count(1, 1000000));
    o.Jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    app.add_option("--jobs", o.Jobs,
                   "Runs of a study or of sensitivities made at once (default: every hardware "
                   "thread)")
        ->transform(Count(1, 1024));
    d.Csv = app.add_option("--csv", o.Csv, "Also write the converged profile as CSV to this file");
    d.Plot = app.add_option("--plot", o.Plot,
                            "Also draw the profile charts into this .png or .svg file");
    d.PlotSize = app.add_option("--plot-size", d.PlotSizeText,
                                "Size of --plot and --summary-plot (WxH pixels)")
                     ->default_str("1600x1200");
    d.Sweep = app.add_option("--sweep", o.Sweeps,
                             "Study: one run per value of an input, NAME=FROM:TO:STEP with "
                             "NAME an option above, e.g. take-up-speed=1000:5000:250; given "
                             "twice, one run per pair of values (a grid)")
                  ->expected(1)
                  ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    d.Solve = app.add_option("--solve", o.Solve,
                             "Goal seek: the value of this input (an option name above) for "
                             "which --target holds; then a single run at it");
    auto* target = app.add_option("--target", o.Target,
                                  "OUTPUT=VALUE, OUTPUT a numeric column of the study summary, "
                                  "e.g. D_end_um=20")
                       ->needs(d.Solve);
    d.Solve->needs(target);
    app.add_option("--bracket", o.Bracket,
                   "LO:HI, where --solve looks (default: widening from the input's value)")
        ->needs(d.Solve);
    d.Sensitivity = app.add_flag("--sensitivity", o.Sensitivity,
                                 "The elasticity of each output to each editable input at "
                                 "the current values, as CSV");
    d.Summary =
        app.add_option("--summary", o.Summary,
                       "CSV file of a study or of the sensitivities (default: standard output), "
                       "replaced once every row is written; until then the rows go to "
                       "FILE.partial as they complete");
    d.SummaryPlot = app.add_option("--summary-plot", o.SummaryPlot,
                                   "Chart of a study (heat maps for a grid) or tornado chart of "
                                   "the sensitivities into this .png or .svg file");
    d.ReportDir =
        app.add_option("--report-dir", o.ReportDir,
                       "Keep every study run's report in this folder, named by the swept value")
            ->needs(d.Sweep);
    d.Measured = app.add_option("--measured", o.Measured,
                                "CSV file of measured points: z_cm and any of v_m_min, F_dyn, "
                                "T_C, D_cm or D_um, each with an optional sigma_ column; prints "
                                "the run's RMS difference from them and marks them on --plot");
    d.ResidualPlot = app.add_option("--residual-plot", o.ResidualPlot,
                                    "Also draw measured minus model against z into this .png or "
                                    ".svg file")
                         ->needs(d.Measured);
    d.Fit = app.add_option("--fit", o.Fit,
                           "Fit: adjust these inputs, NAME[,NAME...] with 1 to 6 option names "
                           "above, to the --measured points; then a single run at the values "
                           "found")
                ->needs(d.Measured);
    app.add_option("--fit-bounds", o.FitBounds,
                   "NAME=LO:HI, where --fit may take NAME (default: a tenth to 10 times its "
                   "value; from 0 for an air velocity; its value +-10 times its size for an "
                   "air-law coefficient)")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->needs(d.Fit);
    app.add_option("--max-runs", o.MaxRuns, "Runs a fit may make before it stops unconverged")
        ->capture_default_str()
        ->transform(Count(1, 1000000))
        ->needs(d.Fit);
    d.Sweep->excludes(d.Csv)->excludes(d.Plot)->excludes(d.Solve)->excludes(d.Sensitivity);
    d.Sensitivity->excludes(d.Csv)->excludes(d.Plot)->excludes(d.Solve);
    d.Measured->excludes(d.Sweep)->excludes(d.Sensitivity);
    d.Fit->excludes(d.Solve);
}

// The words of the command line through CLI11. -1 when they parsed, else
// the exit status, with help, the version or the refusal written.
int Parse(CLI::App& app, int argc, char** argv, TOutput& out) {
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
    return -1;
}

// Given but empty, a file name names nothing. -1 when none is, else the
// exit status.
int RefuseEmptyFileNames(const TDeclared& d) {
    for (CLI::Option* option : {d.InputsFrom, d.Csv, d.Plot, d.Summary, d.SummaryPlot, d.ReportDir,
                                d.Measured, d.ResidualPlot}) {
        if (option->count() > 0 && option->as<std::string>().empty()) {
            PrintError(option->get_name() + ": the file name is empty");
            return ExitRefused;
        }
    }
    return -1;
}

// The inputs of the --inputs-from report, where no option of their own
// overrides them. -1 to go on, else the exit status.
int MergeInputsFrom(const CLI::App& app, TOptions& o) {
    TFieldTexts fromReport = o.Texts;
    std::string message;
    switch (ReadReportFile(o.InputsFrom, o.DecimalSeparator, fromReport, message)) {
    case TCaseRead::Read:
        break;
    case TCaseRead::Unreadable:
        PrintError("Can not read report " + o.InputsFrom);
        return ExitRefused;
    case TCaseRead::Refused:
        PrintError(o.InputsFrom + ": " + message);
        return ExitRefused;
    }
    for (const TInputField& input : EditableInputs())
        if (app.count(std::string("--") + input.Name) == 0)
            o.Texts[static_cast<std::size_t>(input.Field)] =
                fromReport[static_cast<std::size_t>(input.Field)];
    return -1;
}

// The command the options ask for, and what they ask of it that cannot be
// done. -1 to go on, else the exit status.
int Validate(TDeclared& d, TOptions& o, TCommand& command) {
    command = d.Sweep->count() > 0   ? TCommand::Study
              : d.Solve->count() > 0 ? TCommand::Solve
              : d.Fit->count() > 0   ? TCommand::Fit
              : o.Sensitivity        ? TCommand::Sensitivity
                                     : TCommand::Single;
    if (o.Sweeps.size() > 2) {
        PrintError("--sweep: at most two inputs, for a grid");
        return ExitRefused;
    }
    if ((d.Summary->count() > 0 || d.SummaryPlot->count() > 0) &&
        (command == TCommand::Single || command == TCommand::Solve || command == TCommand::Fit)) {
        PrintError("--summary and --summary-plot need --sweep or --sensitivity");
        return ExitRefused;
    }
    if (d.PlotSize->count() > 0 && !ParsePlotSize(d.PlotSizeText, o.PlotSize)) {
        PrintError("Plot size is not correct: expected WxH, e.g. 1600x1200");
        return ExitRefused;
    }
    for (const std::string* file : {&o.Plot, &o.SummaryPlot, &o.ResidualPlot}) {
        const std::string refusal = file->empty() ? "" : PlotFileNameRefusal(*file);
        if (!refusal.empty()) {
            PrintError(refusal);
            return ExitRefused;
        }
    }
    // A picture that cannot be drawn is known before any run.
    if (!o.Plot.empty() || !o.SummaryPlot.empty() || !o.ResidualPlot.empty()) {
        std::string error;
        if (!LoadPlots(error)) {
            PrintError(error);
            return ExitRunError;
        }
    }
    return -1;
}

} // namespace

int ParseCommandLine(int argc, char** argv, TOptions& o, TCommand& command, TOutput& out) {
    CLI::App app{"Melt spinning of a polypropylene filament: computes the spinline and writes "
                 "the report file, as the desktop program ppspin does.",
                 "ppspin-cli"};
    TDeclared declared{};
    DeclareOptions(app, o, declared);
    if (const int status = Parse(app, argc, argv, out); status >= 0)
        return status;
    if (const int status = RefuseEmptyFileNames(declared); status >= 0)
        return status;
    if (declared.InputsFrom->count() > 0)
        if (const int status = MergeInputsFrom(app, o); status >= 0)
            return status;
    return Validate(declared, o, command);
}

} // namespace ppspin::cli
