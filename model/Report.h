// The result report: number formatting and the two writers of the file.
#pragma once

#include "FileReplacement.h"
#include "RunRecords.h"

#include <string>

namespace ppspin {

// Fixed-point text of x with precision p (2 .. 18 significant digits) and d
// decimals, with the given decimal separator; scientific form when the
// integer part needs more than p digits.
std::string Fixed(double x, int p, int d, char separator);

// Fixed(x, w, d) filled on the left with spaces to w characters; a longer
// text is left as it is (the column widens).
std::string FormatColumn(int w, int d, double x, char separator);

// Tension f (dyn) in grams-force per denier of a filament spun at output
// q (g/min) and running at speed vm (m/min).
double Tenacity(double f, double q, double vm);

// Shown by the caller when the report cannot be created.
inline constexpr const char* FileCanNotOpenMessage = "File can not open!";
// Shown by the caller when WriteResultRows cannot reopen the report.
inline constexpr const char* CanNotWriteResultMessage = "Can not write result to file";

// Begins the replacement of the report, the file named by the run's
// FileName, and writes the 45 header lines into it. Returns false, having
// written nothing, when it cannot be created or the file there cannot be
// replaced; throws RunError when a write fails. The report keeps its old
// content until WriteResultRows completes it.
bool WriteReportHeader(const TRun& run, TFileReplacement& report);

// The report row of point k; stores VM(k) on the way.
std::string ResultRow(TRun& run, int k);

// Appends one row per grid point and two empty lines to the report begun by
// WriteReportHeader, storing VM on the way, and puts it in place of the old
// one. Returns false, having written nothing, when the report cannot be
// reopened; throws RunError when a write or the replacement fails.
bool WriteResultRows(TRun& run, TFileReplacement& report);

} // namespace ppspin
