// Studies: a run per value of one input, or per pair of values of two.
#include "Commands.h"
#include "OutputNames.h"
#include "PictureData.h"
#include "Plots.h"
#include "Sweep.h"

#include <cstdio>
#include <filesystem>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace ppspin::cli {

// Refusals and run errors of single points are recorded in the summary and
// the study goes on. Each row is written as soon as it and every earlier one
// are done, so that an interrupted study keeps the rows it finished.
int RunStudy(const TOptions& o, TOutput& out) {
    TStudy study;
    study.Texts = o.Texts;
    study.ReportDir = o.ReportDir;
    study.DecimalSeparator = o.DecimalSeparator;
    study.MaxTrials = o.MaxTrials;
    for (const std::string& sweep : o.Sweeps) {
        TSweepRange range;
        std::string message;
        if (!ParseSweepRange(sweep, o.DecimalSeparator, range, message)) {
            PrintError(message);
            return ExitRefused;
        }
        study.Ranges.push_back(range);
    }
    if (const std::string refusal = StudyRefusal(study); !refusal.empty()) {
        PrintError(refusal);
        return ExitRefused;
    }
    const std::vector<std::vector<double>> points = StudyPoints(study);
    std::vector<TNamedOutput> outputs = {{"--summary", o.Summary},
                                         {"--summary-plot", o.SummaryPlot}};
    if (!o.ReportDir.empty())
        for (const std::vector<double>& point : points)
            outputs.push_back({"--report-dir", ReportPath(study, point)});
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

    TSummaryTarget summary;
    if (!summary.Open(o, out))
        return ExitRunError;
    summary.WriteRow(SummaryHeader(study));
    const bool progress = isatty(fileno(stderr)) != 0;
    std::vector<TSweepRow> rows;
    rows.reserve(points.size());
    bool reportsLost = false;
    RunStudyPoints(study, points, o.Jobs, [&](TSweepRow&& row, std::size_t i) {
        if (progress)
            std::fprintf(stderr, "\r%zu/%zu   ", i + 1, points.size());
        reportsLost = reportsLost || row.Kind == TRunOutcomeKind::FileError;
        const bool written = summary.WriteRow(SummaryRow(row));
        rows.push_back(std::move(row));
        return written;
    });
    if (progress)
        std::fputc('\n', stderr);
    if (!summary.Close())
        return ExitRunError;

    if (!o.SummaryPlot.empty()) {
        std::string error;
        const bool drawn =
            study.Ranges.size() == 1
                ? PlotSummary(SummaryPlotOf(study, rows), o.SummaryPlot, o.PlotSize, error)
                : PlotGridMaps(GridMapsOf(study, rows), o.SummaryPlot, o.PlotSize, error);
        if (!drawn) {
            PrintError(error);
            return ExitRunError;
        }
    }
    if (reportsLost) {
        PrintError("Not every report could be written to " + o.ReportDir +
                   ": see the summary's status column");
        return ExitRunError;
    }
    return ExitOk;
}

} // namespace ppspin::cli
