// Parameter studies: one calculation per value of one editable input, or
// per pair of values of two (a grid).
#pragma once

#include "FieldTexts.h"
#include "InputCatalogue.h"
#include "RunCalculation.h"
#include "RunOutputs.h"

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ppspin {

// Studies larger than these are refused rather than left running for hours.
inline constexpr int MaxSweepValues = 10000;
inline constexpr std::size_t MaxGridCells = 250000;

struct TSweepRange {
    const TInputField* Input = nullptr;
    double From = 0, To = 0, Step = 0;
};

// Reads NAME=FROM:TO:STEP (numbers with the given decimal separator).
// Returns false with a message for an unknown name, a malformed text, FROM
// above TO, a step that is not positive, too many values, or values that
// repeat once rounded.
bool ParseSweepRange(std::string_view text, char separator, TSweepRange& range,
                     std::string& message);

// The checks of a range whose numbers are read: FROM above TO, a step that is
// not positive, too many values, or values that repeat once rounded. False
// with the message ParseSweepRange gives.
bool CheckSweepRange(const TSweepRange& range, std::string& message);

// FROM, FROM + STEP, ... up to TO (TO itself when the steps land on it).
std::vector<double> SweepValues(const TSweepRange& range);

// What every value of a study shares.
struct TStudy {
    TFieldTexts Texts;               // the fields the study does not sweep
    std::vector<TSweepRange> Ranges; // one input, or two for a grid
    std::string ReportDir;           // where each value's report is kept; none when empty
    char DecimalSeparator = '.';     // of the texts, and of the reports kept
    int MaxTrials = ppspin::MaxTrials;
    // Set from any thread, it stops the runs in progress (their rows say
    // so); the caller's deliver stops the study.
    const std::atomic<bool>* Cancel = nullptr;
};

// Why the study cannot run: a grid of one input twice, or more points than
// MaxGridCells. Empty when it can.
std::string StudyRefusal(const TStudy& study);

// The study's points: one value per range, the first range varying slowest.
std::vector<std::vector<double>> StudyPoints(const TStudy& study);

// One point of a study and what its run gave.
struct TSweepRow {
    std::vector<double> Values; // one per range
    TRunOutcomeKind Kind = TRunOutcomeKind::Converged;
    std::string Status; // "ok", or the refusal's or the run error's message
    TRunOutputs Outputs;
    bool Ok() const { return Kind == TRunOutcomeKind::Converged; }
};

// The row of a run of the point values: "ok" and its outputs, or the
// message it ended with.
TSweepRow RowOf(const TRunOutcome& outcome, std::vector<double> values);

// Runs the calculation on run with the study's texts, each swept field set
// to its value. With a report folder, the run's full report is kept there as
// NAME=VALUE.txt (NAME1=VALUE1,NAME2=VALUE2.txt for a grid).
TSweepRow RunSweepPoint(TRun& run, const TStudy& study, const std::vector<double>& values);

// Where the study keeps the report of a point in its report folder.
std::string ReportPath(const TStudy& study, const std::vector<double>& values);

// Runs every point of the study on jobs threads, each on a run context of
// its own, and hands each row to deliver(row, index) in the points' order as
// soon as it and every one before it are done. Once deliver returns false
// no further point is started.
void RunStudyPoints(const TStudy& study, const std::vector<std::vector<double>>& points, int jobs,
                    const std::function<bool(TSweepRow&&, std::size_t)>& deliver);

// The summary table's header line, and the line of one point: the swept
// values, then the status and the outputs.
std::string SummaryHeader(const TStudy& study);
std::string SummaryRow(const TSweepRow& row);
// The whole table of the rows done, in the points' order.
std::string SummaryText(const TStudy& study, const std::vector<TSweepRow>& rows);

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string CsvField(std::string_view text);

} // namespace ppspin
