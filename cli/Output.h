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
};

} // namespace ppspin::cli
