// The result report: its header and rows, written into a file replaced
// whole or not at all.
#pragma once

#include "FileReplacement.h"
#include "ProfileSnapshot.h"
#include "RunRecords.h"

#include <string>
#include <vector>

namespace ppspin {

// Shown by the caller when the report cannot be created.
inline constexpr const char* FileCanNotOpenMessage = "File can not open!";
// Shown by the caller when WriteResultRows cannot reopen the report.
inline constexpr const char* CanNotWriteResultMessage = "Can not write result to file";

// Begins the replacement of the report, the file named by in.FileName, and
// writes the 45 header lines into it, numbers with separator. Returns false,
// having written nothing, when it cannot be created or the file there cannot
// be replaced; throws RunError when a write fails. The report keeps its old
// content until WriteResultRows completes it.
bool WriteReportHeader(const TRunInput& in, char separator, TFileReplacement& report);

// The 45 header lines of a run of in, without line ends.
std::vector<std::string> ReportHeaderTexts(const TRunInput& in, char separator);

// The report row of a point, without its line end.
std::string ResultRow(const TProfilePoint& point, char separator);

// The whole report of a converged run, the bytes WriteReportHeader and
// WriteResultRows write for it.
std::string ReportText(const TProfileSnapshot& profile, char separator);

// Stores VM of every grid point, then appends one row per point and two
// empty lines to the report begun by WriteReportHeader and puts it in place
// of the old one. Returns false, having written nothing, when the report
// cannot be reopened; throws RunError when a write or the replacement fails.
bool WriteResultRows(TRun& run, char separator, TFileReplacement& report);

} // namespace ppspin
