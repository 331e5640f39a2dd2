// Two outputs of one command must not name the same file: the second would
// silently replace the first.
#pragma once

#include <string>
#include <vector>

namespace ppspin::cli {

struct TNamedOutput {
    std::string Option; // e.g. "--csv"
    std::string Path;
};

// The message for the first pair of outputs that name one file, compared as
// absolute paths with links followed; empty when all differ. Outputs with an
// empty path are not written and are skipped.
std::string OutputClash(const std::vector<TNamedOutput>& outputs);

// The same for a file read: the message for the first output that would
// replace it; empty when none does.
std::string InputClash(const TNamedOutput& input, const std::vector<TNamedOutput>& outputs);

} // namespace ppspin::cli
