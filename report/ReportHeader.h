// The layout of the report's 45 header lines, written by WriteReportHeader
// and read back by the report reader: one table, so the two cannot drift.
#pragma once

#include "InputCatalogue.h"

#include <array>
#include <string>

namespace ppspin {

struct THeaderLine {
    // The whole line, or for an input's line the label its value follows.
    std::string Text;
    // The input the line ends with, printed as the catalogue says; none for
    // a line of text alone.
    const TInputField* Input = nullptr;
};

inline constexpr int ReportHeaderLineCount = 45;

// Line 1 first.
const std::array<THeaderLine, ReportHeaderLineCount>& ReportHeaderLines();

} // namespace ppspin
