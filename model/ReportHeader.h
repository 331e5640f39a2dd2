// The layout of the report's 45 header lines, written by WriteReportHeader
// and read back by the report reader: one table, so the two cannot drift.
#pragma once

#include "RunRecords.h"

#include <array>

namespace ppspin {

struct THeaderLine {
    const char* Text; // the whole line, or the label a value follows
    // The input the line ends with, printed Fixed(value, P, D); none for a
    // line of text alone.
    double TRunInput::*Value = nullptr;
    int P = 0, D = 0;
};

inline constexpr int ReportHeaderLineCount = 45;

// Line 1 first.
const std::array<THeaderLine, ReportHeaderLineCount>& ReportHeaderLines();

} // namespace ppspin
