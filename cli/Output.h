// Output streams whose every write is checked: what a script reads from
// ppspin-cli is complete, or the exit status says it is not.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace ppspin::cli {

class TOutput {
  public:
    // name is what messages call the stream, e.g. "standard output".
    TOutput(std::FILE* file, std::string name) : file_(file), name_(std::move(name)) {}

    // Writes text; after the first failure nothing more is written.
    bool Write(std::string_view text);
    bool WriteLine(std::string_view line);
    // Writes a row of a table whole and flushes it. After KeepRowsWhole, a
    // row that fails is cut off again, so that the file holds whole rows
    // only and no reader takes a torn row for a short one.
    bool WriteRow(std::string_view row);
    // For a file written row by row: unbuffered from here on, so that each
    // row goes out in one write and nothing of a failed one is left to go
    // out later, and cut back to its last whole row when a row fails.
    void KeepRowsWhole();
    // Hands what is buffered to the system.
    bool Flush();
    // Flushes and closes the file; nothing is written after.
    bool Close();
    bool Failed() const { return failed_; }
    // "Can not write to NAME: reason", for the first failure.
    std::string FailureMessage() const;

  private:
    bool Check(bool ok);

    std::FILE* file_;
    std::string name_;
    bool failed_ = false;
    int error_ = 0;
    long whole_ = -1; // where the last whole row ends; -1 when rows are not kept whole
};

} // namespace ppspin::cli
