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
// Shown by the caller when WriteResultRows finds no report begun.
inline constexpr const char* CanNotWriteResultMessage = "Can not write result to file";
// Shown when a write, a flush, a close or the replacement of the file named
// name fails for reason.
std::string CanNotWriteToFileMessage(const std::string& name, const std::string& reason);

// Begins the replacement of the report, the file named by in.FileName, and
// writes the 45 header lines into it, numbers with separator, flushed.
// Returns false, having written nothing, when it cannot be created or the
// file there cannot be replaced; throws RunError when a write fails. The
// report keeps its old content until it is published.
bool WriteReportHeader(const TRunInput& in, char separator, TFileReplacement& report);

// The 45 header lines of a run of in, without line ends.
std::vector<std::string> ReportHeaderTexts(const TRunInput& in, char separator);

// The report row of a point, without its line end.
std::string ResultRow(const TProfilePoint& point, char separator);

// The whole report of a converged run, the bytes WriteReportHeader and
// WriteResultRows write for it.
std::string ReportText(const TProfileSnapshot& profile, char separator);

// Appends one row per point of profile and two empty lines to the report
// begun by WriteReportHeader and completes it, ready to be published.
// Returns false, having written nothing, when no report is begun; throws
// RunError when a write, flush or close fails.
bool WriteResultRows(const TProfileSnapshot& profile, char separator, TFileReplacement& report);

} // namespace ppspin
