// Parameter studies: one calculation per value of one editable input.
#pragma once

#include "FieldOptions.h"
#include "FieldTexts.h"
#include "RunCalculation.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ppspin::cli {

// Studies larger than this are refused rather than left running for hours.
inline constexpr int MaxSweepValues = 10000;

struct TSweepRange {
    const TFieldOption* Option = nullptr;
    double From = 0, To = 0, Step = 0;
};

// Reads NAME=FROM:TO:STEP (numbers with the given decimal separator).
// Returns false with a message for an unknown name, a malformed text, FROM
// above TO, a step that is not positive, too many values, or values that
// repeat once rounded.
bool ParseSweepRange(std::string_view text, char separator, TSweepRange& range,
                     std::string& message);

// FROM, FROM + STEP, ... up to TO (TO itself when the steps land on it).
std::vector<double> SweepValues(const TSweepRange& range);

// One value of a study and what its run gave.
struct TSweepRow {
    double Value = 0;
    TRunOutcomeKind Kind = TRunOutcomeKind::Converged;
    std::string Status; // "ok", or the refusal's or the run error's message
    int Trials = 0;
    double F0 = 0;                 // converged spinneret tension, dyn
    double FEnd = 0;               // tension at the last point, dyn
    double VEnd = 0;               // velocity at the last point, m/min
    double DEnd = 0;               // final diameter, um
    double TEnd = 0;               // temperature at the last point, degC
    std::optional<double> ZFreeze; // where the filament first cools below 130 degC, cm
    double TenApEnd = 0;           // TEN(AP) at the last point, g/den
    bool Ok() const { return Kind == TRunOutcomeKind::Converged; }
};

// The field text of a swept value: shortest digits, the given separator.
std::string ValueText(double value, char separator);

// What every value of a study shares.
struct TStudy {
    TFieldTexts Texts; // the fields the study does not sweep
    TSweepRange Range;
    std::string ReportDir; // where each value's report is kept; none when empty
    int MaxTrials = ppspin::MaxTrials;
};

// Runs the calculation on run with the study's texts, the swept field set
// to value. With a report folder, the run's full report is kept there as
// NAME=VALUE.txt.
TSweepRow RunSweepPoint(TRun& run, const TStudy& study, double value);

// The summary table's header line, and the line of one value.
std::string SummaryHeader(std::string_view valueName);
std::string SummaryRow(const TSweepRow& row);

// Where the study keeps the report of a value in reportDir.
std::string ReportPath(const std::string& reportDir, const TSweepRange& range, double value,
                       char separator);

} // namespace ppspin::cli
