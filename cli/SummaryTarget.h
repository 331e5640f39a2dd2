// Where a study's or the sensitivities' summary goes: standard output, or
// the file --summary names.
#pragma once

#include "FileReplacement.h"
#include "Output.h"

#include <memory>
#include <optional>
#include <string>

namespace ppspin::cli {

struct TOptions;

// A summary file is replaced whole, as every file the program writes, when
// the study ends with every row written; until then its rows go out as they
// complete to NAME.partial beside it, so that a long study can be watched
// and an interrupted one keeps its finished rows, while an earlier summary
// stays as it was. What is not a regular file (a pipe, a terminal, one of
// the program's descriptors) is written directly, row by row.
class TSummaryTarget {
  public:
    // False, with the message printed, when the file cannot be written.
    bool Open(const TOptions& o, TOutput& out);
    // Writes a row whole; false once a write has failed.
    bool WriteRow(std::string_view row);
    // Publishes a file; false, with the message printed, when any write,
    // flush, close or the publication failed, the partial file then holding
    // the rows written. Standard output is checked once, when the program
    // ends.
    bool Close();

  private:
    // A file replaced whole; none for standard output or a direct target.
    std::optional<TFileReplacement> file_;
    std::string partialPath_;          // where the rows go until file_ is published
    std::unique_ptr<TOutput> partial_; // the file the rows are streamed to
    TOutput* stream_ = nullptr;
    std::string rows_; // what file_ is to hold
};

// The name a summary's rows go to until it is published.
std::string PartialSummaryPath(const std::string& summary);

} // namespace ppspin::cli
